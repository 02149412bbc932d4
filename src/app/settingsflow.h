#pragma once

#include "app/commands.h"

#include <QString>

#include <functional>

class Platform;
class SettingsHost;
class SettingsPanel;
class SettingsSource;
class SettingsView;

// Writing the settings file from the panel, with the program's standard error box when it
// fails: the first step of applying the settings.
class SettingsSaver {
public:
    struct Parts {
        SettingsPanel &panel;
        SettingsHost &host; // what saving needs of the window
        Platform &platform;
        QString settingsFile;
        QString errorCaption; // the program's standard error box: the window's title
    };
    explicit SettingsSaver(const Parts &parts) : p(parts) {}

    // Writes the settings file; on failure shows the error and returns false.
    bool saveSettings();

private:
    Parts p;
};

// Opening the settings panel, which interrupts the draw control, and applying the settings,
// which saves them, rebuilds the pool, closes the panel and arms the chosen mode.
class SettingsFlow : public SettingsCommands {
public:
    struct Parts {
        const SettingsSource &settings;
        Platform &platform;
        DrawCommands &draw;
        PassCommands &pass; // the pool part
        SettingsView &view; // the panel, the help beside it, the results below it
        SettingsSaver saver;
    };
    explicit SettingsFlow(const Parts &parts);

    // SettingsCommands.
    void OpenSettingsPanel() override;
    bool ApplySettings() override;
    bool helpPageShown() const override;
    bool panelShown() const override;

    void MMParameterClick() { OpenSettingsPanel(); }
    void BTEinstellungenSchliessenClick() { ApplySettings(); }
    // Called as the last step of each successful apply, for the parts that follow the
    // settings (the verifiable draw's new segment, the results page).
    void setAppliedHook(std::function<void()> hook) { m_applied = std::move(hook); }

private:
    bool lotteryQuestions();
    bool timeOfDayValid();

    Parts p;
    std::function<void()> m_applied;
};
