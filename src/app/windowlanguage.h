#pragma once

#include "localisation/langcontroller.h"

#include <QHash>
#include <QString>

#include <functional>

class ControlStrip;
class ModePage;
class QMainWindow;
class QTextBrowser;
class ResultsTable;

// The main window's texts in the language in force: its controller `spin`, which holds every
// translatable text of the window as designed and puts a language's texts into the controls.
// The language is chosen by LanguageChoice.
class WindowLanguage {
public:
    struct Parts {
        // "Form1": the language files name its captions and hints by component ("Label3",
        // "MMListe"), which bindControlTexts looks up among its children; the controls whose
        // texts the code sets are handed in below.
        QMainWindow &window;
        ModePage &modes; // the names of the draw modes
        ResultsTable &results;
        QTextBrowser &help;
        ControlStrip &strip;
        std::function<bool()> animationRunning;
        // Puts the texts that the code sets into the controls again, in the language in force.
        std::function<void()> refreshTexts;
    };
    explicit WindowLanguage(const Parts &parts);

    // Binds every text of the window's table to its control and captures the design texts;
    // call once the window is built.
    void bindTexts();

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
