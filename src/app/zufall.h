#pragma once

#include "settings/settingshost.h"
#include "settings/settingssource.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class ControlStrip;
class DrawAnimation;
class DrawControl;
class DrawPass;
class LogKeeper;
class ListControl;
class LotteryDraw;
class HelpViewer;
class MainLayout;
class ModeControl;
class NumberDisplayWidget;
class Platform;
class PoolControl;
class PrizeListControl;
class PassRestore;
class RangeControl;
class ResultsOutput;
class ResultsTable;
class SettingsFlow;
class SettingsPanel;
class SettingsView;
class SoundPart;
class SpeechEngine;
class ShowPart;
struct FileLocations;
class TimedDrawing;
class VerifiedDraw;
class WebPart;
class WindowLanguage;
class LanguageChoice;
struct MainWindowParts;

// The program's one main window: the number display on top, the control strip with the
// Start/Stop button, the results table, and the settings panel and help viewer that replace
// them while the user configures. It builds the widgets and the parts, hands each part what it
// uses and connects them; the work is done by the parts, which keep their handlers' names.
class TForm1 : public QMainWindow, private SettingsHost, private SettingsSource {
    Q_OBJECT
public:
    // Builds the window and runs the start-up sequence (FormCreate); the settings file, the
    // draw log and the exports are where `files` says.
    // The spoken result uses `speech`; null when the system cannot speak.
    TForm1(Platform &platform, const FileLocations &files, SpeechEngine *speech,
           QWidget *parent = nullptr);
    ~TForm1() override;

    MainWindowParts parts();
    // Start-up's restore of the pass from the draw log.
    void restorePassFromLog();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Start-up, first show and shutdown.
    void FormCreate();
    void FormShow();
    void FormClose();

    void buildWindow();
    void buildMenu();
    void buildHelpMenu();
    void buildParts();
    void connectHandlers();
    void connectDisplay();
    void loadSettings();
    // A warning box with `text`, shown from the event loop once the window runs.
    void noticeLater(const QString &text);
    void mStilleClick();
    void describeForAssistiveTechnology(const FileLocations &files);

    // SettingsSource.
    Settings current() const override;
    // SettingsHost.
    void setResultsListTick(bool ticked) override;
    void maximiseWindow() override;
    void setOutputPanePercent(int percent) override;
    int outputPanePercentNow() const override;
    bool loadBackgroundPicture(const QString &relativePath) override;
    bool gameColumnVisible() const override;
    void setGameColumnVisible(bool visible) override;

    Platform &m_platform;
    SpeechEngine *m_speech;
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
    HelpViewer *Hilfeviewer = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *MMParameter = nullptr;
    QAction *mmNeueRundeStarten = nullptr;
    QAction *mStartStop = nullptr;
    QAction *mStille = nullptr;
    QAction *MMListe = nullptr;
    QAction *mmStartwertOffenlegen = nullptr; // shown while the verifiable draw is on
    QAction *acStartStop = nullptr;
    QAction *acEinstellungen = nullptr;
    QMenu *PopupHTML = nullptr;
    QAction *pHTMLShow = nullptr;
    QAction *pHTMLSave = nullptr;

    // The pass and the parts.
    DrawPass *m_pass = nullptr;
    LogKeeper *m_logKeeper = nullptr; // the draw log's failures, retries and the close question
    SoundPart *m_sound = nullptr;     // the output, WavePlayer and the sound options
    std::unique_ptr<ControlStrip> m_strip;
    std::unique_ptr<VerifiedDraw> m_verify;
    std::unique_ptr<MainLayout> m_layout;
    std::unique_ptr<ListControl> m_lists;
    std::unique_ptr<PrizeListControl> m_prizes;
    std::unique_ptr<RangeControl> m_range;
    std::unique_ptr<PoolControl> m_pool;
    std::unique_ptr<PassRestore> m_restore;
    DrawAnimation *m_animation = nullptr; // the animation tick and the waits
    TimedDrawing *m_timed = nullptr;      // the modes at work: interval, autostop, countdown
    std::unique_ptr<ModeControl> m_modes; // the mode page's handlers
    DrawControl *m_draw = nullptr;
    std::unique_ptr<LotteryDraw> m_lottery;
    std::unique_ptr<SettingsView> m_view; // the panel, the help beside it, the results below
    std::unique_ptr<SettingsFlow> m_settings;
    std::unique_ptr<ResultsOutput> m_output;
    std::unique_ptr<WindowLanguage> m_language;
    std::unique_ptr<LanguageChoice> m_languageChoice;
    ShowPart *m_show = nullptr; // audience window, safe animation, spoken result
    WebPart *m_web = nullptr;   // the results page on the local network
    bool m_closing = false;
    bool m_shownOnce = false;
};
