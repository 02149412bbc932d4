#include "app/drawcontrol.h"

#include "app/controlstrip.h"
#include "app/drawanimation.h"
#include "app/timeddrawing.h"
#include "draw/drawpass.h"
#include "localisation/uitext.h"
#include "presentation/entrydisplay.h"

DrawControl::DrawControl(const Parts &parts, QObject *parent) : QObject(parent), p(parts)
{
    setObjectName(QStringLiteral("DrawControl"));
}

DrawControl::~DrawControl() = default;

void DrawControl::stopTimers()
{
    p.animation.abandon();
    p.timed.stop();
}

void DrawControl::windowClosing()
{
    p.animation.windowClosing();
    stopTimers();
}

void DrawControl::endPass()
{
    p.animation.abandon();
    p.timed.endPass();
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
    const bool running = p.animation.animation() == DrawAnimation::Animation::Running;
    if (!running && !p.pass.drawAllowed()) {
        endPass();
        return;
    }

    // Autopilot: after the manual part, timed drawing takes over.
    if (!running && !AutopilotSuppressed && p.timed.autopilotTakesOver(p.pass.rows().size())) {
        m_settingsCommands->ApplySettings();
        AutopilotSuppressed = true;
        return;
    }

    // Whether the autostop applies is decided by the mode before a lottery table goes.
    const bool autostop = p.timed.autostopApplies();

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
    if (autostop)
        p.timed.toggleAutostop();

    // Start or stop the animation; after a stop the draw follows at the next animation tick.
    if (running)
        p.animation.stop();
    else
        p.animation.start();
}

void DrawControl::interruptForSettings()
{
    // Opening the settings: no sound, the autopilot stays off until they are applied, no timer
    // runs.
    p.animation.settingsOpened();
    AutopilotSuppressed = true;
    stopTimers();
}

void DrawControl::ActivateMode()
{
    p.timed.ActivateMode();
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
    return p.animation.WaitPumping(ms);
}
