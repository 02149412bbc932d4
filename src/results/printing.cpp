#include "results/printing.h"

#include "localisation/formattext.h"
#include "localisation/uitext.h"
#include "results/resultstable.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
// A screen font given in pixels prints at the same size in points as on a 96 dpi screen.
QFont printFont(QFont font)
{
    if (font.pixelSize() > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    return font;
}

int fontPixelHeight(const QFont &font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

constexpr int LineWidth = 3; // about a tenth of a millimetre
constexpr int HeaderLineWidth = 6;
constexpr int CellPadding = 25;   // between a cell's text and its column's edges
constexpr int LinePadding = 10;   // above and below the lines of a wrapped cell
constexpr int NoteHeight = 200;   // the band of the page's note above the bottom margin
constexpr int FooterOffset = 60;  // from the bottom margin's top to the footer's line
constexpr int FooterHeight = 140; // the footer's line

QTextOption wrapping(Qt::Alignment alignment)
{
    QTextOption option(alignment);
    // Words stay whole where they can; a word wider than its column breaks where it must.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// A text laid out in lines of the given width, from the top of its layout.
struct WrappedText {
    std::unique_ptr<QTextLayout> layout;
    int lines = 0;
    qreal height = 0;
};

WrappedText wrapText(const QString &text, const QFont &font, QPaintDevice *device, qreal width)
{
    WrappedText wrapped{std::make_unique<QTextLayout>(text, font, device)};
    QTextLayout &layout = *wrapped.layout;
    layout.setTextOption(wrapping(Qt::AlignLeft));
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, wrapped.height));
        wrapped.height += line.height();
        ++wrapped.lines;
    }
    layout.endLayout();
    return wrapped;
}

// The widest word of a text: a header wraps between its words, never inside one.
qreal widestWord(const QString &text, const QFontMetricsF &metrics)
{
    qreal widest = 0;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

struct PageGrid {
    QList<PrintColumnSpan> columns;
    QList<int> rowHeights;
    QList<QList<bool>> wrapped; // per column, per row: the text takes more than one line
    QList<PrintPage> pages;
};

PageGrid layoutTable(QPaintDevice &device, const PrintTable &table, const QSize &page)
{
    PageGrid grid;
    const QFontMetricsF headerMetrics(table.headerFont, &device);
    QList<PrintColumnNeed> needs;
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const PrintColumn &column = table.columns.at(c);
        const QFontMetricsF metrics(column.font, &device);
        qreal widest = widestWord(column.header, headerMetrics);
        for (const QStringList &row : table.rows)
            widest = std::max(widest, metrics.horizontalAdvance(row.value(int(c))));
        needs.append({int(std::ceil(widest)) + 2 * CellPadding, column.number});
    }
    grid.columns = layoutColumns(page.width(), needs, table.geometry);

    const int body = bodyHeight(page.height(), table.geometry);
    grid.rowHeights.fill(table.geometry.rowHeight, table.rows.size());
    grid.wrapped.resize(table.columns.size());
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const QFont &font = table.columns.at(c).font;
        const QFontMetricsF metrics(font, &device);
        const qreal inner = std::max(1, grid.columns.at(c).width - 2 * CellPadding);
        QList<bool> &wrapped = grid.wrapped[c];
        wrapped.fill(false, table.rows.size());
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            const QString text = table.rows.at(r).value(int(c));
            if (metrics.horizontalAdvance(text) <= inner)
                continue;
            wrapped[r] = true;
            const WrappedText lines = wrapText(text, font, &device, inner);
            const int height = int(std::ceil(lines.height)) + 2 * LinePadding;
            // A row never grows past a page; what is still longer is cut at the page's foot.
            grid.rowHeights[r] = std::clamp(height, grid.rowHeights.at(r), std::max(1, body));
        }
    }
    grid.pages = layoutPages(page.height(), grid.rowHeights, table.geometry);
    return grid;
}

void paintHeader(QPainter &painter, const PrintTable &table, const PageGrid &grid, int pageWidth)
{
    painter.setFont(table.headerFont);
    const PrintGeometry &geometry = table.geometry;
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const PrintColumnSpan &span = grid.columns.at(c);
        painter.drawText(QRect(span.left, geometry.margin, span.width, geometry.headerHeight),
                         Qt::AlignCenter | Qt::TextWordWrap, table.columns.at(c).header);
    }
    painter.setPen(QPen(Qt::black, HeaderLineWidth));
    const int y = firstRowTop(geometry);
    painter.drawLine(geometry.margin, y, pageWidth - geometry.margin, y);
}

void paintRows(QPainter &painter, const PrintTable &table, const PageGrid &grid,
               const PrintPage &page, int pageWidth)
{
    const int top = firstRowTop(table.geometry);
    painter.setPen(Qt::black);
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const PrintColumnSpan &span = grid.columns.at(c);
        painter.setFont(table.columns.at(c).font);
        const int inner = span.width - 2 * CellPadding;
        int y = top;
        for (int r = page.firstRow; r < page.firstRow + page.rowCount; ++r) {
            const QString text = table.rows.at(r).value(int(c));
            const int height = grid.rowHeights.at(r);
            const QRect cell(span.left + CellPadding, y, inner, height);
            if (grid.wrapped.at(c).at(r)) {
                // A longer text starts at the column's left edge and goes on in the lines below.
                const WrappedText lines = wrapText(text, painter.font(), painter.device(), inner);
                const qreal top = cell.top() + std::max(0.0, (cell.height() - lines.height) / 2);
                painter.save();
                painter.setClipRect(cell);
                lines.layout->draw(&painter, QPointF(cell.left(), top));
                painter.restore();
            } else {
                painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, text);
            }
            y += height;
        }
    }
    QList<QLineF> lines;
    lines.reserve(page.rowCount);
    const int left = table.geometry.margin;
    const int right = pageWidth - table.geometry.margin;
    int y = top;
    for (int r = page.firstRow; r < page.firstRow + page.rowCount; ++r) {
        y += grid.rowHeights.at(r);
        lines.append(QLineF(left, y, right, y));
    }
    painter.setPen(QPen(Qt::gray, LineWidth));
    painter.drawLines(lines);
}

void paintFoot(QPainter &painter, const PrintTable &table, const QSize &page, int number, int pages)
{
    const PrintGeometry &geometry = table.geometry;
    painter.setPen(Qt::black);
    if (!table.note.isEmpty()) {
        painter.setFont(table.headerFont);
        const int top = page.height() - geometry.margin - geometry.noteHeight;
        painter.drawText(QRect(0, top, page.width(), geometry.noteHeight), Qt::AlignCenter,
                         table.note);
    }
    QFont font = table.headerFont;
    font.setBold(false);
    painter.setFont(font);
    const QRect line(geometry.margin, page.height() - geometry.margin + FooterOffset,
                     page.width() - 2 * geometry.margin, FooterHeight);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, table.footer);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                     FormatText(table.pageFormat, {number, pages}));
}
} // namespace

PrintTable printTableOf(const ResultsTable &table)
{
    PrintTable print;
    const ResultsModel *model = table.results();
    const QFont tableFont = table.font();
    print.headerFont = printFont(table.horizontalHeader()->font());
    print.geometry.rowHeight = printRowHeight(fontPixelHeight(tableFont));
    print.pageFormat = lng("StrSeiteVon");
    QList<int> shown;
    for (int c = 0; c < ResultsModel::ColumnCount; ++c) {
        if (table.isColumnHidden(c))
            continue;
        shown.append(c);
        // The cells carry their column's font; an empty table has none to print.
        const QVariant cellFont = model->data(model->index(0, c), Qt::FontRole);
        const QFont font = cellFont.isValid() ? cellFont.value<QFont>() : tableFont;
        print.columns.append({model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                              printFont(font), c == ResultsModel::Durchgang});
    }
    const int rows = model->rowCount();
    print.rows.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        cells.reserve(shown.size());
        for (const int c : shown)
            cells.append(model->data(model->index(r, c), Qt::DisplayRole).toString());
        print.rows.append(cells);
    }
    return print;
}

bool paintPrintTable(QPagedPaintDevice &device, const PrintTable &table)
{
    PrintTable sized = table;
    sized.geometry.noteHeight = table.note.isEmpty() ? 0 : NoteHeight;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSize page(device.width(), device.height());
    const PageGrid grid = layoutTable(device, sized, page);
    const int pages = int(grid.pages.size());
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.setPen(Qt::black);
        paintHeader(painter, sized, grid, page.width());
        paintRows(painter, sized, grid, grid.pages.at(p), page.width());
        paintFoot(painter, sized, page, p + 1, pages);
    }
    return painter.end();
}

QByteArray printTableAsPdf(const PrintTable &table)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PrintResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(QStringLiteral("Tivrel"));
        writer.setCreator(QStringLiteral("Tivrel"));
        if (!paintPrintTable(writer, table))
            return {};
    }
    return buffer.data();
}

SaveResult printTableToPdf(const PrintTable &table, const QString &path)
{
    // The document is made in memory and saved as a whole, so a failed write never leaves a
    // half PDF behind.
    const QByteArray pdf = printTableAsPdf(table);
    if (pdf.isEmpty())
        return {false, QStringLiteral("The PDF document could not be made")};
    return saveFileAtomically(path, pdf);
}
