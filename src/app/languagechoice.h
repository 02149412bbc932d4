#pragma once

#include <QString>

#include <functional>

class OptionsPage;
class Platform;
class SettingsPanel;

// The choice of the program's language: at start-up from the system's language, later by the
// operator in the language selector `HilfeLng` of the options page.
class LanguageChoice {
public:
    struct Parts {
        OptionsPage &options; // its language selector
        SettingsPanel &panel; // whether a help page shows
        Platform &platform;
        QString errorCaption; // the program's standard error box: the window's title
        // Shows the help page in front again, in the language now in force.
        std::function<void()> showHelpPageAgain;
    };
    explicit LanguageChoice(const Parts &parts) : p(parts) {}

    // Start-up: registers the built-in English, lists the languages in HilfeLng and chooses
    // the language from the system's default language id.
    void chooseStartupLanguage();

    // HilfeLng's change: activates the language chosen and shows the open page's help again.
    void HilfeLngChange();

private:
    // The selector shows the language in force, whichever that is after a switch.
    void showLanguageInForce();

    Parts p;
};
