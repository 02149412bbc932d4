#pragma once

#include "localisation/langconstants.h"

#include <QHash>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <stdexcept>

class TLanguageController;

// Language ids are Windows locale ids.
inline constexpr quint16 LangIdGerman = 1031;    // German (Germany)
inline constexpr quint16 LangIdEnglishUS = 1033; // English (United States)
inline constexpr quint16 LangIdEnglishUK = 2057; // English (United Kingdom)

// The module whose resources hold the built-in language files: the program's own.
inline const QString ProgramModule = QStringLiteral(":/");

// The interface language for a first start, from the system's default language id:
// German for German in Germany, Switzerland, Austria, Luxembourg and Liechtenstein,
// English (United Kingdom) for every other.
quint16 StartupLanguageId(quint16 systemLanguageId);

// The system's name of a language id in the display language of the default QLocale, such
// as "German (Germany)"; the id in decimal when the system has no name for it.
QString LanguageDisplayName(quint16 languageId);

// A selectable language: a language file held as a resource of a module (by name or by
// number) or as a file on disk.
struct TLangResource {
    enum class Kind { ResourceByName = 0, ResourceByNumber = 1, File = 2 };
    Kind kind = Kind::ResourceByName;
    QString module; // resource root, such as ProgramModule
    QString name;   // resource name or file name
    qint32 number = 0;
    quint16 languageId = 0;

    // Where the file's bytes are read from.
    QString location() const;
};

// The outcome of a switch of language.
struct LanguageSwitch {
    bool changed = false; // the language in force is another one now
    QString error;        // why the switch was abandoned; empty when it was not

    bool ok() const { return error.isEmpty(); }
};

// Raised for a constant name that the manager does not hold, among others.
class LocalizationError : public std::runtime_error {
public:
    explicit LocalizationError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// The one language manager of the process: holds the language constants, the
// named texts of every message, label text, file header and help page, in the
// source language (German, built in) and in the language in force.
// Every call takes the manager's lock: reads share it, changes hold it alone.
class TLanguageManager {
public:
    // Loads the constants from the built-in constants stream "LANG_CONSTS"; the
    // source and current language are 1033 until the program sets them.
    TLanguageManager();
    // The same with the constants stream read from the given file or resource
    // path; a missing one leaves the list empty.
    explicit TLanguageManager(const QString &constantsPath);

    TLanguageManager(const TLanguageManager &) = delete;
    TLanguageManager &operator=(const TLanguageManager &) = delete;

    // The current text of a constant, the name compared case-insensitively.
    // Throws LocalizationError "Constant "<name>" not found".
    QString LookupConstant(const QString &name) const;
    // LookupConstant formatted with FormatText ("%s", "%d", ...).
    QString FormatConstant(const QString &name, const QVariantList &args) const;

    void SetSourceLanguage(quint16 id);
    quint16 SourceLanguage() const;
    quint16 CurrentLanguage() const;
    // The 8-bit code page of the current language.
    quint32 LanguageCodePage() const;

    // A switch to a translated language: every constant the translation names
    // takes its text, the others keep their current text.
    void applyTranslation(const QHash<QString, QString> &texts, quint16 language);
    // A switch back to the source language: every current text becomes its source text.
    void resetToSource(quint16 language);

    // The names of all constants, in name order.
    QStringList constantNames() const;

    // Registers the language file held as the data resource resourceName of module under
    // the language id. The source language is ignored; an id registered again is replaced.
    void AddLanguageResource(const QString &module, const QString &resourceName, quint16 id);
    // The same for a language file on disk.
    void AddLanguageFile(const QString &fileName, quint16 id);

    // The selectable languages: index 0 is the source language, index i >= 1 the i-th
    // registered language.
    int LanguageCount() const;
    // The language id at an index; the source language for an index outside the list.
    quint16 LanguageIdAt(int index) const;
    QString LanguageNameAt(int index) const;
    // The index of a language id; 0 for the source language and for an unknown id.
    int LanguageIndexOf(quint16 id) const;

    // Switches the language: the registered language file of id is read afresh; without
    // one (the source language, an id not registered) the source language is taken. When
    // the language in force changes, every constant and every registered controller gets
    // the texts of the new language. A file that cannot be read or parsed abandons the
    // switch with the error and leaves everything as it was.
    LanguageSwitch ActivateLanguage(quint16 id);

    // Controllers register for their whole life (TLanguageController does this itself).
    void registerController(TLanguageController *controller);
    void unregisterController(TLanguageController *controller);
    // Gives a controller whose owner has just been built the texts of the language in force
    // when that is not the source language.
    void applyCurrentTranslation(TLanguageController &controller);

private:
    void setCurrentLanguageLocked(quint16 language);
    void applyConstantsLocked(const QHash<QString, QString> *texts);
    const TLangResource *registeredLocked(quint16 id) const;
    void addLanguage(const TLangResource &language);

    // Recursive: the setters that a switch runs may look up constants while it holds the lock.
    mutable QReadWriteLock m_lock{QReadWriteLock::Recursive};
    QList<TLangResource> m_languages;
    QList<TLanguageController *> m_controllers;
    TLangConstants m_constants;
    quint16 m_sourceLanguage = LangIdEnglishUS;
    quint16 m_currentLanguage = LangIdEnglishUS;
    quint32 m_languageCodePage = 0;
};

// The process-wide language manager, created at its first use.
TLanguageManager &LangManager();
