#include "app/timeddrawing.h"

#include "app/controlstrip.h"
#include "app/soundpart.h"
#include "app/windowtimer.h"
#include "draw/drawmode.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "settings/modepage.h"
#include "settings/settingssource.h"

TimedDrawing::TimedDrawing(const Parts &parts, QObject *parent)
    : QObject(parent), p(parts), IntervallTimer(new WindowTimer(1000, this)),
      Nochtimer(new WindowTimer(1000, this))
{
    setObjectName(QStringLiteral("TimedDrawing"));
    IntervallTimer->setObjectName(QStringLiteral("IntervallTimer"));
    Nochtimer->setObjectName(QStringLiteral("Nochtimer"));
    connect(IntervallTimer, &WindowTimer::timeout, this, &TimedDrawing::IntervallTimerTimer);
    connect(Nochtimer, &WindowTimer::timeout, this, &TimedDrawing::NochtimerTimer);
}

TimedDrawing::~TimedDrawing() = default;

void TimedDrawing::stop()
{
    IntervallTimer->setEnabled(false);
    Nochtimer->setEnabled(false);
}

void TimedDrawing::endPass()
{
    IntervallTimer->setEnabled(false);
    p.strip.setStartShown(false);
    p.strip.showNote(lng("StrZiehungEnde"));
    if (p.settings.current().Help)
        p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisNeuerDurchgang"),
                              Platform::Icon::Information, Platform::Buttons::Ok);
}

bool TimedDrawing::autopilotTakesOver(qsizetype drawsMade)
{
    const Settings settings = p.settings.current();
    if (!settings.AutoPilot || settings.mode() != DrawMode::Manual || drawsMade < settings.AutoVal)
        return false;
    p.mode.chooseMode(int(DrawMode::Timer));
    return true;
}

bool TimedDrawing::autostopApplies() const
{
    const Settings settings = p.settings.current();
    return settings.mode() == DrawMode::Manual && settings.Autostop;
}

void TimedDrawing::toggleAutostop()
{
    if (!AutostopArmed) {
        IntervallTimer->setInterval(1000);
        IntervallTimer->setEnabled(true);
        AutostopRemaining = p.settings.current().Intervall;
        AutostopArmed = true;
        p.strip.showNote(autostopText(AutostopRemaining));
    } else {
        IntervallTimer->setEnabled(false);
        AutostopRemaining = 0;
        AutostopArmed = false;
        p.strip.hideNote();
    }
}

void TimedDrawing::IntervallTimerTimer()
{
    IntervalTick();
}

void TimedDrawing::IntervalTick()
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
    Q_EMIT startStopDue();
}

void TimedDrawing::NochtimerTimer()
{
    if (p.platform.now() >= NextDrawTime) {
        Nochtimer->setEnabled(false);
        p.mode.chooseMode(int(DrawMode::Manual));
        p.display.ShowOnDisplay(lng("StrGleich"), 2, false);
        return;
    }
    ShowTimeToNextDraw();
}

void TimedDrawing::ShowTimeToNextDraw()
{
    p.display.ShowOnDisplay(timeToNextDrawText(p.platform.now(), NextDrawTime), 2, false);
}

void TimedDrawing::ActivateMode()
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
