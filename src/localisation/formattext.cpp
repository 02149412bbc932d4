#include "localisation/formattext.h"

namespace {

struct Placeholder {
    bool leftAlign = false;
    int width = -1;
    int precision = -1;
    QChar type;
    qsizetype end = 0; // index just past the placeholder
};

// Reads a run of decimal digits at pos; returns -1 when there is none. Values are
// capped so that a silly width cannot ask for gigabytes of blanks.
int readNumber(const QString &text, qsizetype &pos)
{
    if (pos >= text.size() || !text.at(pos).isDigit())
        return -1;
    int value = 0;
    while (pos < text.size() && text.at(pos).isDigit()) {
        value = qMin(value * 10 + text.at(pos).digitValue(), 9999);
        ++pos;
    }
    return value;
}

// Parses the placeholder that starts with the "%" at start; false when the text
// there is not a complete placeholder of a known type.
bool parsePlaceholder(const QString &text, qsizetype start, Placeholder &out)
{
    qsizetype pos = start + 1;
    if (pos < text.size() && text.at(pos) == u'-') {
        out.leftAlign = true;
        ++pos;
    }
    out.width = readNumber(text, pos);
    if (pos < text.size() && text.at(pos) == u'.') {
        ++pos;
        out.precision = readNumber(text, pos);
        if (out.precision < 0)
            out.precision = 0;
    }
    if (pos >= text.size())
        return false;
    const QChar type = text.at(pos).toLower();
    if (type != u's' && type != u'd')
        return false;
    out.type = type;
    out.end = pos + 1;
    return true;
}

QString formatNumber(const QVariant &arg, int precision)
{
    bool ok = false;
    const qlonglong value = arg.toLongLong(&ok);
    if (!ok)
        return arg.toString(); // not a number: shown as its text rather than failing
    QString digits = QString::number(value < 0 ? -static_cast<qulonglong>(value)
                                               : static_cast<qulonglong>(value));
    if (precision > digits.size())
        digits.prepend(QString(precision - digits.size(), u'0'));
    return value < 0 ? u'-' + digits : digits;
}

QString formatArgument(const Placeholder &placeholder, const QVariant &arg)
{
    QString text;
    if (placeholder.type == u'd') {
        text = formatNumber(arg, placeholder.precision);
    } else {
        text = arg.toString();
        if (placeholder.precision >= 0 && text.size() > placeholder.precision)
            text.truncate(placeholder.precision);
    }
    if (placeholder.width > text.size()) {
        const QString fill(placeholder.width - text.size(), u' ');
        text = placeholder.leftAlign ? text + fill : fill + text;
    }
    return text;
}

} // namespace

QString FormatText(const QString &pattern, const QVariantList &args)
{
    QString result;
    result.reserve(pattern.size() + 16);
    qsizetype nextArg = 0;
    qsizetype pos = 0;
    while (pos < pattern.size()) {
        const qsizetype percent = pattern.indexOf(u'%', pos);
        if (percent < 0) {
            result += QStringView(pattern).mid(pos);
            break;
        }
        result += QStringView(pattern).mid(pos, percent - pos);
        if (percent + 1 < pattern.size() && pattern.at(percent + 1) == u'%') {
            result += u'%';
            pos = percent + 2;
            continue;
        }
        Placeholder placeholder;
        if (!parsePlaceholder(pattern, percent, placeholder) || nextArg >= args.size()) {
            result += u'%'; // kept as it stands; the rest follows as plain text
            pos = percent + 1;
            continue;
        }
        result += formatArgument(placeholder, args.at(nextArg++));
        pos = placeholder.end;
    }
    return result;
}
