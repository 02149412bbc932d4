#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// One language constant: a named text of the program.
struct TLangConstant {
    QString name;       // ASCII identifier
    QString text;       // current text, in the language in force
    QString sourceText; // text of the source language
    qint32 flags = 0;
};

// The constants, kept sorted by name compared case-insensitively so that a
// lookup finds a name by repeated halving.
class TLangConstants {
public:
    // Index of the constant with that name (any case), -1 when there is none.
    qsizetype indexOf(QStringView name) const;
    // Adds a constant in name order; one with the same name (any case) is replaced.
    void add(const TLangConstant &constant);
    void clear() { m_items.clear(); }

    qsizetype count() const { return m_items.size(); }
    const TLangConstant &at(qsizetype index) const { return m_items.at(index); }
    TLangConstant &operator[](qsizetype index) { return m_items[index]; }

private:
    QList<TLangConstant> m_items;
};

// The newest version of the constants stream, the one the build writes.
inline constexpr int ConstantsStreamVersion = 2;

struct ConstantsStreamResult {
    int version = -1;   // the version byte, -1 when the stream is empty
    bool flag = false;  // the stream's flag (held, not used at run time)
    qint32 count = 0;   // number of constants the stream announces
    qsizetype read = 0; // constants read completely and added
    QString error;      // empty when the whole stream was read

    bool ok() const { return error.isEmpty(); }
};

// Reads a constants stream (little-endian):
//   version byte; for version 2 a flag byte (versions 0 and 1 have none: version 1
//   means the flag is set); the 32-bit number of constants; then per constant a
//   16-bit byte length and the name in 8-bit characters, and the text: version 2
//   a 16-bit length in UTF-16 code units and the text in UTF-16LE, versions 0 and
//   1 a 16-bit byte length and 8-bit characters decoded with codePage.
// Every constant read is added to constants with its text as both current and
// source text. A version above 2 is refused before anything is added. A stream
// that ends early keeps the constants read completely before the cut and reports
// the truncation in error; nothing is ever read beyond the end of the data.
ConstantsStreamResult ReadConstantsStream(const QByteArray &stream, quint32 codePage,
                                          TLangConstants &constants);
