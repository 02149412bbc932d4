#pragma once

#include "localisation/langconstants.h"

#include <QHash>
#include <QReadWriteLock>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <stdexcept>

// Language ids are Windows locale ids.
inline constexpr quint16 LangIdGerman = 1031;    // German (Germany)
inline constexpr quint16 LangIdEnglishUS = 1033; // English (United States)
inline constexpr quint16 LangIdEnglishUK = 2057; // English (United Kingdom)

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

private:
    void setCurrentLanguageLocked(quint16 language);

    mutable QReadWriteLock m_lock;
    TLangConstants m_constants;
    quint16 m_sourceLanguage = LangIdEnglishUS;
    quint16 m_currentLanguage = LangIdEnglishUS;
    quint32 m_languageCodePage = 0;
};

// The process-wide language manager, created at its first use.
TLanguageManager &LangManager();
