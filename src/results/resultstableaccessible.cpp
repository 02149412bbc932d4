#include "results/resultstableaccessible.h"

#include "results/resultstable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>

namespace {

// The model columns the table shows, in the order shown.
QList<int> shownColumns(const ResultsTable *table)
{
    QList<int> columns;
    const QHeaderView *header = table->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!table->isColumnHidden(column))
            columns.append(column);
    }
    return columns;
}

// A cell or a column's header cell (row -1).
class ResultCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ResultCellAccessible(ResultsTable *table, int row, int column)
        : m_table(table), m_row(row), m_column(column)
    {
    }

    bool isValid() const override
    {
        return m_table && m_row < m_table->model()->rowCount() &&
               !m_table->isColumnHidden(m_column);
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_table ? m_table->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_table.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value))
            return {};
        if (m_row < 0)
            return m_table->model()->headerData(m_column, Qt::Horizontal).toString();
        return m_table->model()->index(m_row, m_column).data().toString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        QRect r;
        QWidget *area;
        if (m_row < 0) {
            area = m_table->horizontalHeader();
            const QHeaderView *header = m_table->horizontalHeader();
            r = QRect(header->sectionViewportPosition(m_column), 0, header->sectionSize(m_column),
                      header->height());
        } else {
            area = m_table->viewport();
            r = m_table->visualRect(m_table->model()->index(m_row, m_column));
        }
        return QRect(area->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override
    {
        return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        if (m_row >= 0) {
            s.selectable = true;
            s.focusable = true;
            s.selected = isSelected();
            s.focused = m_table->hasFocus() && m_table->currentIndex().row() == m_row &&
                        m_table->currentIndex().column() == m_column;
        }
        const QRect shown = m_table->viewport()->rect();
        if (m_row >= 0 &&
            !shown.intersects(m_table->visualRect(m_table->model()->index(m_row, m_column))))
            s.offscreen = true;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override
    {
        return m_row >= 0 && m_table->selectionModel() &&
               m_table->selectionModel()->isRowSelected(m_row, QModelIndex());
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        if (m_row < 0 || !table())
            return {};
        return {table()->child(ResultsTableAccessible::childIndex(m_table, -1, m_column))};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return int(shownColumns(m_table).indexOf(m_column)); }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    int row() const { return m_row; }
    int column() const { return m_column; }

private:
    QPointer<ResultsTable> m_table;
    int m_row;
    int m_column;
};

} // namespace

ResultsTableAccessible::ResultsTableAccessible(ResultsTable *table)
    : QAccessibleWidget(table, QAccessible::Table)
{
}

ResultsTableAccessible::~ResultsTableAccessible()
{
    forgetCells();
}

QAccessibleInterface *ResultsTableAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("ResultsTable") && object && object->isWidgetType())
        return new ResultsTableAccessible(static_cast<ResultsTable *>(object));
    return nullptr;
}

int ResultsTableAccessible::childIndex(const ResultsTable *table, int row, int modelColumn)
{
    const QList<int> columns = shownColumns(table);
    const int column = int(columns.indexOf(modelColumn));
    if (column < 0)
        return -1;
    return (row + 1) * int(columns.size()) + column;
}

ResultsTable *ResultsTableAccessible::table() const
{
    return static_cast<ResultsTable *>(widget());
}

void *ResultsTableAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

int ResultsTableAccessible::childCount() const
{
    return (rowCount() + 1) * columnCount();
}

QAccessibleInterface *ResultsTableAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount())
        return nullptr;
    const int row = index / columns - 1;
    const int column = int(shownColumns(table()).at(index % columns));
    // A cell made before the columns changed stands for another column now.
    if (const auto found = m_cells.constFind(index); found != m_cells.constEnd()) {
        auto *cell =
            static_cast<ResultCellAccessible *>(QAccessible::accessibleInterface(found.value()));
        if (cell && cell->row() == row && cell->column() == column)
            return cell;
        if (cell)
            QAccessible::deleteAccessibleInterface(found.value());
    }
    QAccessibleInterface *cell = new ResultCellAccessible(table(), row, column);
    m_cells.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int ResultsTableAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || child->object() || child->parent() != this)
        return -1;
    const auto *cell = static_cast<const ResultCellAccessible *>(child);
    return childIndex(table(), cell->row(), cell->column());
}

QAccessibleInterface *ResultsTableAccessible::childAt(int x, int y) const
{
    const QPoint at = table()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = table()->indexAt(at);
    if (!index.isValid())
        return nullptr;
    return child(childIndex(table(), index.row(), index.column()));
}

QAccessibleInterface *ResultsTableAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child((row + 1) * columnCount() + column);
}

int ResultsTableAccessible::selectedCellCount() const
{
    return int(selectedRows().size()) * columnCount();
}

QList<QAccessibleInterface *> ResultsTableAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> cells;
    for (const int row : selectedRows())
        for (int c = 0; c < columnCount(); ++c)
            cells.append(cellAt(row, c));
    return cells;
}

QString ResultsTableAccessible::columnDescription(int column) const
{
    const QList<int> columns = shownColumns(table());
    if (column < 0 || column >= columns.size())
        return {};
    return table()->model()->headerData(columns.at(column), Qt::Horizontal).toString();
}

int ResultsTableAccessible::columnCount() const
{
    return int(shownColumns(table()).size());
}

int ResultsTableAccessible::rowCount() const
{
    return table()->model()->rowCount();
}

QList<int> ResultsTableAccessible::selectedRows() const
{
    QList<int> rows;
    if (const QItemSelectionModel *selection = table()->selectionModel())
        for (const QModelIndex &index : selection->selectedRows())
            rows.append(index.row());
    return rows;
}

bool ResultsTableAccessible::isRowSelected(int row) const
{
    return table()->selectionModel() && table()->selectionModel()->isRowSelected(row, {});
}

bool ResultsTableAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    table()->selectRow(row);
    return true;
}

void ResultsTableAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    forgetCells();
}

void ResultsTableAccessible::forgetCells() const
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
}
