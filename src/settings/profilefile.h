#pragma once

#include "platform/boundedread.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// An INI file with the semantics of the Windows profile functions:
// - "[Name]" opens a section, "Key = Value" holds a value; section and key names are compared
//   without regard to case, the first section and the first key of a name count;
// - a value is read without surrounding blanks and cut to 2047 characters;
// - a write replaces the key's line in place, appends a missing key to the end of its section
//   and a missing section to the end of the file, and leaves every other line as it was;
// - 8-bit text: valid UTF-8 is read as UTF-8, anything else as Windows-1252; it is written as
//   UTF-8. CR LF, LF and lone CR all end a line; the file keeps CR LF if it had them.
//
// The file is read once, when the object is made. Every write goes to disk at once, and it
// replaces the whole file atomically: the disk holds either the file before or the file after
// that write, never a half-written one, also when the disk is full. A failed write leaves the
// object as it was before that write.
class ProfileFile {
public:
    static constexpr int MaxValueLength = 2047;
    // A settings file holds a few hundred short lines; a larger file is not read, and not
    // written over either.
    static constexpr qint64 MaxFileBytes = qint64(4) * 1024 * 1024;

    // `locale` gives the decimal separator of decimal values (the user's locale by default).
    explicit ProfileFile(const QString &path, const QLocale &locale = QLocale());

    QString path() const { return m_path; }

    // The value of a key, or std::nullopt when the section or the key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    bool hasSection(const QString &section) const { return findSection(section) >= 0; }

    // Typed readers: the key's default when the key is missing or its text does not parse.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    qint32 readInteger(const QString &section, const QString &key, qint32 defaultValue) const;
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;
    double readDecimal(const QString &section, const QString &key, double defaultValue) const;

    // Writers: each writes the whole file at once (unless the key already holds that very
    // text, which leaves the file untouched). On failure they return false, the file on disk
    // and this object stay as they were, and errorString() tells why.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, qint32 value);
    bool writeBool(const QString &section, const QString &key, bool value);
    bool writeDecimal(const QString &section, const QString &key, double value);

    // From now on the writers change only this object; commit() then writes the whole file in
    // one atomic save (or nothing, when no value changed and the file exists). A failed commit
    // takes the object back to what it held before deferWrites().
    void deferWrites();
    bool commit();

    // Why the file was not read (None when it was, Missing when there is none), and the
    // operator's message when something other than a settings file stands in its place (a
    // folder, a pipe, a device, a file beyond MaxFileBytes); empty otherwise.
    ReadRefusal readRefusal() const { return m_readRefusal; }
    QString readRefusalMessage() const { return m_readRefusalMessage; }

    // "In <full path> kann nicht geschrieben werden" (in the language in force) after a failed
    // write.
    QString errorString() const { return m_error; }

    // The text forms of the value types.
    static std::optional<qint32> parseInteger(const QString &text);
    static std::optional<double> parseDecimal(const QString &text, const QLocale &locale);
    static QString decimalText(double value, const QLocale &locale);

    // 8-bit text as this file reads it: UTF-8 when valid, Windows-1252 otherwise.
    static QString decodeEightBit(const QByteArray &bytes);

private:
    qsizetype findSection(const QString &section) const;
    qsizetype findKey(qsizetype sectionLine, const QString &key) const;
    bool save();

    QString m_path;
    QLocale m_locale;
    QStringList m_lines;
    bool m_crlf = false;
    bool m_deferred = false;
    bool m_pending = false;
    QStringList m_committed;
    QString m_error;
    ReadRefusal m_readRefusal = ReadRefusal::None;
    QString m_readRefusalMessage;
};
