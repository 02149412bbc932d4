#pragma once

#include "localisation/langcontroller.h"

#include <QHash>
#include <QString>

#include <functional>

class ControlStrip;
class Platform;
class QMainWindow;
class QTextBrowser;
class ResultsTable;
class SettingsPanel;

// The main window's languages: its controller `spin`, which holds every translatable text of
// the window as designed, the choice of the language at start-up and the language selector
// `HilfeLng` of the options page.
class WindowLanguage {
public:
    struct Parts {
        // "Form1": the language files name its captions and hints by component ("Label3",
        // "MMListe"), which bindControlTexts looks up among its children; the controls whose
        // texts the code sets are handed in below.
        QMainWindow &window;
        SettingsPanel &panel;
        ResultsTable &results;
        QTextBrowser &help;
        ControlStrip &strip;
        Platform &platform;
        QString errorCaption; // the program's standard error box: the window's title
        std::function<bool()> animationRunning;
        // Shows the help page of the settings page with this caption.
        std::function<void(const QString &)> showHelpPage;
        // Puts the texts that the code sets into the controls again, in the language in force.
        std::function<void()> refreshTexts;
    };
    explicit WindowLanguage(const Parts &parts);

    // Binds every text of the window's table to its control and captures the design texts;
    // call once the window is built.
    void bindTexts();

    // Start-up: registers the built-in English, lists the languages in HilfeLng and chooses
    // the language from the system's default language id.
    void chooseStartupLanguage();

    // HilfeLng's change: activates the language chosen and shows the open page's help again.
    void HilfeLngChange();

    // The texts of the draw list's open-file dialog `DlgDateiSuchen` in the language in force.
    struct FileDialogTexts {
        QString defaultExt;
        QString filter; // "description|pattern"
        QString title;
    };
    FileDialogTexts listDialogTexts() const;

    const TLanguageController &controller() const { return m_spin; }

private:
    void bindHeld(qint32 id, const char *component, const char *path, const char *design);

    Parts p;
    TLanguageController m_spin;
    // Texts of the table that no control of this window shows (design data of the original
    // window such as resampler names, or dialogs that read them when they open).
    QHash<qint32, QString> m_held;
    QString m_preFontName;
};
