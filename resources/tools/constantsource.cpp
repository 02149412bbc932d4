#include "constantsource.h"

#include <QSet>
#include <QStringList>

namespace {

class Parser {
public:
    Parser(const QString &content, SourceKeys keys) : m_text(content), m_keys(keys) {}

    bool parse(QList<SourceConstant> &constants, QString &error)
    {
        QSet<QString> seen;
        skipBlanks();
        while (m_pos < m_text.size()) {
            SourceConstant constant;
            constant.line = m_line;
            if (m_keys == SourceKeys::Ids ? !readId(constant.name) : !readName(constant.name))
                return fail(error, m_keys == SourceKeys::Ids
                                       ? QStringLiteral("an ID expected")
                                       : QStringLiteral("a constant name expected"));
            if (seen.contains(constant.name.toLower()))
                return fail(error, QStringLiteral("duplicate constant name ") + constant.name);
            seen.insert(constant.name.toLower());
            skipBlanks();
            if (!take(u'='))
                return fail(error, QStringLiteral("\"=\" expected after ") + constant.name);
            skipSpaces();
            if (peek() == u'<') {
                if (!readBlock(constant.text, error))
                    return false;
                constants.append(constant);
                skipBlanks();
                continue;
            }
            skipBlanks();
            if (peek() != u'"')
                return fail(error, QStringLiteral("a quoted text expected for ") + constant.name);
            while (peek() == u'"') {
                if (!readQuoted(constant.text, error))
                    return false;
                skipBlanks();
            }
            constants.append(constant);
        }
        return true;
    }

private:
    QChar peek() const { return m_pos < m_text.size() ? m_text.at(m_pos) : QChar(); }

    bool take(QChar c)
    {
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }

    // Skips white space, line ends and comment lines.
    void skipBlanks()
    {
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos);
            if (c == u'\n') {
                ++m_line;
                ++m_pos;
            } else if (c.isSpace()) {
                ++m_pos;
            } else if (c == u'#') {
                while (m_pos < m_text.size() && m_text.at(m_pos) != u'\n')
                    ++m_pos;
            } else {
                break;
            }
        }
    }

    // Skips blanks and tabs on the current line only.
    void skipSpaces()
    {
        while (m_pos < m_text.size() && (m_text.at(m_pos) == u' ' || m_text.at(m_pos) == u'\t'))
            ++m_pos;
    }

    // "<<MARK" up to the end of its line, then the lines of the text verbatim up to
    // a line that holds just MARK; the lines are joined with CR LF.
    bool readBlock(QString &text, QString &error)
    {
        if (!take(u'<') || !take(u'<'))
            return fail(error, QStringLiteral("\"<<\" expected"));
        QString mark;
        if (!readName(mark))
            return fail(error, QStringLiteral("an end mark expected after \"<<\""));
        skipSpaces();
        if (m_pos < m_text.size() && m_text.at(m_pos) != u'\n' && m_text.at(m_pos) != u'\r')
            return fail(error, QStringLiteral("nothing may follow the end mark ") + mark);
        QStringList lines;
        while (true) {
            const qsizetype lineEnd = m_text.indexOf(u'\n', m_pos);
            if (lineEnd < 0)
                return fail(error, QStringLiteral("end mark ") + mark + QStringLiteral(" missing"));
            m_pos = lineEnd + 1;
            ++m_line;
            qsizetype next = m_text.indexOf(u'\n', m_pos);
            if (next < 0)
                next = m_text.size();
            QString line = m_text.mid(m_pos, next - m_pos);
            if (line.endsWith(u'\r'))
                line.chop(1);
            if (line == mark) {
                m_pos = next;
                text = lines.join(QStringLiteral("\r\n"));
                return true;
            }
            lines.append(line);
        }
    }

    bool readName(QString &name)
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size()) {
            const char16_t c = m_text.at(m_pos).unicode();
            const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
            const bool digit = c >= u'0' && c <= u'9';
            if (!letter && !(digit && m_pos > start))
                break;
            ++m_pos;
        }
        name = m_text.mid(start, m_pos - start);
        return !name.isEmpty();
    }

    // A positive decimal number, kept as written.
    bool readId(QString &id)
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos) >= u'0' && m_text.at(m_pos) <= u'9')
            ++m_pos;
        const int value = m_text.mid(start, m_pos - start).toInt();
        id = QString::number(value); // "07" and "7" are the same ID
        return value > 0;
    }

    bool readQuoted(QString &text, QString &error)
    {
        ++m_pos; // opening quote
        while (true) {
            if (m_pos >= m_text.size() || m_text.at(m_pos) == u'\n')
                return fail(error, QStringLiteral("unterminated text"));
            const QChar c = m_text.at(m_pos++);
            if (c == u'"')
                return true;
            if (c != u'\\') {
                text += c;
                continue;
            }
            switch (peek().unicode()) {
            case u'r': text += u'\r'; break;
            case u'n': text += u'\n'; break;
            case u't': text += u'\t'; break;
            case u'"': text += u'"'; break;
            case u'\\': text += u'\\'; break;
            default: return fail(error, QStringLiteral("unknown escape \\") + peek());
            }
            ++m_pos;
        }
    }

    bool fail(QString &error, const QString &problem) const
    {
        error = QStringLiteral("line %1: %2").arg(m_line).arg(problem);
        return false;
    }

    const QString &m_text;
    const SourceKeys m_keys;
    qsizetype m_pos = 0;
    int m_line = 1;
};

} // namespace

bool ParseConstantSource(const QString &content, QList<SourceConstant> &constants, QString &error,
                         SourceKeys keys)
{
    return Parser(content, keys).parse(constants, error);
}
