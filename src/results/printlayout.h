#pragma once

#include <QList>
#include <QSize>

// Where a printout of the results table puts its columns and rows, in the device units of the
// printer. Every page starts with the header row; as many rows follow as fit above the bottom
// margin (and above the page's note, when there is one), and the row that would not fit starts
// the next page. The page number and the date stand in the bottom margin.

struct PrintGeometry {
    int margin = 400;       // all four inner margins
    int headerHeight = 300; // the header row
    int rowHeight = 240;    // each table row, at least
    int noteHeight = 0;     // a band above the bottom margin for the page's note; 0 for none
};

// The printed row height for a table font of the given height: 15 times its absolute value,
// taken up to the next integer.
int printRowHeight(double fontHeight);

struct PrintColumnSpan {
    int left = 0;
    int width = 0;
};

// What a column needs: the width of its widest text, and whether it is a number column, which
// never gets more than that.
struct PrintColumnNeed {
    int width = 0;
    bool number = false;
};

struct PrintPage {
    int firstRow = 0;
    int rowCount = 0;
};

// The columns between the margins, left to right. Number columns are as wide as they need; the
// others share the rest: a column that needs less than an even share gets what it needs, and
// the width left over goes to the others in proportion to their needs, so that only the widest
// texts wrap. The columns meet without gaps and end at the right margin.
QList<PrintColumnSpan> layoutColumns(int pageWidth, const QList<PrintColumnNeed> &needs,
                                     const PrintGeometry &geometry = {});

// The rows on pages, each row as tall as `rowHeights` says. At least one page, holding only the
// header for an empty table; a row taller than a page gets a page of its own.
QList<PrintPage> layoutPages(int pageHeight, const QList<int> &rowHeights,
                             const PrintGeometry &geometry = {});

// The top of the first row on every page.
inline int firstRowTop(const PrintGeometry &geometry)
{
    return geometry.margin + geometry.headerHeight;
}

// The room for rows on a page, below the header and above the note and the bottom margin.
inline int bodyHeight(int pageHeight, const PrintGeometry &geometry)
{
    return pageHeight - firstRowTop(geometry) - geometry.noteHeight - geometry.margin;
}
