#pragma once

#include <QString>
#include <QtGlobal>

class ControlStrip;
class HelpViewer;
class MainLayout;
class Platform;
class ResultsTable;
class SettingsPanel;

// What shows while the settings are open: the panel on top, below it the help page of the
// panel's page in front (with "Hilfe" ticked) or the results, and the normal view again when
// they close; the help handlers of the open panel.
class SettingsView {
public:
    struct Parts {
        SettingsPanel &panel; // its "Hilfe" tick and the caption of the page in front
        MainLayout &layout;
        ResultsTable &results;
        HelpViewer &help;
        ControlStrip &strip; // a finished pass disables Start
        Platform &platform;
    };
    explicit SettingsView(const Parts &parts);

    // Shows the panel over the help page (`withHelp`) or the results. After a finished pass
    // with help on, a note says what the two buttons do.
    void open(bool withHelp);
    // Hides the panel and the help viewer and shows the normal view again.
    void closePanel();
    // The results after applying: the prize column when `prizes` are used, the results list
    // as chosen, the columns fitted to the window.
    void showResultsAsChosen(bool prizes);

    // Whether the help page shows in place of the results (the panel is open with help).
    bool helpPageShown() const;
    // Whether the settings panel is open, with the help page below it or not.
    bool panelShown() const;
    // Whether the results table shows its column "Spiel".
    bool gameColumnShown() const;

    // Loads the help page of the settings page with this caption into the help viewer.
    void loadHelpPage(const QString &pageCaption);
    // "Hilfe" ticked: the general help below the panel; unticked: the results instead.
    void HilfeAktivClick(bool ticked);
    // The language changed (HilfeLngChange): later pages come in that language, and with
    // "Hilfe" ticked the page in front is loaded again in it.
    void helpLanguageChanged(quint16 languageId);

private:
    Parts p;
};
