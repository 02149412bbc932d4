#pragma once

#include "app/commands.h"

#include <QString>

class ControlStrip;
class MainLayout;
class Platform;
class PoolControl;
class QTextBrowser;
class ResultsTable;
class SettingsHost;
class SettingsPanel;
class SettingsSource;
class SoundOutput;

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
        QTextBrowser &help;
        Platform &platform;
        SoundOutput &sound;
        DrawCommands &draw;
        PoolControl &pool;
        QString settingsFile;
        QString errorCaption; // the program's standard error box: the window's title
    };
    explicit SettingsFlow(const Parts &parts);

    // SettingsCommands.
    void OpenSettingsPanel() override;
    bool ApplySettings() override;
    bool helpPageShown() const override;

    void MMParameterClick() { OpenSettingsPanel(); }
    void BTEinstellungenSchliessenClick() { ApplySettings(); }

    // Loads the help page of the settings page with this caption into the help viewer.
    void loadHelpPage(const QString &pageCaption);
    // Hides the panel and the help viewer and shows the normal view again.
    void closePanel();

    // Writes the settings file; on failure shows the error and returns false.
    bool saveSettings();
    // The lottery run; it draws its games here once it is part of the program.
    void runLottery();

private:
    bool lotteryQuestions();
    bool timeOfDayValid();

    Parts p;
};
