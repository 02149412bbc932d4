#include "results/exports.h"

#include "localisation/uitext.h"

namespace {
const QLatin1String CrLf("\r\n");
const QLatin1String TwoTabs("\t\t");

bool hasSpiel(ExportLayout layout)
{
    return layout != ExportLayout::Plain;
}

// The locale's long time format without its time zone: a clock time is written as the wall
// clock showed it.
QString timeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        kept.append(c);
    }
    return kept.trimmed();
}

// Room for the output of all rows, reserved at once: growing a text of many megabytes step by
// step copies it again and again.
qsizetype estimatedSize(const QList<ResultRow> &rows, qsizetype perRow)
{
    qsizetype size = 1024;
    for (const ResultRow &row : rows)
        size += row.Spiel.size() + row.Gezogen.size() + perRow;
    return size;
}

// Text written in the system's 8-bit encoding, which is UTF-8 on the desktops the program runs on.
QByteArray eightBit(const QString &text)
{
    return text.toUtf8();
}

// The exports run over every row of tables of many thousand rows: the values are appended to
// the output in place, and a text that needs no change is copied as a whole.
void appendCsvValue(QString &out, const QString &text)
{
    out += QLatin1Char('"');
    if (!text.contains(QLatin1Char('"'))) {
        out += text;
    } else {
        for (const QChar c : text) {
            if (c == QLatin1Char('"'))
                out += QLatin1Char('"');
            out += c;
        }
    }
    out += QLatin1Char('"');
}

QLatin1String htmlReference(QChar c)
{
    switch (c.unicode()) {
    case '&': return QLatin1String("&amp;");
    case '<': return QLatin1String("&lt;");
    case '>': return QLatin1String("&gt;");
    case '"': return QLatin1String("&quot;");
    default: return {};
    }
}

void appendHtmlEscaped(QString &out, const QString &text)
{
    qsizetype plain = 0; // start of the characters not yet copied
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QLatin1String reference = htmlReference(text.at(i));
        if (reference.isEmpty())
            continue;
        out += QStringView(text).mid(plain, i - plain);
        out += reference;
        plain = i + 1;
    }
    out += QStringView(text).mid(plain);
}
} // namespace

ExportLayout exportLayoutOf(bool spielShown, bool winningsOn)
{
    if (!spielShown)
        return ExportLayout::Plain;
    return winningsOn ? ExportLayout::Prize : ExportLayout::Game;
}

ExportCaptions exportCaptions(ExportLayout layout)
{
    ExportCaptions captions;
    captions.htmlTitle = lng("StrZiehungErg");
    switch (layout) {
    case ExportLayout::Plain:
        captions.txtHeader = lng("StrTXTausgabe2");
        captions.csvHeader = lng("StrZiehungCSV2");
        captions.htmlColumns = {lng("StrZiehung"), lng("StrZiehungZahl")};
        break;
    case ExportLayout::Game:
        captions.txtHeader = lng("StrTXTausgabe1");
        captions.csvHeader = lng("StrZiehungCSV3");
        captions.htmlColumns = {lng("StrZiehung"), lng("StrSpielZahl")};
        break;
    case ExportLayout::Prize:
        captions.txtHeader = lng("StrTXTausgabe3");
        captions.csvHeader = lng("StrZiehungCSV4");
        captions.htmlColumns = {lng("StrZiehung"), lng("StrGewinn"), lng("StrLosnummer")};
        break;
    }
    return captions;
}

QString exportTimeStamp(const QDateTime &time, const QLocale &locale)
{
    return locale.toString(time.date(), QLocale::ShortFormat) + QLatin1String("   ") +
           locale.toString(time.time(), timeFormatWithoutZone(locale));
}

QString htmlEscaped(const QString &text)
{
    QString escaped;
    appendHtmlEscaped(escaped, text);
    return escaped;
}

QByteArray txtExportContent(const ResultsExport &data)
{
    // The time stamp stands after the caption as one more tab-separated field.
    QString text =
        data.captions.txtHeader + TwoTabs + exportTimeStamp(data.time, data.locale) + CrLf;
    const bool spiel = hasSpiel(data.layout);
    for (const ResultRow &row : data.rows) {
        text += QString::number(row.Durchgang) + TwoTabs;
        if (spiel)
            text += row.Spiel + TwoTabs;
        text += row.Gezogen + CrLf;
    }
    if (!data.note.isEmpty())
        text += data.note + CrLf;
    return eightBit(text);
}

QByteArray csvExportContent(const ResultsExport &data)
{
    QString text;
    text.reserve(estimatedSize(data.rows, 24));
    text += data.captions.csvHeader + CrLf;
    const bool spiel = hasSpiel(data.layout);
    for (const ResultRow &row : data.rows) {
        appendCsvValue(text, QString::number(row.Durchgang));
        text += QLatin1Char(',');
        if (spiel) {
            appendCsvValue(text, row.Spiel);
            text += QLatin1Char(',');
        }
        appendCsvValue(text, row.Gezogen);
        text += CrLf;
    }
    if (!data.note.isEmpty()) {
        appendCsvValue(text, data.note);
        text += CrLf;
    }
    return eightBit(text);
}

QByteArray htmlExportContent(const ResultsExport &data)
{
    const QString title = htmlEscaped(data.captions.htmlTitle);
    QString text;
    text.reserve(estimatedSize(data.rows, 64));
    text += QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"
                          "<html><head>") +
            CrLf;
    text += QLatin1String("<meta http-equiv=\"content-type\" content=\"text/html; "
                          "charset=UTF-8\" />") +
            CrLf;
    text += QLatin1String("<meta name=\"generator\" content=\"Tivrel results export\" />") + CrLf;
    text += QLatin1String("<title>") + title +
            QLatin1String("</title><style type=\"text/css\"><!--") + CrLf;
    text += QLatin1String("body {font-family: \"Trebuchet MS\", Verdana, Arial, Helvetica, "
                          "sans-serif; font-size: 100.01%; margin: 0px; padding:0px;}") +
            CrLf;
    text += QLatin1String("table {width: 80%; align:center; border:0;} td {text-align:center; "
                          "}--></style></head><body><table><h1>") +
            title + QLatin1String("</h1><tr>") + CrLf;
    for (const QString &column : data.captions.htmlColumns)
        text += QLatin1String("<th><h3>") + htmlEscaped(column) + QLatin1String("</h3></th>");
    text += QLatin1String("</tr>") + CrLf;
    const bool spiel = hasSpiel(data.layout);
    for (const ResultRow &row : data.rows) {
        text +=
            QLatin1String("<tr><td>") + QString::number(row.Durchgang) + QLatin1String("</td><td>");
        if (spiel) {
            appendHtmlEscaped(text, row.Spiel);
            text += QLatin1String("</td><td>");
        }
        appendHtmlEscaped(text, row.Gezogen);
        text += QLatin1String("</td></tr>") + CrLf;
    }
    text += QLatin1String("</table>");
    if (!data.note.isEmpty()) {
        text += QLatin1String("<p>");
        appendHtmlEscaped(text, data.note);
        text += QLatin1String("</p>");
    }
    text += QLatin1String("</body></html>") + CrLf;
    return eightBit(text);
}

SaveResult appendTxtExport(const QString &path, const ResultsExport &data)
{
    return appendToFile(path, txtExportContent(data));
}

SaveResult writeCsvExport(const QString &path, const ResultsExport &data)
{
    return saveFileAtomically(path, csvExportContent(data));
}

SaveResult writeHtmlExport(const QString &path, const ResultsExport &data)
{
    return saveFileAtomically(path, htmlExportContent(data));
}
