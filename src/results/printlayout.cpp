#include "results/printlayout.h"

#include <algorithm>
#include <cmath>

int printRowHeight(double fontHeight)
{
    return int(std::ceil(15.0 * std::abs(fontHeight)));
}

PrintLayout layoutPrint(const QSize &page, const QList<int> &screenWidths, int rowCount,
                        const PrintGeometry &geometry)
{
    PrintLayout layout;
    const int left = geometry.margin;
    const qint64 available = std::max(0, page.width() - 2 * geometry.margin);
    qint64 total = 0;
    for (const int width : screenWidths)
        total += std::max(0, width);
    // Edges from the running sum, so that rounding never leaves a gap or pushes the last
    // column past the right margin.
    qint64 sum = 0;
    int edge = left;
    for (qsizetype i = 0; i < screenWidths.size(); ++i) {
        sum += total > 0 ? std::max(0, screenWidths.at(i)) : 1;
        const qint64 share = total > 0 ? total : screenWidths.size();
        const int next = left + int(available * sum / share);
        layout.columns.append({edge, next - edge});
        edge = next;
    }

    layout.headerTop = geometry.margin;
    layout.firstRowTop = geometry.margin + geometry.headerHeight;
    const int body = page.height() - layout.firstRowTop - geometry.margin;
    // A page too small for a single row still takes one, so that every row is printed.
    layout.rowsPerPage = std::max(1, geometry.rowHeight > 0 ? body / geometry.rowHeight : 1);
    int row = 0;
    do {
        const int count = std::min(layout.rowsPerPage, rowCount - row);
        layout.pages.append({row, count});
        row += count;
    } while (row < rowCount);
    return layout;
}
