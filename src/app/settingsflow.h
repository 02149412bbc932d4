#pragma once

#include "app/commands.h"

#include <QString>
#include <QtGlobal>

class ControlStrip;
class ListControl;
class VerifiedDraw;
class HelpViewer;
class MainLayout;
class Platform;
class ResultsTable;
class SettingsHost;
class SettingsPanel;
class SettingsSource;
class SoundControl;

// Opening the settings panel, which interrupts the draw control, and applying the settings,
// which saves them, rebuilds the pool, closes the panel and arms the chosen mode.
class SettingsFlow : public SettingsCommands {
public:
    struct Parts {
        SettingsPanel &panel;
        SettingsHost &host; // what saving needs of the window
        const SettingsSource &settings;
        MainLayout &layout;
        ControlStrip &strip;
        ResultsTable &results;
        HelpViewer &help;
        Platform &platform;
        SoundControl &sound;
        DrawCommands &draw;
        PassCommands &pass; // the pool part
        ListControl &lists;
        VerifiedDraw &verify;
        QString settingsFile;
        QString errorCaption; // the program's standard error box: the window's title
    };
    explicit SettingsFlow(const Parts &parts);

    // SettingsCommands.
    void OpenSettingsPanel() override;
    bool ApplySettings() override;
    bool helpPageShown() const override;
    bool panelShown() const override;

    void MMParameterClick() { OpenSettingsPanel(); }
    void BTEinstellungenSchliessenClick() { ApplySettings(); }
    // Called at the end of each successful apply, for the parts that follow the settings.
    void setAppliedHook(std::function<void()> hook) { m_applied = std::move(hook); }

    // Loads the help page of the settings page with this caption into the help viewer.
    void loadHelpPage(const QString &pageCaption);
    // "Hilfe" ticked: the general help below the panel; unticked: the results instead.
    void HilfeAktivClick(bool ticked);
    // The language changed (HilfeLngChange): later pages come in that language, and with
    // "Hilfe" ticked the page in front is loaded again in it.
    void helpLanguageChanged(quint16 languageId);
    // Hides the panel and the help viewer and shows the normal view again.
    void closePanel();

    // Writes the settings file; on failure shows the error and returns false.
    bool saveSettings();

private:
    bool lotteryQuestions();
    bool timeOfDayValid();

    Parts p;
    std::function<void()> m_applied;
};
