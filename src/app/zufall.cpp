#include "app/zufall.h"

#include "app/controlstrip.h"
#include "app/drawanimation.h"
#include "app/drawcontrol.h"
#include "app/languagechoice.h"
#include "app/layoutmath.h"
#include "app/listcontrol.h"
#include "app/logkeeper.h"
#include "app/lotterydraw.h"
#include "app/mainlayout.h"
#include "app/mainwindow.h"
#include "app/modecontrol.h"
#include "app/passrestore.h"
#include "app/poolcontrol.h"
#include "app/prizelistcontrol.h"
#include "app/rangecontrol.h"
#include "app/settingsflow.h"
#include "app/settingsview.h"
#include "app/showpart.h"
#include "app/soundpart.h"
#include "app/timeddrawing.h"
#include "app/verifieddraw.h"
#include "app/webpart.h"
#include "app/windowaccess.h"
#include "app/windowlanguage.h"
#include "app/windowtimer.h"
#include "draw/drawpass.h"
#include "localisation/langmanager.h"
#include "localisation/uitext.h"
#include "platform/filelocations.h"
#include "platform/platform.h"
#include "presentation/audiencewindow.h"
#include "presentation/helppages.h"
#include "presentation/helpviewer.h"
#include "presentation/numberdisplaywidget.h"
#include "presentation/soundoutput.h"
#include "results/drawlog.h"
#include "results/helppageoutput.h"
#include "results/resultsoutput.h"
#include "results/resultstable.h"
#include "settings/csvlistdialog.h"
#include "settings/lotterypage.h"
#include "settings/modepage.h"
#include "settings/optionspage.h"
#include "settings/rangepage.h"
#include "settings/settingsaccessibility.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "settings/settingsstore.h"
#include "settings/showoptions.h"
#include "settings/weboptions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

std::unique_ptr<QMainWindow> createMainWindow(Platform &platform, SpeechEngine *speech)
{
    return std::make_unique<TForm1>(platform, filesBesideProgram(platform.programPath()), speech);
}

std::unique_ptr<QMainWindow> createMainWindow(Platform &platform, const FileLocations &files,
                                              SpeechEngine *speech)
{
    return std::make_unique<TForm1>(platform, files, speech);
}

MainWindowParts partsOf(QMainWindow &window)
{
    return static_cast<TForm1 &>(window).parts();
}

void restorePassFromLog(QMainWindow &window)
{
    static_cast<TForm1 &>(window).restorePassFromLog();
}

TForm1::TForm1(Platform &platform, const FileLocations &files, SpeechEngine *speech,
               QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_speech(speech)
{
    // The window's texts as designed, and the built-in constants, are German.
    LangManager().SetSourceLanguage(LangIdGerman);
    ProgramFolder = files.filesFolder;
    SettingsFile = files.settingsFile;
    DrawLog = files.drawLog;
    m_pass = new DrawPass([&platform] { return platform.tickCount(); }, this);
    m_pass->setObjectName(QStringLiteral("DrawPass"));
    m_pass->setRecord(std::make_unique<DrawLogFile>(DrawLog));
    m_logKeeper = new LogKeeper({*m_pass, m_platform, DrawLog, ProgramFolder}, this);
    buildWindow();
    // The help pages say where this run keeps its files, in the language they are shown in.
    Hilfeviewer->setFilesText(
        [files] { return fileLocationsText(files, isGermanLanguage(HelpLanguage())); });
    buildMenu();
    m_sound = new SoundPart(Einstellungen->optionsPage(), m_platform, this);
    m_sound->control().setFilesFolder(ProgramFolder);
    buildHelpMenu();
    buildParts();
    connectHandlers();
    m_language->bindTexts();
    FormCreate();
    describeForAssistiveTechnology(files);
    m_web->apply();
}

// Names and descriptions for screen readers, in the language start-up chose.
void TForm1::describeForAssistiveTechnology(const FileLocations &files)
{
    const bool german = isGermanLanguage(LangManager().CurrentLanguage());
    describeWindowControls({*Ergebnisfeld, *BTStartStop, *Label3, *AutotivrelNotiz, *Resultate,
                            *Hilfeviewer, *spHauptsplitter},
                           german, fileLocationsText(files, german));
    applyAccessibleTexts(*Einstellungen, german);
}

TForm1::~TForm1()
{
    m_closing = true;
    m_draw->windowClosing();
    Ergebnisfeld->setMirror(nullptr);
}

MainWindowParts TForm1::parts()
{
    return {*m_pass,     *m_draw, *m_animation, *m_timed,    *m_pool,      *m_lists, *m_prizes,
            *m_settings, *m_view, *m_layout,    *m_language, SettingsFile, DrawLog,  *m_show};
}

void TForm1::buildParts()
{
    m_strip = std::make_unique<ControlStrip>(*BTStartStop, *AutotivrelNotiz);
    m_layout = std::make_unique<MainLayout>(
        MainLayout::Widgets{*this, *spHauptsplitter, *Ausgabe, *Ergebnisfeld, *Display, *Anzeige,
                            *Resultate, *Einstellungen, *Hilfeviewer, *MMListe});
    // The journal of the verifiable draw lies beside the draw log.
    m_verify = std::make_unique<VerifiedDraw>(VerifiedDraw::Parts{
        *m_pass, *Ergebnisfeld, *m_strip, *this, m_platform,
        QFileInfo(DrawLog).absoluteDir().filePath(QStringLiteral("tivrel.journal")),
        [lottery = &Einstellungen->lotteryPage()] {
            const QString word = lottery->audienceWord();
            lottery->clearAudienceWord();
            return word;
        }});
    Resultate->results()->setRowToolTip(
        [verify = m_verify.get()](const QString &entry) { return verify->chainHeadNote(entry); });
    m_range = std::make_unique<RangeControl>(
        RangeControl::Parts{Einstellungen->rangePage(), *m_pass, *Resultate, m_platform});
    m_lists = std::make_unique<ListControl>(
        ListControl::Parts{Einstellungen->rangePage(), Einstellungen->poolReport(), *m_range,
                           *Resultate, m_platform, ProgramFolder});
    m_prizes = std::make_unique<PrizeListControl>(
        PrizeListControl::Parts{Einstellungen->rangePage(), Einstellungen->modePage(), *Resultate,
                                m_platform, ProgramFolder, *m_lists});
    m_pool = std::make_unique<PoolControl>(
        PoolControl::Parts{*m_pass, *Ergebnisfeld, *Resultate, *m_range, Einstellungen->modePage(),
                           *this, *m_lists, *m_prizes, m_platform});
    m_range->setPassCommands(*m_pool);
    m_restore = std::make_unique<PassRestore>(PassRestore::Parts{
        *m_pass, *Ergebnisfeld, *m_strip, *Resultate, *this, m_platform, DrawLog});
    m_lists->setCsvLayoutChooser(
        [this](const QString &path, const CsvLayout &stored) -> std::optional<CsvLayout> {
            CsvListDialog dialog(path, stored, this);
            if (dialog.exec() != QDialog::Accepted)
                return std::nullopt;
            return dialog.layout();
        });
    // The animation and the modes at work, which the draw control drives; the mode page's
    // handlers. The draw control and the settings steps use each other's commands.
    m_animation = new DrawAnimation(
        {*m_pass, *Ergebnisfeld, *m_strip, *Resultate, *this, m_sound->control(), m_platform},
        this);
    m_timed = new TimedDrawing(
        {*m_strip, *Ergebnisfeld, Einstellungen->modePage(), *this, m_platform, m_sound->control()},
        this);
    m_modes = std::make_unique<ModeControl>(ModeControl::Parts{
        Einstellungen->modePage(), *Ergebnisfeld, *m_strip, *this, *m_pass, m_platform, *m_timed});
    m_draw =
        new DrawControl({*m_pass, *Ergebnisfeld, *m_strip, *m_animation, *m_timed, *m_pool}, this);
    m_view = std::make_unique<SettingsView>(SettingsView::Parts{
        *Einstellungen, *m_layout, *Resultate, *Hilfeviewer, *m_strip, m_platform});
    m_settings = std::make_unique<SettingsFlow>(SettingsFlow::Parts{
        *this, m_platform, *m_draw, *m_pool, *m_view,
        SettingsSaver({*Einstellungen, *this, m_platform, SettingsFile, windowTitle()})});
    m_draw->setSettingsCommands(*m_settings);
    m_lottery = std::make_unique<LotteryDraw>(LotteryDraw::Parts{
        *m_pass, *Resultate, *m_strip, *this, *m_pool, *m_settings, *m_animation});
    m_show = new ShowPart({*this, *Ergebnisfeld, *Einstellungen,
                           Einstellungen->optionsPage().showOptions(), Einstellungen->rangePage(),
                           *m_pass, m_speech},
                          this);
    m_web = new WebPart({QrCodeScreens(*Ergebnisfeld, m_show->audienceWindow()), *Label3,
                         Einstellungen->optionsPage().webOptions(), *m_pass, *this,
                         [&platform = m_platform] { return platform.now(); },
                         [verify = m_verify.get()](ResultsSnapshot &s) {
                             if (!verify->segmentOpen() && verify->revealedSeed().isEmpty())
                                 return;
                             s.commitment = QString::fromLatin1(verify->commitment().toHex());
                             s.chainHead = QString::fromLatin1(verify->journal().chainHead());
                             s.revealedSeed = QString::fromLatin1(verify->revealedSeed().toHex());
                         }},
                        this);
    // The QR code command in the display's menu, and its key also with the menu closed.
    PopupMenu1->addAction(m_web->codeAction());
    addAction(m_web->codeAction());
    // After applying: with the verifiable draw a new segment, its commitment shown before its
    // first draw; then the results page starts, moves or stops.
    m_settings->setAppliedHook([verify = m_verify.get(), web = m_web] {
        verify->passReady();
        web->apply();
    });
    connect(m_animation, &DrawAnimation::animationChanged, m_web,
            [web = m_web](DrawAnimation::Animation animation) {
                web->setIdle(animation == DrawAnimation::Animation::Idle);
            });
    SettingsPanel *panel = Einstellungen;
    // The exports go where the program's files are, named after the program like them.
    m_output = std::make_unique<ResultsOutput>(
        m_platform, *Resultate, ProgramFolder + QFileInfo(SettingsFile).completeBaseName(),
        [range = &panel->rangePage()] { return range->prizesOn(); }, windowTitle());
    m_output->setNote([verify = m_verify.get()] { return verify->commitmentNote(); });
    // While the print system is asked, the print button waits and the pointer says so.
    m_output->setBusyIndicator([panel](bool busy) {
        panel->setPrintBusy(busy);
        if (busy)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    m_languageChoice = std::make_unique<LanguageChoice>(LanguageChoice::Parts{
        panel->optionsPage(), *panel, m_platform, windowTitle(),
        [view = m_view.get()] { view->helpLanguageChanged(LangManager().CurrentLanguage()); }});
    m_language = std::make_unique<WindowLanguage>(WindowLanguage::Parts{
        *this, panel->modePage(), *Resultate, *Hilfeviewer, *m_strip,
        [animation = m_animation] {
            return animation->animation() == DrawAnimation::Animation::Running;
        },
        [range = m_range.get(), modes = m_modes.get(), show = m_show, lists = m_lists.get(), panel,
         web = m_web] {
            show->retranslate();
            web->retranslate();
            panel->optionsPage().retranslateColours();
            range->showQuotaTexts();
            lists->retranslatePoolReport();
            modes->showModeTitle();
            panel->lotteryPage().Lotto_PoolChange();
        }});
}

void TForm1::connectHandlers()
{
    DrawControl *draw = m_draw;
    PoolControl *pool = m_pool.get();
    SettingsFlow *flow = m_settings.get();
    MainLayout *layout = m_layout.get();
    SettingsPanel *panel = Einstellungen;

    connect(BTStartStop, &QPushButton::clicked, draw, &DrawControl::BTStartStopClick);
    connect(acStartStop, &QAction::triggered, draw, &DrawControl::BTStartStopClick);
    connect(mStartStop, &QAction::triggered, draw, &DrawControl::BTStartStopClick);
    connect(mmNeueRundeStarten, &QAction::triggered, draw, &DrawControl::mmNeueRundeStartenClick);
    connect(acEinstellungen, &QAction::triggered, this, [flow] { flow->OpenSettingsPanel(); });
    connect(MMParameter, &QAction::triggered, this, [flow] { flow->MMParameterClick(); });
    connect(mStille, &QAction::triggered, this, &TForm1::mStilleClick);
    // The tick after Stop draws; a timed draw starts and stops through the command; the
    // lottery mode applied runs its games.
    connect(m_animation, &DrawAnimation::numberDue, this, [pool] { pool->DrawNumber(); });
    connect(m_timed, &TimedDrawing::startStopDue, draw, &DrawControl::BTStartStopClick);
    connect(m_timed, &TimedDrawing::lotteryRunRequested, this,
            [lottery = m_lottery.get()] { lottery->runLottery(); });
    VerifiedDraw *verify = m_verify.get();
    connect(mmStartwertOffenlegen, &QAction::triggered, this,
            [verify] { verify->mmStartwertOffenlegenClick(); });
    connect(PopupMenu1, &QMenu::aboutToShow, this, [this, verify] {
        mmStartwertOffenlegen->setVisible(current().VerifyEnabled);
        mmStartwertOffenlegen->setEnabled(verify->segmentOpen());
    });
    SettingsView *view = m_view.get();
    connect(&panel->lotteryPage(), &LotteryPage::verificationClicked, this, [view] {
        if (view->helpPageShown())
            view->loadHelpPage(QStringLiteral("HTMLNachpruefbar"));
    });
    connect(MMListe, &QAction::triggered, this, [this, layout] {
        // The tick follows the results area, not the click.
        MMListe->setChecked(!Einstellungen->optionsPage().listOff());
        layout->MMListeClick();
    });
    connect(spHauptsplitter, &QSplitter::splitterMoved, this,
            [layout] { layout->spHauptsplitterMoved(); });

    ModePage *mode = &panel->modePage();
    ModeControl *modes = m_modes.get();
    connect(mode, &ModePage::modeChosen, this, [modes] { modes->DoStatusClick(); });
    connect(mode, &ModePage::autostopToggled, this, [modes] { modes->chkAutostopClick(); });
    connect(mode, &ModePage::timeOfDayEdited, this, [modes] { modes->UhrzeitExit(); });
    RangePage *range = &panel->rangePage();
    RangeControl *rules = m_range.get();
    connect(range, &RangePage::autopilotToggled, this, [rules] { rules->ckAutopilotClick(); });
    connect(range, &RangePage::autopilotStartChanged, this,
            [rules] { rules->AutopilotStartChange(); });
    connect(range, &RangePage::autopilotFieldEntered, this,
            [rules] { rules->AutopilotStartEnter(); });
    connect(range, &RangePage::rangeChanged, this, [rules] { rules->MinimumChange(); });
    connect(range, &RangePage::quotaChanged, this, [rules] { rules->ZiehungsquoteChange(); });
    connect(range, &RangePage::zerosClicked, this, [rules] { rules->ZeigeNullenClick(); });
    ListControl *lists = m_lists.get();
    connect(range, &RangePage::listSwitched, this,
            [lists](bool byProgram) { lists->AusDateiClick(byProgram); });
    connect(range, &RangePage::listBrowseClicked, this,
            [lists] { lists->AusDateiPfadButtonClick(); });
    PrizeListControl *prizes = m_prizes.get();
    connect(range, &RangePage::prizeBrowseClicked, this,
            [prizes] { prizes->edWinningsButtonClick(); });
    connect(&panel->poolReport(), &PoolReportLine::findingsRequested, this,
            [lists] { lists->btPoolFindingsClick(); });
    connect(panel, &SettingsPanel::newPassClicked, this, [pool] { pool->Reset_ZiehungClick(); });
    connect(panel, &SettingsPanel::applyClicked, this,
            [flow] { flow->BTEinstellungenSchliessenClick(); });

    ResultsOutput *output = m_output.get();
    connect(panel, &SettingsPanel::txtClicked, this, [output] { output->BTTxTClick(); });
    connect(panel, &SettingsPanel::csvClicked, this, [output] { output->BTCSVClick(); });
    connect(panel, &SettingsPanel::htmlClicked, this, [output] { output->BTHTMLClick(); });
    connect(panel, &SettingsPanel::printClicked, this, [output] { output->BTDruckenClick(); });

    // PopupHTMLPopup: copying needs a selection.
    connect(Hilfeviewer, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        pHTMLSave->setEnabled(helpCopyEnabled(Hilfeviewer->textCursor()));
        PopupHTML->popup(Hilfeviewer->viewport()->mapToGlobal(pos));
    });
    // The viewer keeps the page as its document; its HTML is the page handed on.
    connect(pHTMLShow, &QAction::triggered, this, [this] {
        pHTMLShowClick(m_platform, QString::fromUtf8(Hilfeviewer->documentSource()));
    });
    connect(pHTMLSave, &QAction::triggered, this,
            [this] { pHTMLSaveClick(Hilfeviewer->textCursor()); });

    connect(&panel->optionsPage(), &OptionsPage::languageChosen, this, [this] {
        m_languageChoice->HilfeLngChange();
        // The help pages follow the language in force, also while no page shows.
        SetHelpLanguage(LangManager().CurrentLanguage());
    });
    connect(panel, &SettingsPanel::helpToggled, this,
            [view](bool ticked) { view->HilfeAktivClick(ticked); });
    connect(panel, &SettingsPanel::helpPageRequested, this,
            [view](const QString &caption) { view->loadHelpPage(caption); });

    connectDisplay();

    Ausgabe->installEventFilter(this);
    Display->installEventFilter(this);
}

void TForm1::connectDisplay()
{
    NumberDisplayWidget *display = Ergebnisfeld;
    SettingsPanel *panel = Einstellungen;
    display->setPool(&m_pass->pool());
    display->setRunStateSource([animation = m_animation] {
        const bool running = animation->animation() == DrawAnimation::Animation::Running;
        return NumberDisplayWidget::RunState{running, running};
    });

    // The display options follow their check boxes and fields.
    RangePage *range = &panel->rangePage();
    auto entryLength = [display, range] {
        display->setEntryLength(range->entryLengthSet(), range->entryLength());
    };
    OptionsPage *options = &panel->optionsPage();
    connect(options, &OptionsPage::numberEffectToggled, display,
            &NumberDisplayWidget::setNumberEffect);
    connect(options, &OptionsPage::colourEffectToggled, display,
            &NumberDisplayWidget::setColourEffect);
    connect(options, &OptionsPage::pictureToggled, display, &NumberDisplayWidget::setPictureTicked);
    connect(options, &OptionsPage::pictureAnimatedToggled, display,
            &NumberDisplayWidget::setPictureAnimated);
    connect(range, &RangePage::entryLengthChanged, display, entryLength);
    connect(options, &OptionsPage::foreColourChanged, display,
            &NumberDisplayWidget::cpVordergrundChange);
    connect(options, &OptionsPage::backColourChanged, display,
            &NumberDisplayWidget::cpHintergrundChange);
    connect(options, &OptionsPage::pictureBrowseClicked, display,
            [display, options] { display->edHintergrundbildButtonClick(options->picturePath()); });
    connect(options, &OptionsPage::pictureFieldLeft, display,
            [display, options] { display->edHintergrundbildExit(options->picturePath()); });

    // What the display decides about the picture shows in the picture controls.
    connect(display, &NumberDisplayWidget::pictureFieldChanged, options,
            &OptionsPage::setPicturePath);
    connect(display, &NumberDisplayWidget::pictureOptionsEnabledChanged, options,
            &OptionsPage::openPictureOptions);
    connect(display, &NumberDisplayWidget::pictureOptionsUnticked, options,
            &OptionsPage::untickPictureOptions);
    // The picture named in the settings could not be loaded: the display paints without it,
    // and the operator hears of it once, when the window runs.
    connect(
        display, &NumberDisplayWidget::pictureUnavailable, this,
        [this](const QString &name) {
            QString text = Ergebnisfeld->pictureRefusal(name);
            if (text.isEmpty())
                text = lngFormat("HinweisBildNichtGeladen", {name});
            m_platform.messageBox(lng("StrTivrelHinweis"), text, Platform::Icon::Warning,
                                  Platform::Buttons::Ok);
        },
        Qt::QueuedConnection);

    // The controls hold their defaults already.
    display->setNumberEffect(options->numberEffect());
    display->setColourEffect(options->colourEffect());
    display->setPictureTicked(options->pictureTicked());
    display->setPictureAnimated(options->pictureAnimated());
    entryLength();
    display->cpVordergrundChange(options->foreColour());
    display->cpHintergrundChange(options->backColour());
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == Ausgabe)
            m_layout->AusgabeResize();
        else if (watched == Display)
            m_layout->DisplayResize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::FormCreate()
{
    SettingsPanel &panel = *Einstellungen;
    // Start/Stop on Ctrl+S and Ctrl+Space.
    acStartStop->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_Space)});
    // The language: the system's where the program has it; the help pages follow it.
    m_languageChoice->chooseStartupLanguage();
    SetHelpLanguage(LangManager().CurrentLanguage());
    // The normal view first; the panel shows when the settings are opened. (Widgets paint
    // double-buffered, so no flicker needs hiding.)
    panel.hide();
    // First start: greeting and welcome page.
    if (!QFile::exists(SettingsFile)) {
        Ergebnisfeld->ShowOnDisplay(lng("StrHallo"), 2, false);
        Hilfeviewer->showHelp(QStringLiteral("HTMLStart"));
        Resultate->hide();
        Hilfeviewer->show();
    }
    // The settings file's values into the panel and the window.
    loadSettings();
    // The lottery page's limit and wording follow the loaded values, also where loading left a
    // field at its design value.
    panel.lotteryPage().Lotto_nChange();
    panel.lotteryPage().Lotto_PoolChange();
    // The pass the draw log holds, with its pool built and its drawn entries out of it.
    restorePassFromLog();
    // The timed draws that follow the autopilot's manual part.
    m_range->AutopilotStartChange();
    // The mode page in front when the panel next opens.
    panel.showModePage();
    // (The pass's generator seeds itself at its first number.) The prepare window closes.
    m_pool->closePrepareWindow();
    m_range->setStartupDone();
}

void TForm1::restorePassFromLog()
{
    m_restore->ReloadDrawLog();
    m_pool->BuildPool(false);
    m_restore->RestorePass();
    m_verify->passReady();
}

void TForm1::loadSettings()
{
    QString refusal;
    LoadSettings(*Einstellungen, *m_pass, *this, SettingsFile, &refusal);
    // The draw list and the prize list are read once all their settings are in.
    m_prizes->LoadPrizeList();
    // A settings file that is no plain file, or far too large, counts as missing; the operator
    // hears why once the window runs.
    if (!refusal.isEmpty())
        noticeLater(refusal);
    // A file without a mode leaves the manual mode chosen.
    if (Einstellungen->modePage().modeIndex() < 0)
        Einstellungen->modePage().chooseMode(int(DrawMode::Manual));
}

void TForm1::noticeLater(const QString &text)
{
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            m_platform.messageBox(lng("StrTivrelHinweis"), text, Platform::Icon::Warning,
                                  Platform::Buttons::Ok);
        },
        Qt::QueuedConnection);
}

void TForm1::FormShow()
{
    Ergebnisfeld->ShowOnDisplay(lng("StrHallo"), 2, false);
    // The commitment stays in sight until the first draw.
    if (m_verify->awaitingFirstDraw())
        m_verify->showCommitment();
}

void TForm1::FormClose()
{
    m_closing = true;
    m_draw->windowClosing();
    Ergebnisfeld->setMirror(nullptr);
    m_sound->control().windowClosing();
    QCoreApplication::quit();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // The outer size never goes below 600 x 600, nor beyond the screen's available area
        // (a high scale factor leaves a 1080p screen 540 pixels high); the window opens
        // centred, its title bar on the screen.
        const QSize frame = frameGeometry().size() - geometry().size();
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 600, 600);
        const QSize least = QSize(600, 600).boundedTo(area.size());
        setMinimumSize(least - frame);
        resize(size().boundedTo(area.size() - frame));
        QRect placed = frameGeometry();
        placed.moveCenter(area.center());
        move(qMax(placed.left(), area.left()), qMax(placed.top(), area.top()));
    }
    FormShow();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Results the draw log could not take yet are not given up without asking.
    if (!m_closing && !m_logKeeper->closeAllowed()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    m_layout->FormResize();
}

void TForm1::mStilleClick()
{
    m_sound->control().MMStille();
}
