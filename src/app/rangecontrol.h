#pragma once

#include <QtGlobal>

class DrawPass;
class PassCommands;
class Platform;
class RangePage;
class ResultsTable;

// The handlers of the range and quota page, which it owns: the range kept in order, the quota
// rule in its two forms, the question before leading zeros change the entries, the autopilot's
// fields, and the range and quota that a lottery run or a draw list puts on the page.
class RangeControl {
public:
    struct Parts {
        RangePage &range;
        DrawPass &pass;
        ResultsTable &results; // a new pass for the zeros hides the column "Spiel"
        Platform &platform;
    };
    explicit RangeControl(const Parts &parts) : p(parts) {}
    // The pass commands (the new pass the zeros' question starts), made after this part.
    void setPassCommands(PassCommands &commands) { m_passCommands = &commands; }

    void MinimumChange();
    void ZiehungsquoteChange();
    void ZeigeNullenClick();
    void ckAutopilotClick();
    void AutopilotStartChange();
    // The autopilot's field takes the focus: the quota rule runs, its limit follows.
    void AutopilotStartEnter();

    // The quota from the quota field, in its form (percent or count).
    void ApplyQuotaRule();
    // The quota's label and count in the language in force, for the quota form ticked.
    void showQuotaTexts();
    // A lottery run of `draws` numbers out of n .. x begins: the page shows n .. x without
    // padding and a count quota of `draws`, and the pass counts its draws from none.
    void recordLotteryRange(qint32 n, qint32 x, qint32 draws);
    // A draw list of `lines` lines gives the range 1 .. lines; returns the entries the page
    // holds (the range fields stop at their limit).
    qint32 showListRange(qint32 lines);
    // A draw list of `lines` lines was read: the range 1 .. lines, the quota all of them (as a
    // percentage, with the pass's quota at once) or as many, and the autopilot within them.
    void takeListRange(qint32 lines);
    // A change of the entries drawn ends the pass: the column "Spiel" hides, a new pass starts.
    void startNewPass();
    // Rules that must not run while the settings are loaded wait for this.
    void setStartupDone() { m_startupDone = true; }

private:
    Parts p;
    PassCommands *m_passCommands = nullptr;
    bool m_startupDone = false;
};
