#include "settings/profilefile.h"

#include "localisation/codepage.h"
#include "localisation/filerefusal.h"
#include "localisation/uitext.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {
// Splits at CR LF, LF or a lone CR; a line end at the very end opens no further line.
QStringList splitLines(const QString &text, bool &crlf)
{
    QStringList lines;
    crlf = false;
    bool firstEnd = true;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        const bool pair = c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n';
        if (firstEnd) {
            crlf = pair;
            firstEnd = false;
        }
        if (pair)
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

// "[Name]" with optional blanks around it; returns the name, or std::nullopt for other lines.
std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

// The key name of a "Key=Value" line, or std::nullopt for blank lines, comments and lines
// without an equals sign.
std::optional<QString> keyName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u';'))
        return std::nullopt;
    const qsizetype eq = trimmed.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    return trimmed.left(eq).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value never spans lines: line breaks inside it would start new keys.
QString oneLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}
} // namespace

QString ProfileFile::decodeEightBit(const QByteArray &bytes)
{
    return DecodeEightBitText(bytes);
}

ProfileFile::ProfileFile(const QString &path, const QLocale &locale)
    : m_path(path), m_locale(locale)
{
    const FileRead read = readFileBounded(path, MaxFileBytes);
    m_readRefusal = read.refusal;
    if (read.ok())
        m_lines = splitLines(decodeEightBit(read.bytes), m_crlf);
    // A file that may not be read gives the defaults without a word, as a missing one does;
    // something that is no settings file at all is named.
    if (refusedForWhatItIs(read.refusal))
        m_readRefusalMessage = fileRefusalMessage(path, read);
}

qsizetype ProfileFile::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QString> name = sectionName(m_lines.at(i));
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype ProfileFile::findKey(qsizetype sectionLine, const QString &key) const
{
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (sectionName(m_lines.at(i)))
            break;
        const std::optional<QString> name = keyName(m_lines.at(i));
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

std::optional<QString> ProfileFile::value(const QString &section, const QString &key) const
{
    const qsizetype sectionLine = findSection(section);
    if (sectionLine < 0)
        return std::nullopt;
    const qsizetype keyLine = findKey(sectionLine, key);
    if (keyLine < 0)
        return std::nullopt;
    const QString &line = m_lines.at(keyLine);
    return line.mid(line.indexOf(u'=') + 1).trimmed().left(MaxValueLength);
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    return value(section, key).value_or(defaultValue);
}

qint32 ProfileFile::readInteger(const QString &section, const QString &key,
                                qint32 defaultValue) const
{
    const std::optional<QString> text = value(section, key);
    return text ? parseInteger(*text).value_or(defaultValue) : defaultValue;
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double ProfileFile::readDecimal(const QString &section, const QString &key,
                                double defaultValue) const
{
    const std::optional<QString> text = value(section, key);
    return text ? parseDecimal(*text, m_locale).value_or(defaultValue) : defaultValue;
}

std::optional<qint32> ProfileFile::parseInteger(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    // Hexadecimal as "$1F" or "0x1F", up to 32 bits, taken as the signed value of those bits.
    if (t.startsWith(u'$') || t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = t.mid(t.startsWith(u'$') ? 1 : 2);
        if (digits.isEmpty() || digits.startsWith(u'+') || digits.startsWith(u'-'))
            return std::nullopt;
        const quint32 bits = digits.toUInt(&ok, 16);
        return ok ? std::optional<qint32>(static_cast<qint32>(bits)) : std::nullopt;
    }
    const qint32 number = t.toInt(&ok, 10);
    return ok ? std::optional<qint32>(number) : std::nullopt;
}

std::optional<double> ProfileFile::parseDecimal(const QString &text, const QLocale &locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double number = strict.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString ProfileFile::decimalText(double value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 15);
}

bool ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QStringList before = m_lines;
    const QString line = key + u'=' + oneLine(value);
    const qsizetype sectionLine = findSection(section);
    if (sectionLine < 0) {
        if (!m_lines.isEmpty() && !m_lines.constLast().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
    } else if (const qsizetype keyLine = findKey(sectionLine, key); keyLine >= 0) {
        // The key keeps the spelling it has in the file.
        const QString &old = m_lines.at(keyLine);
        m_lines[keyLine] = old.left(old.indexOf(u'=')).trimmed() + u'=' + oneLine(value);
    } else {
        // After the last non-blank line of the section.
        qsizetype insertAt = sectionLine + 1;
        for (qsizetype i = sectionLine + 1; i < m_lines.size() && !sectionName(m_lines.at(i));
             ++i) {
            if (!m_lines.at(i).trimmed().isEmpty())
                insertAt = i + 1;
        }
        m_lines.insert(insertAt, line);
    }
    // A value the key already holds leaves the file as it is: nothing to write.
    if (m_lines == before && QFileInfo::exists(m_path))
        return true;
    if (m_deferred) {
        m_pending = true;
        return true;
    }
    if (save())
        return true;
    m_lines = before;
    return false;
}

bool ProfileFile::writeInteger(const QString &section, const QString &key, qint32 value)
{
    return writeString(section, key, QString::number(value));
}

bool ProfileFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool ProfileFile::writeDecimal(const QString &section, const QString &key, double value)
{
    return writeString(section, key, decimalText(value, m_locale));
}

void ProfileFile::deferWrites()
{
    m_deferred = true;
    m_pending = false;
    m_committed = m_lines;
}

bool ProfileFile::commit()
{
    m_deferred = false;
    if (!m_pending && QFileInfo::exists(m_path))
        return true;
    m_pending = false;
    if (save())
        return true;
    m_lines = m_committed;
    return false;
}

bool ProfileFile::save()
{
    const QLatin1String lineEnd = m_crlf ? QLatin1String("\r\n") : QLatin1String("\n");
    QString text;
    for (const QString &line : std::as_const(m_lines))
        text += line + lineEnd;
    const QFileInfo info(m_path);
    // A write-protected file is left alone, though its folder would let it be replaced; so is
    // something that was refused for what it is (a pipe, a huge file): what it holds is not
    // known.
    const bool writable =
        !refusedForWhatItIs(m_readRefusal) && (!info.exists() || info.isWritable());
    if (writable && saveFileAtomically(m_path, text.toUtf8()).ok) {
        m_error.clear();
        return true;
    }
    m_error = lngFormat("HinweisEinstellungenNichtGeschrieben", {QDir::toNativeSeparators(m_path)});
    return false;
}
