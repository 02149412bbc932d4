#include "app/settingsview.h"

#include "app/controlstrip.h"
#include "app/mainlayout.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/helppages.h"
#include "presentation/helpviewer.h"
#include "results/resultstable.h"
#include "settings/settingspanel.h"

SettingsView::SettingsView(const Parts &parts) : p(parts) {}

void SettingsView::open(bool withHelp)
{
    // The panel on top, the help page or the results below it.
    if (withHelp)
        loadHelpPage(p.panel.activePageCaption());
    p.layout.showSettingsView(withHelp);
    // A finished pass: explain what the two buttons do.
    if (!p.strip.startEnabled() && withHelp)
        p.platform.messageBox(lng("StrTivrelHinweis"), lng("HilfeReset"),
                              Platform::Icon::Information, Platform::Buttons::Ok);
    // The panel shows, full width, without the splitter.
    p.panel.show();
    p.layout.setSplitterShown(false);
    p.layout.EinstellungenResize();
}

void SettingsView::closePanel()
{
    p.layout.showNormalView();
    p.results.setColumnShown(ResultsModel::Spiel, false);
    p.results.setColumnShown(ResultsModel::Gezogen, true);
}

void SettingsView::showResultsAsChosen(bool prizes)
{
    if (prizes)
        p.results.setColumnShown(ResultsModel::Spiel, true);
    p.layout.ApplyListVisibility();
    p.results.FitResultColumns(p.results.window()->width());
}

bool SettingsView::helpPageShown() const
{
    return p.layout.helpShown();
}

bool SettingsView::panelShown() const
{
    return p.layout.settingsViewShown();
}

bool SettingsView::gameColumnShown() const
{
    return p.results.columnShown(ResultsModel::Spiel);
}

void SettingsView::loadHelpPage(const QString &stem)
{
    p.help.showHelp(stem);
}

void SettingsView::HilfeAktivClick(bool ticked)
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

void SettingsView::helpLanguageChanged(quint16 languageId)
{
    SetHelpLanguage(languageId);
    if (p.panel.helpOn())
        loadHelpPage(p.panel.activePageCaption());
}
