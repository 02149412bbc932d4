#pragma once

#include "platform/savefile.h"
#include "results/printlayout.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class ResultsTable;

// The results table on paper: the visible columns, each with its on-screen font, the number
// column as wide as its numbers and the entries in the rest of the width, wrapped where they are
// longer; the rows in the table's current order, the header row on every page, a line under
// every row, and the date and "page n of m" at the foot of every page. Text stays text (vector
// output).

struct PrintColumn {
    QString header;
    QFont font;          // sized in points, so that it prints at its on-screen size
    bool number = false; // holds the draw numbers: never wider than they need
};

struct PrintTable {
    QList<PrintColumn> columns; // the visible columns, left to right
    QFont headerFont;
    QList<QStringList> rows; // one text per visible column, in display order
    PrintGeometry geometry;
    QString
        note; // a line at the foot of every page (the verifiable draw's commitment); may be empty
    QString footer;     // left at the foot of every page: when it was printed
    QString pageFormat; // right at the foot: the page and the number of pages for its two %s
};

// Device units of the printout: the margins, the header and the row height are given in dots
// of a 600 dpi printer.
inline constexpr int PrintResolution = 600;

// What the table shows now, ready to print.
PrintTable printTableOf(const ResultsTable &table);

// Paints the table on a paged device (a printer or a PDF writer) set to PrintResolution, from
// its first page on. False when the device refuses a page.
bool paintPrintTable(QPagedPaintDevice &device, const PrintTable &table);

// The printout as a PDF document on A4, titled "Tivrel"; empty when it cannot be made.
QByteArray printTableAsPdf(const PrintTable &table);

// Writes the printout to a PDF file on A4. The file is replaced only by a complete document.
[[nodiscard]] SaveResult printTableToPdf(const PrintTable &table, const QString &path);
