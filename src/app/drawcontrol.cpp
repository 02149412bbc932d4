#include "app/drawcontrol.h"

#include "app/controlstrip.h"
#include "app/soundpart.h"
#include "app/windowtimer.h"
#include "draw/drawpass.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "results/resultstable.h"
#include "settings/modepage.h"
#include "settings/settingscontrols.h"
#include "settings/settingssource.h"

#include <QEventLoop>
#include <QTimer>

DrawControl::DrawControl(const Parts &parts, QObject *parent)
    : QObject(parent), p(parts), Refresher(new WindowTimer(80, this)),
      IntervallTimer(new WindowTimer(1000, this)), Nochtimer(new WindowTimer(1000, this))
{
    setObjectName(QStringLiteral("DrawControl"));
    Refresher->setObjectName(QStringLiteral("Refresher"));
    IntervallTimer->setObjectName(QStringLiteral("IntervallTimer"));
    Nochtimer->setObjectName(QStringLiteral("Nochtimer"));
    connect(Refresher, &WindowTimer::timeout, this, &DrawControl::RefresherTimer);
    connect(IntervallTimer, &WindowTimer::timeout, this, &DrawControl::IntervallTimerTimer);
    connect(Nochtimer, &WindowTimer::timeout, this, &DrawControl::NochtimerTimer);
}

DrawControl::~DrawControl() = default;

DrawMode DrawControl::mode() const
{
    return p.settings.current().mode();
}

void DrawControl::setAnimation(Animation animation)
{
    if (animation == m_animation)
        return;
    m_animation = animation;
    p.strip.showRunning(animation == Animation::Running);
    Q_EMIT animationChanged(animation);
}

void DrawControl::abandonAnimation()
{
    if (m_animation == Animation::Idle)
        return;
    Refresher->setEnabled(false);
    setAnimation(Animation::Idle);
    p.results.setSelectionHidden(false);
    p.display.showLastStill();
}

void DrawControl::stopTimers()
{
    abandonAnimation();
    IntervallTimer->setEnabled(false);
    Nochtimer->setEnabled(false);
}

void DrawControl::windowClosing()
{
    m_closing = true;
    stopTimers();
}

void DrawControl::endPass()
{
    IntervallTimer->setEnabled(false);
    abandonAnimation();
    p.strip.setStartShown(false);
    p.strip.showNote(lng("StrZiehungEnde"));
    if (p.settings.current().Help)
        p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisNeuerDurchgang"),
                              Platform::Icon::Information, Platform::Buttons::Ok);
}

void DrawControl::BTStartStopClick()
{
    // Start pressed while the help page shows or the settings panel is open (with or
    // without its help page): apply the settings and close them first, so that no draw runs
    // behind them unseen. When they cannot be applied they stay open, and nothing is drawn.
    if (p.strip.startEnabled() &&
        (m_settingsCommands->helpPageShown() || m_settingsCommands->panelShown()) &&
        !m_settingsCommands->ApplySettings())
        return;

    // No draw allowed: the pass is over. (A running animation may always be stopped.)
    const bool running = m_animation == Animation::Running;
    if (!running && !p.pass.drawAllowed()) {
        endPass();
        return;
    }

    const Settings settings = p.settings.current();
    // Autopilot: after the manual part, timed drawing takes over.
    if (!running && settings.AutoPilot && !AutopilotSuppressed &&
        settings.mode() == DrawMode::Manual && p.pass.rows().size() >= settings.AutoVal) {
        p.mode.chooseMode(int(DrawMode::Timer));
        m_settingsCommands->ApplySettings();
        AutopilotSuppressed = true;
        return;
    }

    // A lottery table left over.
    if (!running && p.passCommands.lotteryTableLeftOver()) {
        if (!p.passCommands.clearLotteryTable()) {
            m_settingsCommands->OpenSettingsPanel();
            return;
        }
        // The reset emptied the pool: build it anew before an animation needs it.
        p.passCommands.BuildPool();
        p.passCommands.closePrepareWindow();
        if (!p.pass.drawAllowed()) {
            endPass();
            return;
        }
    }

    // Autostop in manual mode: arm or disarm the countdown.
    if (settings.mode() == DrawMode::Manual && settings.Autostop) {
        if (!AutostopArmed) {
            IntervallTimer->setInterval(1000);
            IntervallTimer->setEnabled(true);
            AutostopRemaining = settings.Intervall;
            AutostopArmed = true;
            p.strip.showNote(autostopText(AutostopRemaining));
        } else {
            IntervallTimer->setEnabled(false);
            AutostopRemaining = 0;
            AutostopArmed = false;
            p.strip.hideNote();
        }
    }

    // Start or stop the animation.
    if (running) {
        setAnimation(Animation::Stopping);
        p.results.show();
        p.sound.drawStopped(SoundPart::optionsOf(settings));
        // The draw follows at the next animation tick.
    } else {
        startAnimation();
    }
}

void DrawControl::startAnimation()
{
    const Settings settings = p.settings.current();
    p.results.setSelectionHidden(true);
    p.sound.drawStarted(SoundPart::optionsOf(settings));
    setAnimation(Animation::Running);
    Refresher->setEnabled(true);
}

void DrawControl::RefresherTimer()
{
    // An animation over an empty pool has nothing to show and nothing to draw.
    const qsizetype index = p.pass.flashIndex();
    if (index < 0 || m_closing) {
        abandonAnimation();
        return;
    }
    p.display.ShowOnDisplay(p.pass.pool().at(index), 0, true);
    if (m_animation == Animation::Stopping) {
        Refresher->setEnabled(false);
        setAnimation(Animation::Idle);
        p.passCommands.DrawNumber();
    }
}

void DrawControl::IntervallTimerTimer()
{
    IntervalTick();
}

void DrawControl::IntervalTick()
{
    if (AutostopRemaining != 0) {
        p.strip.hideNote();
        AutostopRemaining -= 1;
        p.strip.showNote(autostopText(AutostopRemaining));
        if (AutostopRemaining == 1)
            AutostopRemaining = 0;
        return;
    }
    IntervallTimer->setInterval(p.settings.current().Intervall * 500);
    BTStartStopClick();
}

void DrawControl::NochtimerTimer()
{
    if (p.platform.now() >= NextDrawTime) {
        Nochtimer->setEnabled(false);
        p.mode.chooseMode(int(DrawMode::Manual));
        p.display.ShowOnDisplay(lng("StrGleich"), 2, false);
        return;
    }
    ShowTimeToNextDraw();
}

void DrawControl::ShowTimeToNextDraw()
{
    p.display.ShowOnDisplay(timeToNextDrawText(p.platform.now(), NextDrawTime), 2, false);
}

void DrawControl::DoStatusClick()
{
    ModePage &page = p.mode;
    switch (DrawMode(page.modeIndex())) {
    case DrawMode::Manual:
        page.openFields(page.autostop(), true, false);
        IntervallTimer->setEnabled(false);
        Nochtimer->setEnabled(false);
        p.strip.hideNote();
        p.display.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
        showModeTitle();
        break;
    case DrawMode::Timer: {
        page.openFields(true, false, false);
        const Settings settings = p.settings.current();
        const bool autopilotReached =
            settings.AutoPilot && p.pass.rows().size() >= settings.AutoVal;
        p.display.ShowOnDisplay(lng(autopilotReached ? "StrAutoPilot" : "StrNeueZiehungStarten"), 2,
                                false);
        showModeTitle();
        break;
    }
    case DrawMode::TimeOfDay:
    case DrawMode::Countdown:
        // A time not offered before starts at the next full hour.
        if (!page.timeOfDayOpen())
            page.setTimeOfDay(nextFullHourText(p.platform.now().time()));
        page.openFields(false, false, true);
        showModeTitle();
        break;
    case DrawMode::Lottery:
        page.openFields(false, false, false);
        p.display.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
        showModeTitle();
        break;
    }
}

void DrawControl::showModeTitle()
{
    const char *title = nullptr;
    switch (DrawMode(p.mode.modeIndex())) {
    case DrawMode::Manual: title = "StrModeManuell"; break;
    case DrawMode::Timer: title = "StrModeTimer"; break;
    case DrawMode::TimeOfDay:
    case DrawMode::Countdown: title = "StrModeZeit"; break;
    case DrawMode::Lottery: title = "StrModeLotto"; break;
    }
    if (title) // no mode is chosen while the settings are read
        p.mode.setTitle(lng(title));
}

void DrawControl::chkAutostopClick()
{
    p.mode.openSeconds(p.mode.autostop());
}

void DrawControl::UhrzeitExit()
{
    p.display.ShowOnDisplay(p.mode.timeOfDay(), 2, true);
}

void DrawControl::interruptForSettings()
{
    // Opening the settings: no sound, the autopilot stays off until they are applied, no timer
    // runs.
    p.sound.settingsOpened(SoundPart::optionsOf(p.settings.current()));
    AutopilotSuppressed = true;
    stopTimers();
}

void DrawControl::ActivateMode()
{
    const Settings settings = p.settings.current();
    switch (settings.mode()) {
    case DrawMode::Manual:
        p.strip.setStartShown(true);
        p.strip.hideNote();
        break;
    case DrawMode::Timer:
        IntervallTimer->setInterval(settings.Intervall * 1000);
        IntervallTimer->setEnabled(true);
        p.strip.showNote(intervalText(settings.Intervall));
        p.strip.hideStart();
        break;
    case DrawMode::TimeOfDay:
        p.strip.showNote(lng("StrZiehungNaechste"));
        p.display.ShowOnDisplay(settings.Time, 2, true);
        p.strip.hideStart();
        p.sound.waitingStarted(SoundPart::optionsOf(settings));
        break;
    case DrawMode::Countdown:
        Nochtimer->setEnabled(true);
        p.strip.showNote(lng("StrZiehungZeit"));
        NextDrawTime = nextDrawTime(p.platform.now(), parseTimeOfDay(settings.Time));
        p.display.ShowOnDisplay(dateTimeText(NextDrawTime), 2, false);
        p.strip.hideStart();
        p.sound.waitingStarted(SoundPart::optionsOf(settings));
        break;
    case DrawMode::Lottery: Q_EMIT lotteryRunRequested(); break;
    }
}

void DrawControl::mmNeueRundeStartenClick()
{
    stopTimers();
    p.strip.hideNote();
    p.display.ShowOnDisplay(lng("StrNeueZiehungVorbereiten"), 2, false);
    if (!WaitPumping(2000))
        return;
    p.passCommands.Reset_ZiehungClick();
    p.display.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
    if (WaitPumping(2000))
        m_settingsCommands->ApplySettings();
}

bool DrawControl::WaitPumping(int ms)
{
    if (m_closing)
        return false;
    const quint32 start = p.platform.tickCount();
    QEventLoop loop;
    QTimer poll;
    const auto check = [&] {
        if (m_closing || p.platform.tickCount() - start >= quint32(ms))
            loop.quit();
    };
    connect(&poll, &QTimer::timeout, &loop, check);
    poll.start(10);
    check();
    if (p.platform.tickCount() - start < quint32(ms) && !m_closing)
        loop.exec();
    return !m_closing;
}
