#pragma once

#include <QPointer>
#include <QString>

class QWidget;
class TForm1;

// The window side of the pool: building it from the range (or a draw list), the quota rule, the
// single draw step with its row in the results and the draw log, the leading-zeros switch, a
// new pass, and the restore of a pass from the draw log at start-up.
class PoolControl {
public:
    explicit PoolControl(TForm1 &form);
    ~PoolControl();

    // Fills DrawPool and removes the entries already in the results; false when the draw list
    // file is missing (reported in a message box; the pool is then left as it was). Start-up
    // builds without the removal and restores the pass itself (RestorePass).
    bool BuildPool(bool removeDrawn = true);
    void ShowPrepareWindow();
    // Closes and discards the wait notice, if one is shown.
    void closePrepareWindow();
    bool prepareWindowShown() const { return !m_prepareWindow.isNull(); }

    bool drawAllowed() const;
    void DrawNumber();
    void Reset_ZiehungClick();
    void ZeigeNullenClick();
    void MinimumChange();
    void ZiehungsquoteChange();
    // The quota rule for the current quota mode (percent or count).
    void ApplyQuotaRule();

    // Start-up: fills the results from the draw log; ignores every failure.
    void ReloadDrawLog();
    // Start-up: removes the restored draws from the pool and closes a finished pass.
    void RestorePass();

    // Writes the results table to the draw log. On failure the operator is told once which
    // file could not be written; the next draw writes it again.
    bool writeLog();

    // The table still holds a lottery result while an ordinary draw is wanted (the game column
    // shows, the mode is not lottery, no prize list is in use).
    bool lotteryTableLeftOver() const;
    // Asks whether that table may go; on OK hides the game column and starts a new pass.
    // Returns false when the operator cancels.
    bool clearLotteryTable();

    // Whether the pool comes from a draw list file.
    bool listSourceInUse() const;

private:
    bool readListFile(const QString &path, QStringList &lines) const;

    TForm1 &f;
    QPointer<QWidget> m_prepareWindow;
    bool m_logFailureShown = false;
};
