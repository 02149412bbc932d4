#include "results/resultsmodel.h"

#include <QFont>

#include <algorithm>

namespace {
QFont cellFont(int column)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(19);
    font.setBold(column != ResultsModel::Spiel);
    return font;
}

const QString &cell(const ResultRow &row, int column)
{
    return column == ResultsModel::Spiel ? row.Spiel : row.Gezogen;
}
} // namespace

bool numericTextLess(const QString &a, const QString &b)
{
    bool aNumber = false;
    bool bNumber = false;
    const qlonglong av = a.trimmed().toLongLong(&aNumber);
    const qlonglong bv = b.trimmed().toLongLong(&bNumber);
    if (aNumber != bNumber)
        return aNumber;
    if (aNumber && av != bv)
        return av < bv;
    return a < b;
}

ResultsModel::ResultsModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_headers[Durchgang] = QStringLiteral("Ziehung Nr.");
    m_headers[Spiel] = QStringLiteral("Spiel / Zahl");
    m_headers[Gezogen] = QStringLiteral("Gezogen");
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ResultRow &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == Durchgang ? QVariant(QString::number(row.Durchgang))
                                           : QVariant(cell(row, index.column()));
    case SortRole:
        return index.column() == Durchgang ? QVariant(row.Durchgang)
                                           : QVariant(cell(row, index.column()));
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole: return cellFont(index.column());
    default: return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return m_headers[section];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

void ResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const auto less = [column, numeric = m_drawnNumeric](const ResultRow &a, const ResultRow &b) {
        if (column == Durchgang)
            return a.Durchgang < b.Durchgang;
        if (column == Gezogen && numeric)
            return numericTextLess(a.Gezogen, b.Gezogen);
        return cell(a, column) < cell(b, column);
    };
    // Views hold no persistent indexes into this table, so the rows are simply reordered.
    if (order == Qt::AscendingOrder)
        std::stable_sort(m_rows.begin(), m_rows.end(), less);
    else
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [&less](const ResultRow &a, const ResultRow &b) { return less(b, a); });
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsModel::setRows(QList<ResultRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ResultsModel::appendRow(const ResultRow &row)
{
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.append(row);
    endInsertRows();
}

void ResultsModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

QStringList ResultsModel::drawnEntries() const
{
    QStringList entries;
    entries.reserve(m_rows.size());
    for (const ResultRow &row : m_rows)
        entries.append(row.Gezogen);
    return entries;
}

void ResultsModel::setHeaderText(Column column, const QString &text)
{
    m_headers[column] = text;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}
