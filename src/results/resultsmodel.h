#pragma once

#include "draw/resultrow.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>

#include <functional>

class DrawPass;

// The results table `Resultate` as the view shows it: the rows of a pass in the order the user
// chose. After each draw the rows stand in the pass's own order (by draw number); a click on a
// column header sorts the view without touching the pass.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Durchgang = 0, Spiel = 1, Gezogen = 2, ColumnCount = 3 };
    // The raw value a column sorts by (an integer for Durchgang, the text otherwise).
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit ResultsModel(const DrawPass &pass, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // The row shown at `viewRow`.
    ResultRow rowAt(int viewRow) const;
    // The rows in the order shown.
    QList<ResultRow> shownRows() const;

    void setHeaderText(Column column, const QString &text);
    QString headerText(Column column) const { return m_headers[column]; }
    // The tooltip of a row, from its entry (the verifiable draw's chain head); none when unset.
    void setRowToolTip(std::function<QString(const QString &entry)> toolTip)
    {
        m_toolTip = std::move(toolTip);
    }
    // "Gezogen" sorts numerically, or alphabetically while drawing from a list.
    void setDrawnSortNumeric(bool numeric) { m_drawnNumeric = numeric; }

    // -1 while no column is sorted.
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

private:
    void passReset();
    void passRowInserted(int position);
    // Shows the rows in the pass's order again; the selection stays on its draw.
    void followPass();
    bool passRowsSorted() const;
    // The row of the pass shown at `viewRow`.
    qsizetype passRow(int viewRow) const { return m_followsPass ? viewRow : m_order.at(viewRow); }
    void reorder(const QList<qsizetype> &order);

    const DrawPass &m_pass;
    // Rows of the pass in view order; empty while the view follows the pass's order.
    QList<qsizetype> m_order;
    bool m_followsPass = true;
    QString m_headers[ColumnCount];
    bool m_drawnNumeric = true;
    std::function<QString(const QString &entry)> m_toolTip;
    int m_sortColumn = Gezogen;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

// Orders two texts the way a numeric column does: numbers by value before other texts, which
// follow alphabetically.
bool numericTextLess(const QString &a, const QString &b);
