#include "results/printlayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

int printRowHeight(double fontHeight)
{
    return int(std::ceil(15.0 * std::abs(fontHeight)));
}

QList<PrintColumnSpan> layoutColumns(int pageWidth, const QList<PrintColumnNeed> &needs,
                                     const PrintGeometry &geometry)
{
    const qint64 available = std::max(0, pageWidth - 2 * geometry.margin);
    const qsizetype count = needs.size();
    QList<qint64> widths(count, 0);
    if (count == 0)
        return {};

    QList<qsizetype> flexible;
    qint64 numbers = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (needs.at(i).number)
            numbers += std::max(0, needs.at(i).width);
        else
            flexible.append(i);
    }
    // Number columns that would not leave the others an even share are cut to that share.
    const qint64 evenShare = available / count;
    const bool numbersFit = numbers <= available - evenShare * qint64(flexible.size());
    qint64 left = available;
    for (qsizetype i = 0; i < count; ++i) {
        if (!needs.at(i).number)
            continue;
        const qint64 need = std::max(0, needs.at(i).width);
        widths[i] = numbersFit ? need : std::min(need, evenShare);
        left -= widths[i];
    }
    if (flexible.isEmpty()) {
        // Only number columns: they share what is left in proportion to their needs.
        flexible.resize(count);
        std::iota(flexible.begin(), flexible.end(), 0);
    }

    // The smallest needs first: each takes what it needs up to an even share of what is left.
    QList<qsizetype> order = flexible;
    std::stable_sort(order.begin(), order.end(), [&needs](qsizetype a, qsizetype b) {
        return needs.at(a).width < needs.at(b).width;
    });
    qint64 rest = left;
    qsizetype remaining = order.size();
    QList<qint64> given(count, 0);
    qint64 needSum = 0;
    for (const qsizetype i : order) {
        const qint64 need = std::max(0, needs.at(i).width);
        given[i] = std::min(need, rest / remaining);
        rest -= given[i];
        --remaining;
        needSum += need;
    }
    // What is still left goes to the flexible columns in proportion to their needs.
    qint64 sum = 0;
    qint64 handedOut = 0;
    for (const qsizetype i : flexible) {
        sum += needSum > 0 ? std::max(0, needs.at(i).width) : 1;
        const qint64 share = needSum > 0 ? needSum : flexible.size();
        const qint64 upTo = rest * sum / share;
        widths[i] += given[i] + (upTo - handedOut);
        handedOut = upTo;
    }

    QList<PrintColumnSpan> spans;
    int edge = geometry.margin;
    for (qsizetype i = 0; i < count; ++i) {
        const int width = int(widths.at(i));
        spans.append({edge, width});
        edge += width;
    }
    // Rounding never leaves a gap before the right margin.
    spans.last().width += geometry.margin + int(available) - edge;
    return spans;
}

QList<PrintPage> layoutPages(int pageHeight, const QList<int> &rowHeights,
                             const PrintGeometry &geometry)
{
    const int body = bodyHeight(pageHeight, geometry);
    QList<PrintPage> pages{{0, 0}};
    int used = 0;
    for (qsizetype r = 0; r < rowHeights.size(); ++r) {
        const int height = rowHeights.at(r);
        // A page holds at least one row, however tall.
        if (pages.last().rowCount > 0 && used + height > body) {
            pages.append({int(r), 0});
            used = 0;
        }
        ++pages.last().rowCount;
        used += height;
    }
    return pages;
}
