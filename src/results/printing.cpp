#include "results/printing.h"

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
#include <QPrinter>
#include <QPrinterInfo>

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
constexpr int CellPadding = 25; // between a cell's text and its column's edges

void paintHeader(QPainter &painter, const PrintTable &table, const PrintLayout &layout,
                 int pageWidth)
{
    painter.setFont(table.headerFont);
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const PrintColumnSpan &span = layout.columns.at(c);
        painter.drawText(
            QRect(span.left, layout.headerTop, span.width, table.geometry.headerHeight),
            Qt::AlignCenter | Qt::TextSingleLine, table.columns.at(c).header);
    }
    painter.setPen(QPen(Qt::black, HeaderLineWidth));
    const int y = layout.firstRowTop;
    painter.drawLine(table.geometry.margin, y, pageWidth - table.geometry.margin, y);
}

void paintRows(QPainter &painter, const PrintTable &table, const PrintLayout &layout,
               const PrintPage &page, int pageWidth)
{
    const int rowHeight = table.geometry.rowHeight;
    painter.setPen(Qt::black);
    for (qsizetype c = 0; c < table.columns.size(); ++c) {
        const PrintColumnSpan &span = layout.columns.at(c);
        painter.setFont(table.columns.at(c).font);
        const QFontMetrics metrics = painter.fontMetrics();
        const int inner = span.width - 2 * CellPadding;
        for (int i = 0; i < page.rowCount; ++i) {
            const QString text = table.rows.at(page.firstRow + i).value(int(c));
            // A text wider than its column starts at the column's left edge and is cut at its
            // right one, so that its beginning can be read.
            const Qt::Alignment align = metrics.horizontalAdvance(text) > inner
                                            ? Qt::AlignLeft | Qt::AlignVCenter
                                            : Qt::AlignCenter;
            painter.drawText(QRect(span.left + CellPadding, layout.firstRowTop + i * rowHeight,
                                   inner, rowHeight),
                             int(align) | Qt::TextSingleLine, text);
        }
    }
    QList<QLineF> lines;
    lines.reserve(page.rowCount);
    const int left = table.geometry.margin;
    const int right = pageWidth - table.geometry.margin;
    for (int i = 1; i <= page.rowCount; ++i) {
        const int y = layout.firstRowTop + i * rowHeight;
        lines.append(QLineF(left, y, right, y));
    }
    painter.setPen(QPen(Qt::gray, LineWidth));
    painter.drawLines(lines);
}
} // namespace

PrintTable printTableOf(const ResultsTable &table)
{
    PrintTable print;
    const ResultsModel *model = table.results();
    const QFont tableFont = table.font();
    print.headerFont = printFont(table.horizontalHeader()->font());
    print.geometry.rowHeight = printRowHeight(fontPixelHeight(tableFont));
    QList<int> shown;
    for (int c = 0; c < ResultsModel::ColumnCount; ++c) {
        if (table.isColumnHidden(c))
            continue;
        shown.append(c);
        // The cells carry their column's font; an empty table has none to print.
        const QVariant cellFont = model->data(model->index(0, c), Qt::FontRole);
        const QFont font = cellFont.isValid() ? cellFont.value<QFont>() : tableFont;
        print.columns.append({model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                              table.columnWidth(c), printFont(font)});
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
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSize page(device.width(), device.height());
    QList<int> widths;
    for (const PrintColumn &column : table.columns)
        widths.append(column.screenWidth);
    const PrintLayout layout = layoutPrint(page, widths, int(table.rows.size()), table.geometry);
    bool first = true;
    for (const PrintPage &printPage : layout.pages) {
        if (!first && !device.newPage()) {
            painter.end();
            return false;
        }
        first = false;
        painter.setPen(Qt::black);
        paintHeader(painter, table, layout, page.width());
        paintRows(painter, table, layout, printPage, page.width());
        if (!table.note.isEmpty()) {
            // Half an inch above the page's lower edge, across the page.
            painter.setFont(table.headerFont);
            painter.drawText(QRect(0, page.height() - 2 * PrintResolution / 3, page.width(),
                                   PrintResolution / 3),
                             Qt::AlignCenter, table.note);
        }
    }
    return painter.end();
}

SaveResult printTableToPdf(const PrintTable &table, const QString &path)
{
    // The document is made in memory and saved as a whole, so a failed write never leaves a
    // half PDF behind.
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
            return {false, QStringLiteral("The PDF document could not be made")};
    }
    return saveFileAtomically(path, buffer.data());
}

PrintResult printResults(const PrintTable &table, const QString &pdfFallbackPath)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const SaveResult saved = printTableToPdf(table, pdfFallbackPath);
        return {saved.ok, saveFailureText(saved), saved.ok ? pdfFallbackPath : QString()};
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setResolution(PrintResolution);
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Tivrel"));
    if (!paintPrintTable(printer, table))
        return {false, QStringLiteral("Printing on %1 failed").arg(info.printerName()), {}};
    return {};
}
