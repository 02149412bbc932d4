#include "localisation/langfile.h"

#include "localisation/codepage.h"
#include "localisation/formattext.h"

#include <QSet>
#include <QStringDecoder>

#include <functional>
#include <limits>

namespace {

const QString ConstantsSectionName = QStringLiteral("$CONSTANTS");
const QString LanguageIdKey = QStringLiteral("LANGID");

QStringView trimmedLine(QStringView line)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && line.at(start).unicode() <= 32)
        ++start;
    while (end > start && line.at(end - 1).unicode() <= 32)
        --end;
    return line.sliced(start, end - start);
}

// Calls visit with the number (from 0) and the text of every line; CR LF, CR and LF end a
// line. Stops early when visit returns false.
void forEachLine(const QString &text, const std::function<bool(int, QStringView)> &visit)
{
    const QStringView all(text);
    int number = 0;
    qsizetype start = 0;
    qsizetype pos = 0;
    while (pos < all.size()) {
        const QChar c = all.at(pos);
        if (c != u'\r' && c != u'\n') {
            ++pos;
            continue;
        }
        if (!visit(number++, all.sliced(start, pos - start)))
            return;
        pos += (c == u'\r' && pos + 1 < all.size() && all.at(pos + 1) == u'\n') ? 2 : 1;
        start = pos;
    }
    if (start < all.size())
        visit(number, all.sliced(start));
}

bool isSectionLine(QStringView line)
{
    return line.size() >= 3 && line.startsWith(u'[') && line.endsWith(u']');
}

// Splits "key=value" at the first "="; false for a line without "=" or with an empty key.
bool splitKeyValue(QStringView line, QStringView &key, QStringView &value)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return false;
    key = trimmedLine(line.first(equals));
    value = trimmedLine(line.sliced(equals + 1));
    return !key.isEmpty();
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

bool isDecimalDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isValidIdentifier(QStringView name)
{
    if (name.isEmpty() || !isAsciiLetter(name.front()))
        return false;
    for (const QChar c : name) {
        if (!isAsciiLetter(c) && !isDecimalDigit(c))
            return false;
    }
    return true;
}

// A property ID: a positive decimal number that fits 32 bits; 0 for anything else.
qint32 propertyId(QStringView key)
{
    qint64 value = 0;
    for (const QChar c : key) {
        if (!isDecimalDigit(c))
            return 0;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<qint32>::max())
            return 0;
    }
    return static_cast<qint32>(value);
}

quint16 languageIdOf(const QString &value)
{
    bool ok = false;
    const uint id = value.toUInt(&ok);
    return ok && id > 0 && id <= 0xFFFF ? static_cast<quint16>(id) : LangFileDefaultLanguageId;
}

// The "LANGID" parameter of an 8-bit file, read before the text is decoded: parameters are
// ASCII, so Latin-1 serves to find it.
quint16 eightBitLanguageId(const QByteArray &data)
{
    quint16 id = LangFileDefaultLanguageId;
    forEachLine(QString::fromLatin1(data), [&id](int, QStringView raw) {
        const QStringView line = trimmedLine(raw);
        if (line.startsWith(u'[') && isSectionLine(line))
            return false;
        QStringView key;
        QStringView value;
        if (!line.startsWith(u';') && splitKeyValue(line, key, value) &&
            key.compare(LanguageIdKey, Qt::CaseInsensitive) == 0)
            id = languageIdOf(value.toString());
        return true;
    });
    return id;
}

QString decodeFileText(const QByteArray &data)
{
    if (data.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(data.sliced(2));
    if (data.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(data.sliced(2));
    QString text = DecodeAnsiText(data, CodePageOfLanguage(eightBitLanguageId(data)));
    if (text.startsWith(QChar(0xFEFF))) // a UTF-8 byte-order mark
        text.remove(0, 1);
    return text;
}

class LangFileParser {
public:
    explicit LangFileParser(TLangCompTranslations &out) : m_out(out) {}

    // Reads one line; returns the problem, or an empty string.
    QString line(QStringView raw)
    {
        const QStringView line = trimmedLine(raw);
        if (line.isEmpty() || line.startsWith(u';'))
            return {};
        if (line.startsWith(u'[')) {
            if (isSectionLine(line))
                openSection(trimmedLine(line.sliced(1, line.size() - 2)).toString());
            return {};
        }
        QStringView key;
        QStringView value;
        if (!splitKeyValue(line, key, value))
            return {};
        switch (m_where) {
        case Where::Parameters:
            m_out.parameters.insert(key.toString(), DecodeLangFileValue(value.toString()));
            return {};
        case Where::Constants: return constant(key, value);
        case Where::Controller: return property(key, value);
        }
        return {};
    }

private:
    enum class Where { Parameters, Constants, Controller };

    void openSection(const QString &name)
    {
        if (name.compare(ConstantsSectionName, Qt::CaseInsensitive) == 0) {
            m_where = Where::Constants;
            return;
        }
        m_where = Where::Controller;
        for (qsizetype i = 0; i < m_out.sections.size(); ++i) {
            if (m_out.sections.at(i).sectionName.compare(name, Qt::CaseInsensitive) == 0) {
                m_section = i; // a section named again goes on where it left off
                return;
            }
        }
        m_out.sections.append(TLangCompTranslation{name, {}});
        m_section = m_out.sections.size() - 1;
    }

    QString constant(QStringView key, QStringView value)
    {
        const QString name = key.toString();
        if (!isValidIdentifier(key))
            return FormatText(QStringLiteral("Invalid constant name (\"%s\")"), {name});
        const QString folded = name.toLower();
        if (m_constantNames.contains(folded))
            return FormatText(QStringLiteral("Duplicate constant name (\"%s\")"), {name});
        m_constantNames.insert(folded);
        m_out.constants.insert(name, DecodeLangFileValue(value.toString()));
        return {};
    }

    QString property(QStringView key, QStringView value)
    {
        const qint32 id = propertyId(key);
        if (id <= 0)
            return {};
        QHash<qint32, QString> &texts = m_out.sections[m_section].texts;
        if (texts.contains(id))
            return FormatText(QStringLiteral("Duplicate property value translation ID (%d)"), {id});
        texts.insert(id, DecodeLangFileValue(value.toString()));
        return {};
    }

    TLangCompTranslations &m_out;
    Where m_where = Where::Parameters;
    qsizetype m_section = -1;
    QSet<QString> m_constantNames;
};

} // namespace

const QString *TLangCompTranslation::text(qint32 id) const
{
    const auto it = texts.constFind(id);
    return it == texts.cend() ? nullptr : &it.value();
}

const TLangCompTranslation *TLangCompTranslations::section(const QString &name) const
{
    for (const TLangCompTranslation &section : sections) {
        if (section.sectionName.compare(name, Qt::CaseInsensitive) == 0)
            return &section;
    }
    return nullptr;
}

quint16 TLangCompTranslations::languageId() const
{
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it) {
        if (it.key().compare(LanguageIdKey, Qt::CaseInsensitive) == 0)
            return languageIdOf(it.value());
    }
    return LangFileDefaultLanguageId;
}

LangFileParse ParseLanguageFile(const QByteArray &data)
{
    LangFileParse result;
    LangFileParser parser(result.translations);
    forEachLine(decodeFileText(data), [&](int number, QStringView line) {
        const QString problem = parser.line(line);
        if (problem.isEmpty())
            return true;
        result.error = FormatText(QStringLiteral("Loading translations failed.\r\nLine %d: %s"),
                                  {number, problem});
        return false;
    });
    if (!result.ok())
        result.translations = {};
    return result;
}

QString DecodeLangFileValue(const QString &value)
{
    if (!value.contains(u'\\'))
        return value;
    QString text;
    text.reserve(value.size());
    const qsizetype size = value.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 >= size) {
            text += c;
            continue;
        }
        const QChar next = value.at(i + 1);
        if (next == u'\\') {
            text += u'\\';
        } else if (next == u'n') {
            text += QStringLiteral("\r\n");
        } else if (next == u't') {
            text += u'\t';
        } else if (i + 2 < size && isDecimalDigit(next) && isDecimalDigit(value.at(i + 2))) {
            text += QChar((next.unicode() - u'0') * 10 + (value.at(i + 2).unicode() - u'0'));
            i += 2;
            continue;
        } else {
            text += c;
            continue;
        }
        ++i;
    }
    return text;
}

QString EncodeLangFileValue(const QString &text)
{
    QString value;
    value.reserve(text.size() + 8);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        const bool atEdge = i == 0 || i == size - 1;
        if (c == u'\\') {
            value += QStringLiteral("\\\\");
        } else if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') {
            value += QStringLiteral("\\n");
            ++i;
        } else if (c == u'\t') {
            value += QStringLiteral("\\t");
        } else if (c.unicode() < 32 || (c == u' ' && atEdge)) {
            value += u'\\' + QString::number(c.unicode()).rightJustified(2, u'0');
        } else {
            value += c;
        }
    }
    return value;
}

QStringList SplitTextLines(const QString &text)
{
    QStringList lines;
    forEachLine(text, [&lines](int, QStringView line) {
        lines.append(line.toString());
        return true;
    });
    return lines;
}
