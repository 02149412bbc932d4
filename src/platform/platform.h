#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class PrintSpooler;
class QImage;

// Everything the program asks of the operating system goes through this interface, so that
// every handler can run headless in a test with a scripted fake.
class Platform {
public:
    enum class Icon { None, Information, Warning, Question, Stop };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Platform() = default;

    // A modal message box; returns the button the user pressed (Cancel or No when closed).
    virtual Answer messageBox(const QString &caption, const QString &text, Icon icon,
                              Buttons buttons) = 0;
    // A modal message box whose buttons carry the program's own texts, in this order; returns
    // the index of the button pressed, or -1 when the box was closed without one.
    virtual int askChoice(const QString &caption, const QString &text, Icon icon,
                          const QStringList &buttons) = 0;
    // The shared open-file dialog; an empty string when the user cancels.
    virtual QString openFileName(const QString &title, const QString &startFolder,
                                 const QString &filter) = 0;
    // The shared save-file dialog, starting at `suggestedPath`; an empty string when the user
    // cancels.
    virtual QString saveFileName(const QString &title, const QString &suggestedPath,
                                 const QString &filter) = 0;
    // Opens a file or URL in the program the desktop associates with it.
    virtual bool shellOpen(const QString &pathOrUrl) = 0;
    // Windows locale id of the system's default language (1031 German, 2057 English UK, ...).
    virtual quint16 systemLanguageId() const = 0;
    // Milliseconds from a steady clock, wrapping at 32 bits.
    virtual quint32 tickCount() const = 0;
    virtual QDateTime now() const = 0;
    virtual QString tempFolder() const = 0;
    // Full path of the program file; the settings file and the draw log sit beside it.
    virtual QString programPath() const = 0;
    // The system's print spooler; null when the system has no print system.
    virtual PrintSpooler *printer() { return nullptr; }
};

// Paths derived from the program file.
QString programFolder(const Platform &platform); // with a trailing '/'
QString programSiblingPath(const Platform &platform, const QString &extension); // ".ini", ".log"
