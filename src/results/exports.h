#pragma once

#include "platform/savefile.h"
#include "results/resultsmodel.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// The results table written out as a text file (appended, a history of exports), a CSV file or
// an HTML page. Every export takes the rows in the order the table shows them and writes the
// cell texts as shown, in the system's 8-bit encoding (UTF-8 on the desktops the program runs
// on), lines ending in CR LF.

// Which values a row carries: the layout follows whether the Spiel column is shown and whether
// the prize list is on.
enum class ExportLayout {
    Plain, // Durchgang, Gezogen
    Game,  // Durchgang, Spiel, Gezogen; the lottery table, the drawn number has no header
    Prize, // Durchgang, Spiel (the prize), Gezogen (the winner)
};
ExportLayout exportLayoutOf(bool spielShown, bool winningsOn);

// The captions an export writes, from the language constants of the language in force.
struct ExportCaptions {
    QString txtHeader;       // the TXT header line before its time stamp
    QString csvHeader;       // the whole CSV header line, quotes included
    QString htmlTitle;       // title and heading of the page
    QStringList htmlColumns; // the texts of the header cells
};
ExportCaptions exportCaptions(ExportLayout layout);

// Everything one export needs.
struct ResultsExport {
    ExportLayout layout = ExportLayout::Plain;
    QList<ResultRow> rows; // in the table's display order
    ExportCaptions captions;
    QDateTime time; // the TXT time stamp
    QLocale locale; // its date and time formats
    QString note;   // a last line after the rows (the verifiable draw's commitment); may be empty
};

// "date   time": the locale's short date, three blanks, its long time without the time zone.
QString exportTimeStamp(const QDateTime &time, const QLocale &locale);

// A text with & < > " written as character references.
QString htmlEscaped(const QString &text);

// The bytes of each export. TXT: the header line with its time stamp, then one line per row,
// values separated by two tabs, written as they are. CSV: the header line, then every value
// quoted. HTML: a complete page declaring UTF-8, the cell texts escaped.
QByteArray txtExportContent(const ResultsExport &data);
QByteArray csvExportContent(const ResultsExport &data);
QByteArray htmlExportContent(const ResultsExport &data);

// The writers. TXT is appended to the file (created when missing); a failed append cuts the
// file back, so the earlier exports stay whole. CSV and HTML replace the file as a whole or
// leave the previous one in place. A failure carries the system's reason.
[[nodiscard]] SaveResult appendTxtExport(const QString &path, const ResultsExport &data);
[[nodiscard]] SaveResult writeCsvExport(const QString &path, const ResultsExport &data);
[[nodiscard]] SaveResult writeHtmlExport(const QString &path, const ResultsExport &data);
