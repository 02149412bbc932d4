#include "app/settingsflow.h"

#include "app/settingsview.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "settings/settingssource.h"
#include "settings/settingsstore.h"

bool SettingsSaver::saveSettings()
{
    const SettingsSaveResult result = SaveSettings(p.panel, p.host, p.settingsFile);
    if (!result.ok) {
        // The program's standard error box: its title, a stop icon, the text with a full stop.
        p.platform.messageBox(p.errorCaption, result.errorText + QLatin1Char('.'),
                              Platform::Icon::Stop, Platform::Buttons::Ok);
    }
    return result.ok;
}

SettingsFlow::SettingsFlow(const Parts &parts) : p(parts) {}

bool SettingsFlow::helpPageShown() const
{
    return p.view.helpPageShown();
}

bool SettingsFlow::panelShown() const
{
    return p.view.panelShown();
}

void SettingsFlow::OpenSettingsPanel()
{
    const Settings settings = p.settings.current();
    // No sound, no timed draw, no timer; a running animation ends without a draw.
    p.draw.interruptForSettings();
    // The panel on top, the help page or the results below it.
    p.view.open(settings.Help);
}

bool SettingsFlow::lotteryQuestions()
{
    if (p.pass.lotteryTableLeftOver())
        return p.pass.clearLotteryTable();
    if (!p.view.gameColumnShown() && p.settings.current().mode() == DrawMode::Lottery) {
        const auto answer =
            p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisLottoscheinAn"),
                                  Platform::Icon::Question, Platform::Buttons::OkCancel);
        if (answer != Platform::Answer::Ok)
            return false;
    }
    return true;
}

bool SettingsFlow::timeOfDayValid()
{
    const Settings settings = p.settings.current();
    if (!waitsForTimeOfDay(settings.mode()))
        return true;
    if (parseTimeOfDay(settings.Time).isValid())
        return true;
    p.platform.messageBox(lng("StrTivrelHinweis"),
                          lngFormat("HinweisUhrzeitUngueltig", {settings.Time}),
                          Platform::Icon::Warning, Platform::Buttons::Ok);
    return false;
}

bool SettingsFlow::ApplySettings()
{
    // The settings are saved first: a pass never runs on settings the file does not hold.
    if (!p.saver.saveSettings())
        return false;
    // The autopilot may take over again after the manual part.
    p.draw.allowAutopilot();
    // A change between lottery and ordinary drawing. A time of day that is no time stops
    // here too, before the countdown would aim at a wrong moment.
    if (!lotteryQuestions() || !timeOfDayValid())
        return false;
    // The pool is built anew from the range or the list; the prepare window closes.
    if (!p.pass.BuildPool())
        return false;
    p.pass.closePrepareWindow();
    // Single entries drawn (not a lottery): the prize list is read again.
    const Settings settings = p.settings.current();
    if (drawsSingleEntries(settings.mode()))
        p.pass.LoadPrizeList();
    // Back to the normal view, and the mode chosen takes effect.
    p.view.closePanel();
    p.draw.ActivateMode();
    // The prize column, the results list as chosen, the columns fitted to the window.
    p.view.showResultsAsChosen(settings.UseWinnings);
    // Last, the parts that follow the settings take them in.
    if (m_applied)
        m_applied();
    return true;
}
