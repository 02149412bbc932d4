#include "app/settingsflow.h"

#include "app/controlstrip.h"
#include "app/listcontrol.h"
#include "app/mainlayout.h"
#include "app/soundpart.h"
#include "app/verifieddraw.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/helppages.h"
#include "presentation/helpviewer.h"
#include "results/resultstable.h"
#include "settings/settingspanel.h"
#include "settings/settingssource.h"
#include "settings/settingsstore.h"

SettingsFlow::SettingsFlow(const Parts &parts) : p(parts) {}

void SettingsFlow::loadHelpPage(const QString &stem)
{
    p.help.showHelp(stem);
}

bool SettingsFlow::helpPageShown() const
{
    return p.layout.helpShown();
}

bool SettingsFlow::panelShown() const
{
    return p.layout.settingsViewShown();
}

void SettingsFlow::helpLanguageChanged(quint16 languageId)
{
    SetHelpLanguage(languageId);
    if (p.panel.helpOn())
        loadHelpPage(p.panel.activePageCaption());
}

void SettingsFlow::HilfeAktivClick(bool ticked)
{
    // Only the open panel has the box; loading the settings at start-up changes no view.
    if (!p.layout.settingsViewShown())
        return;
    if (ticked)
        p.help.showGeneralHelp();
    else
        p.help.hide();
    p.layout.showSettingsView(ticked);
}

void SettingsFlow::OpenSettingsPanel()
{
    const Settings settings = p.settings.current();
    // No sound, no timed draw, no timer; a running animation ends without a draw.
    p.sound.settingsOpened(SoundPart::optionsOf(settings));
    p.draw.interruptForSettings();
    // The panel on top, the help page or the results below it.
    if (settings.Help)
        loadHelpPage(p.panel.activePageCaption());
    p.layout.showSettingsView(settings.Help);
    // A finished pass: explain what the two buttons do.
    if (!p.strip.startEnabled() && settings.Help)
        p.platform.messageBox(lng("StrTivrelHinweis"), lng("HilfeReset"),
                              Platform::Icon::Information, Platform::Buttons::Ok);
    // The panel shows, full width, without the splitter.
    p.panel.show();
    p.layout.setSplitterShown(false);
    p.layout.EinstellungenResize();
}

bool SettingsFlow::lotteryQuestions()
{
    if (p.pass.lotteryTableLeftOver())
        return p.pass.clearLotteryTable();
    if (!p.results.columnShown(ResultsModel::Spiel) &&
        p.settings.current().mode() == DrawMode::Lottery) {
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

void SettingsFlow::closePanel()
{
    p.layout.showNormalView();
    p.results.setColumnShown(ResultsModel::Spiel, false);
    p.results.setColumnShown(ResultsModel::Gezogen, true);
}

bool SettingsFlow::ApplySettings()
{
    // The settings are saved first: a pass never runs on settings the file does not hold.
    if (!saveSettings())
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
        p.lists.LoadPrizeList();
    // Back to the normal view, and the mode chosen takes effect.
    closePanel();
    p.draw.ActivateMode();
    // The prize column, the results list as chosen, the columns fitted to the window.
    if (settings.UseWinnings)
        p.results.setColumnShown(ResultsModel::Spiel, true);
    p.layout.ApplyListVisibility();
    p.results.FitResultColumns(p.results.window()->width());
    // With the verifiable draw: a new segment, its commitment shown before its first draw.
    p.verify.passReady();
    if (m_applied)
        m_applied();
    return true;
}

bool SettingsFlow::saveSettings()
{
    const SettingsSaveResult result = SaveSettings(p.panel, p.host, p.settingsFile);
    if (!result.ok) {
        // The program's standard error box: its title, a stop icon, the text with a full stop.
        p.platform.messageBox(p.errorCaption, result.errorText + QLatin1Char('.'),
                              Platform::Icon::Stop, Platform::Buttons::Ok);
    }
    return result.ok;
}
