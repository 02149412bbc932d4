#pragma once

#include "platform/savefile.h"
#include "results/printlayout.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class ResultsTable;

// The results table on paper: the visible columns, each with its on-screen font and a share of
// the page width in proportion to its on-screen width, the rows in the table's current order,
// the header row on every page and a line under every row. Text stays text (vector output).

struct PrintColumn {
    QString header;
    int screenWidth = 0;
    QFont font; // sized in points, so that it prints at its on-screen size
};

struct PrintTable {
    QList<PrintColumn> columns; // the visible columns, left to right
    QFont headerFont;
    QList<QStringList> rows; // one text per visible column, in display order
    PrintGeometry geometry;
    QString
        note; // a line at the foot of every page (the verifiable draw's commitment); may be empty
};

// Device units of the printout: the margins, the header and the row height are given in dots
// of a 600 dpi printer.
inline constexpr int PrintResolution = 600;

// What the table shows now, ready to print.
PrintTable printTableOf(const ResultsTable &table);

// Paints the table on a paged device (a printer or a PDF writer) set to PrintResolution, from
// its first page on. False when the device refuses a page.
bool paintPrintTable(QPagedPaintDevice &device, const PrintTable &table);

// Writes the printout to a PDF file on A4. The file is replaced only by a complete document.
[[nodiscard]] SaveResult printTableToPdf(const PrintTable &table, const QString &path);

struct PrintResult {
    bool ok = true;
    QString error;   // the reason when ok is false
    QString pdfPath; // set when the printout went to this PDF file for want of a printer
};

// Prints at once on the default printer, as one job and without a dialog. With no printer
// installed the printout goes to `pdfFallbackPath` instead.
PrintResult printResults(const PrintTable &table, const QString &pdfFallbackPath);
