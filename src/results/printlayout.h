#pragma once

#include <QList>
#include <QSize>

// Where a printout of the results table puts its columns and rows, in the device units of the
// printer. Every page starts with the header row; as many rows follow as fit above the bottom
// margin, and the row that would not fit starts the next page.

struct PrintGeometry {
    int margin = 400;       // all four inner margins
    int headerHeight = 300; // the header row
    int rowHeight = 240;    // each table row
};

// The printed row height for a table font of the given height: 15 times its absolute value,
// taken up to the next integer.
int printRowHeight(double fontHeight);

struct PrintColumnSpan {
    int left = 0;
    int width = 0;
};

struct PrintPage {
    int firstRow = 0;
    int rowCount = 0;
};

struct PrintLayout {
    QList<PrintColumnSpan> columns; // in the order of the widths given
    QList<PrintPage> pages;         // at least one, holding only the header for an empty table
    int headerTop = 0;
    int firstRowTop = 0; // the top of a page's first row
    int rowsPerPage = 0;
};

// The width between the left and right margins is shared among the columns in proportion to
// their on-screen widths; the columns meet without gaps and end at the right margin.
PrintLayout layoutPrint(const QSize &page, const QList<int> &screenWidths, int rowCount,
                        const PrintGeometry &geometry = {});
