#include "app/modecontrol.h"

#include "app/controlstrip.h"
#include "app/timeddrawing.h"
#include "draw/drawmode.h"
#include "draw/drawpass.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "settings/modepage.h"
#include "settings/settingssource.h"

void ModeControl::DoStatusClick()
{
    ModePage &page = p.mode;
    switch (DrawMode(page.modeIndex())) {
    case DrawMode::Manual:
        page.openFields(page.autostop(), true, false);
        p.timed.stop();
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

void ModeControl::showModeTitle()
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

void ModeControl::chkAutostopClick()
{
    p.mode.openSeconds(p.mode.autostop());
}

void ModeControl::UhrzeitExit()
{
    p.display.ShowOnDisplay(p.mode.timeOfDay(), 2, true);
}
