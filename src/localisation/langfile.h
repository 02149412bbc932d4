#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The language id a language file states for itself when it has no "LANGID" parameter.
inline constexpr quint16 LangFileDefaultLanguageId = 1033;

// The translated texts of one controller section: text by property ID.
struct TLangCompTranslation {
    QString sectionName;
    QHash<qint32, QString> texts;

    const QString *text(qint32 id) const;
};

// One parsed language file: its parameters, its constants and one translation per
// controller section. Section and constant names are compared case-insensitively.
struct TLangCompTranslations {
    QHash<QString, QString> parameters; // key as written -> value
    QHash<QString, QString> constants;  // constant name as written -> text
    QList<TLangCompTranslation> sections;

    // The section of that name (any case), nullptr when the file has none.
    const TLangCompTranslation *section(const QString &name) const;
    // The "LANGID" parameter, LangFileDefaultLanguageId when absent or not a number.
    quint16 languageId() const;
};

struct LangFileParse {
    TLangCompTranslations translations;
    // Empty when the file was read completely; otherwise
    // "Loading translations failed.\r\nLine <n>: <problem>", lines counted from 0.
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// Reads a language file: UTF-16 with a byte-order mark (either byte order), or 8-bit text
// decoded with the code page of the language the file's own "LANGID" parameter names.
//
// Lines end with CR LF, CR or LF and are trimmed of characters up to 32; empty lines and
// lines starting with ";" are skipped. "[name]" opens a section: "$CONSTANTS" the constants,
// any other name the section of the controller with that name. Other lines are "key=value",
// split at the first "="; before the first section they are parameters, in the constants
// section a constant name and its text, in a controller section a property ID (positive
// decimal, written with eight digits) and its text. Values are decoded with DecodeLangFileValue.
LangFileParse ParseLanguageFile(const QByteArray &data);

// Decodes the escapes of a language file value: "\\" a backslash, "\n" a line break (CR LF),
// "\t" a tab, a backslash and two decimal digits the character of that code; any other
// backslash stays as it is.
QString DecodeLangFileValue(const QString &value);
// The reverse: a value that DecodeLangFileValue turns back into text and that survives the
// trimming of its line (blanks at either end are written as "\32").
QString EncodeLangFileValue(const QString &text);

// The lines of a list-of-lines text: split at CR LF, CR or LF; a line break at the very end
// does not start another line.
QStringList SplitTextLines(const QString &text);
