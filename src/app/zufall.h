#pragma once

#include "draw/drawpool.h"
#include "settings/settingshost.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTextBrowser;
class DrawControl;
class MainLayout;
class NumberDisplayWidget;
class Platform;
class PoolControl;
class ResultsTable;
class SettingsFlow;
class SettingsPanel;
class SoundOutput;
class TRNGenerator;

// The program's one main window: the number display on top, the control strip with the
// Start/Stop button, the results table, and the settings panel and help viewer that replace
// them while the user configures. The work is done by the parts it owns: the layout rules, the
// draw control, the pool and results, and the settings steps; each keeps its handlers' names.
class TForm1 : public QMainWindow, public SettingsHost {
    Q_OBJECT
public:
    // Builds the window and runs the start-up sequence (FormCreate).
    explicit TForm1(Platform &platform, QWidget *parent = nullptr);
    ~TForm1() override;

    // Start-up, first show and shutdown.
    void FormCreate();
    void FormShow();
    void FormClose();
    // Start-up's restore of the pass: the results from the draw log, the pool without them,
    // and a finished pass closed.
    void restorePassFromLog();

    // The one way to put a text on the number display: smoothing 0 for animation frames, 2
    // otherwise; isEntry marks a pool entry.
    void ShowOnDisplay(const QString &text, int smoothing, bool isEntry);

    // Draw mode: the item index of DoStatus.
    int mode() const;
    // Whether the Start/Stop button shows "StrStart" (no animation runs).
    bool startCaptionShown() const;
    // Whether a widget is shown within the window (its own flag and its parents').
    static bool shown(const QWidget *widget);
    // True once the window is closing; waits end early then.
    bool closing() const { return m_closing; }

    Platform &platform() const { return m_platform; }
    QString ProgramFolder;
    QString SettingsFile;
    QString DrawLog;

    // Controls.
    QFrame *Ausgabe = nullptr;
    NumberDisplayWidget *Ergebnisfeld = nullptr;
    QSplitter *spHauptsplitter = nullptr;
    QWidget *Display = nullptr;
    QWidget *Anzeige = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *BTStartStop = nullptr;
    QLabel *AutotivrelNotiz = nullptr;
    SettingsPanel *Einstellungen = nullptr;
    ResultsTable *Resultate = nullptr;
    QTextBrowser *Hilfeviewer = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *MMParameter = nullptr;
    QAction *mmNeueRundeStarten = nullptr;
    QAction *mStartStop = nullptr;
    QAction *mStille = nullptr;
    QAction *MMListe = nullptr;
    QAction *acStartStop = nullptr;
    QAction *acEinstellungen = nullptr;

    // Program state.
    DrawState Draw;
    std::unique_ptr<TRNGenerator> DrawGenerator;
    qint32 LottoGameNo = 0;
    std::unique_ptr<SoundOutput> WavePlayer;

    // The parts.
    MainLayout &layout() const { return *m_layout; }
    DrawControl &drawControl() const { return *m_draw; }
    PoolControl &pool() const { return *m_pool; }
    SettingsFlow &settingsFlow() const { return *m_settings; }

    // SettingsHost.
    qint32 rangeSize() const override;
    void setDrawQuota(qint32 quota) override;
    void createWavePlayer() override;
    void setDisplayForeColour(quint32 bgr) override;
    void setDisplayBackColour(quint32 bgr) override;
    QString lookupConstant(const QString &name) const override;
    void setResultsListTick(bool ticked) override;
    void maximiseWindow() override;
    void setOutputPanePercent(int percent) override;
    int outputPanePercentNow() const override;
    bool loadBackgroundPicture(const QString &relativePath) override;
    bool gameColumnVisible() const override;
    void setGameColumnVisible(bool visible) override;
    void loadPrizeList() override;

    // The sound player's commands; nothing happens while there is no player.
    void playSound();
    void stopSound();
    bool soundActive() const;
    void mStilleClick();

    // True once FormCreate has finished; rules that must not run while the settings are
    // loaded check it.
    bool startupDone() const { return m_startupDone; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildMenu();
    void connectHandlers();
    void connectDisplay();
    void loadSettings();

    Platform &m_platform;
    std::unique_ptr<MainLayout> m_layout;
    std::unique_ptr<DrawControl> m_draw;
    std::unique_ptr<PoolControl> m_pool;
    std::unique_ptr<SettingsFlow> m_settings;
    bool m_closing = false;
    bool m_shownOnce = false;
    bool m_startupDone = false;
};
