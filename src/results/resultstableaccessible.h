#pragma once

#include <QAccessibleWidget>
#include <QHash>

class ResultsTable;

// What assistive technology sees of the results table: a table of the columns the user sees,
// in the order shown, each with its header cell; a hidden column (the prizes while none are
// drawn) is not there at all. Children: the header cells, then the cells row by row.
class ResultsTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ResultsTableAccessible(ResultsTable *table);
    ~ResultsTableAccessible() override;

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface *create(const QString &className, QObject *object);
    // The child index of a cell of the model (row -1: its header), -1 for a hidden column.
    static int childIndex(const ResultsTable *table, int row, int modelColumn);

    ResultsTable *table() const;
    void *interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    void forgetCells() const;
    mutable QHash<int, QAccessible::Id> m_cells; // by child index
};
