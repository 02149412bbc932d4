#pragma once

#include "draw/prizelist.h"

#include <QString>

class ListControl;
class ModePage;
class Platform;
class RangePage;
class ResultsTable;

// The prize list: the handler of its browse button, reading it (the draw list again first) and
// the prize of a draw number, which heads the column "Spiel" while the list is on.
class PrizeListControl {
public:
    struct Parts {
        RangePage &range;     // its prize fields
        const ModePage &mode; // a prize list that fails hides its column in the single modes
        ResultsTable &results;
        Platform &platform;
        QString programFolder; // with its trailing '/'
        ListControl &lists;    // the draw list, read again before the prizes
    };
    explicit PrizeListControl(const Parts &parts) : p(parts) {}

    void edWinningsButtonClick();
    // Reads the prize list named on the page; the draw list is read again first.
    void LoadPrizeList();
    QString PrizeText(qint32 drawNumber) const;

private:
    Parts p;
    PrizeListLines PrizeList;
};
