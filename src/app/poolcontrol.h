#pragma once

#include "app/commands.h"

#include <QObject>
#include <QPointer>
#include <QString>

class ListControl;
class PrizeListControl;
class EntryDisplay;
class DrawPass;
class EntryPool;
class Platform;
class QWidget;
class ResultsTable;
class ModePage;
class RangeControl;
class SettingsSource;
struct DrawRowRule;
struct Settings;

// The window side of the pass: building the pool from the range (or a draw list), the draw with
// its row in the results and the draw log, a new pass and the question before a lottery table
// goes.
class PoolControl : public PassCommands {
public:
    struct Parts {
        DrawPass &pass;
        EntryDisplay &display;
        ResultsTable &results;
        RangeControl &range; // the range a draw list or a lottery run puts on the page
        ModePage &mode;      // a new pass hands back to manual drawing from the autopilot
        const SettingsSource &settings;
        ListControl &lists;       // the draw list the pool is built of
        PrizeListControl &prizes; // the prize of each draw, read again as settings are applied
        Platform &platform;
    };
    explicit PoolControl(const Parts &parts);
    ~PoolControl() override;

    // PassCommands.
    bool BuildPool(bool removeDrawn = true) override;
    void closePrepareWindow() override;
    void LoadPrizeList() override;
    void DrawNumber() override;
    void Reset_ZiehungClick() override;
    bool lotteryTableLeftOver() const override;
    bool clearLotteryTable() override;
    void setLottoGameNo(qint32 game) override { LottoGameNo = game; }
    void recordLotteryRange(qint32 n, qint32 x, qint32 draws) override;

    // The notice that a pool of `entries` entries is being built.
    void ShowPrepareWindow(qint32 entries);
    bool prepareWindowShown() const { return !m_prepareWindow.isNull(); }

    // The game of a lottery run that the next draws belong to.
    qint32 LottoGameNo = 0;

private:
    DrawRowRule rowRule(const Settings &settings) const;

    Parts p;
    QPointer<QWidget> m_prepareWindow;
};
