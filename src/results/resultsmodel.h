#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// One completed draw: its draw number, the game or prize text, the drawn entry.
struct ResultRow {
    qint32 Durchgang = 0;
    QString Spiel;
    QString Gezogen;
    friend bool operator==(const ResultRow &, const ResultRow &) = default;
};

// The rows of the results table `Resultate` in their display order (the current sort order).
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Durchgang = 0, Spiel = 1, Gezogen = 2, ColumnCount = 3 };
    // The raw value a column sorts by (an integer for Durchgang, the text otherwise).
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit ResultsModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    const QList<ResultRow> &rows() const { return m_rows; }
    void setRows(QList<ResultRow> rows);
    void appendRow(const ResultRow &row);
    void clear();
    // The drawn entries in row order.
    QStringList drawnEntries() const;

    void setHeaderText(Column column, const QString &text);
    QString headerText(Column column) const { return m_headers[column]; }
    // "Gezogen" sorts numerically, or alphabetically while drawing from a list.
    void setDrawnSortNumeric(bool numeric) { m_drawnNumeric = numeric; }

    // Records the order the rows already stand in, without moving them.
    void setSortState(int column, Qt::SortOrder order)
    {
        m_sortColumn = column;
        m_sortOrder = order;
    }
    // -1 while no column is sorted.
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

private:
    QList<ResultRow> m_rows;
    QString m_headers[ColumnCount];
    bool m_drawnNumeric = true;
    int m_sortColumn = Gezogen;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

// Orders two texts the way a numeric column does: numbers by value before other texts, which
// follow alphabetically.
bool numericTextLess(const QString &a, const QString &b);
