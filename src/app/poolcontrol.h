#pragma once

#include "app/commands.h"

#include <QObject>
#include <QPointer>
#include <QString>

class ControlStrip;
class ListControl;
class EntryDisplay;
class DrawPass;
class EntryPool;
class Platform;
class QWidget;
class ResultsTable;
class ModePage;
class RangePage;
class SettingsSource;
struct DrawRowRule;
struct Settings;

// The window side of the pass: building the pool from the range (or a draw list), the quota
// rule, the draw with its row in the results and the draw log, the leading-zeros switch, a new
// pass, and the restore of a pass from the draw log at start-up; and the handlers of the range
// and quota page.
class PoolControl : public PassCommands {
public:
    struct Parts {
        DrawPass &pass;
        EntryDisplay &display;
        ControlStrip &strip;
        ResultsTable &results;
        RangePage &range; // the range and quota page, whose handlers these are
        ModePage &mode;   // a new pass hands back to manual drawing from the autopilot
        const SettingsSource &settings;
        ListControl &lists;
        Platform &platform;
        QString programFolder;
        QString drawLog;
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
    void ApplyQuotaRule() override;
    // The quota's label and count in the language in force, for the quota mode ticked.
    void showQuotaTexts();
    void setLottoGameNo(qint32 game) override { LottoGameNo = game; }
    void recordLotteryRange(qint32 n, qint32 x, qint32 draws) override;

    // The notice that a pool of `entries` entries is being built.
    void ShowPrepareWindow(qint32 entries);
    bool prepareWindowShown() const { return !m_prepareWindow.isNull(); }

    void ZeigeNullenClick();
    void MinimumChange();
    void ZiehungsquoteChange();
    void ckAutopilotClick();
    void AutopilotStartChange();
    // The autopilot's field takes the focus: the quota rule runs, its limit follows.
    void AutopilotStartEnter();

    // Start-up: fills the results from the draw log; ignores every failure.
    void ReloadDrawLog();
    // Start-up: removes the restored draws from the pool and closes a finished pass.
    void RestorePass();
    // Rules that must not run while the settings are loaded wait for this.
    void setStartupDone() { m_startupDone = true; }

    // The game of a lottery run that the next draws belong to.
    qint32 LottoGameNo = 0;

private:
    DrawRowRule rowRule(const Settings &settings) const;

    Parts p;
    QObject m_notices; // runs the queued notices for as long as this part lives
    QPointer<QWidget> m_prepareWindow;
    bool m_startupDone = false;
};
