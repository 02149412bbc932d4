#include "results/resultsmodel.h"

#include "draw/drawpass.h"

#include <QFont>

#include <algorithm>
#include <numeric>

namespace {
QFont cellFont(int column)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(19);
    font.setBold(column != ResultsModel::Spiel);
    return font;
}

// The text of a Spiel or Gezogen cell.
QString cell(const ResultRows &rows, qsizetype row, int column)
{
    return column == ResultsModel::Spiel ? rows.game(row) : rows.entry(row);
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

ResultsModel::ResultsModel(const DrawPass &pass, QObject *parent)
    : QAbstractTableModel(parent), m_pass(pass)
{
    m_headers[Durchgang] = QStringLiteral("Ziehung Nr.");
    m_headers[Spiel] = QStringLiteral("Spiel / Zahl");
    m_headers[Gezogen] = QStringLiteral("Gezogen");
    connect(&pass, &DrawPass::rowsReset, this, &ResultsModel::passReset);
    connect(&pass, &DrawPass::rowInserted, this, &ResultsModel::passRowInserted);
}

int ResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_pass.rows().size());
}

int ResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

ResultRow ResultsModel::rowAt(int viewRow) const
{
    return m_pass.rows().at(passRow(viewRow));
}

QList<ResultRow> ResultsModel::shownRows() const
{
    if (m_followsPass)
        return m_pass.rows().toList();
    QList<ResultRow> rows;
    rows.reserve(m_order.size());
    for (const qsizetype i : m_order)
        rows.append(m_pass.rows().at(i));
    return rows;
}

QVariant ResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const ResultRows &rows = m_pass.rows();
    const qsizetype row = passRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == Durchgang ? QVariant(QString::number(rows.drawNumber(row)))
                                           : QVariant(cell(rows, row, index.column()));
    case SortRole:
        return index.column() == Durchgang ? QVariant(rows.drawNumber(row))
                                           : QVariant(cell(rows, row, index.column()));
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole: return cellFont(index.column());
    case Qt::ToolTipRole: return m_toolTip ? QVariant(m_toolTip(rows.entry(row))) : QVariant();
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

void ResultsModel::reorder(const QList<qsizetype> &order)
{
    // `order` lists pass rows in their new view order. The selection and every other persistent
    // index move with their row, so they stay on the same draw.
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<qsizetype> passRowOf;
    passRowOf.reserve(before.size());
    for (const QModelIndex &index : before)
        passRowOf.append(m_followsPass ? index.row() : m_order.at(index.row()));
    QList<int> viewRowOf(m_pass.rows().size(), -1);
    for (qsizetype v = 0; v < order.size(); ++v)
        viewRowOf[order.at(v)] = int(v);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(viewRowOf.at(passRowOf.at(i)), before.at(i).column()));
    m_order = order;
    m_followsPass = false;
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    const ResultRows &rows = m_pass.rows();
    // Rows the pass already holds in this order are shown as they stand (the common case after
    // a draw: no sort at all).
    if (column == Durchgang && order == m_pass.rowOrder() && passRowsSorted()) {
        followPass();
        return;
    }
    QList<qsizetype> sorted(rows.size());
    if (m_followsPass)
        std::iota(sorted.begin(), sorted.end(), 0);
    else
        sorted = m_order;
    const bool numeric = m_drawnNumeric;
    // Sorted as texts, the entries are written once: a row holding its entry as a number would
    // otherwise have it written anew for every comparison.
    QStringList entries;
    if (column == Gezogen && !numeric) {
        entries.reserve(rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i)
            entries.append(rows.entry(i));
    }
    const auto less = [&rows, &entries, column, numeric](qsizetype a, qsizetype b) {
        if (column == Durchgang)
            return rows.drawNumber(a) < rows.drawNumber(b);
        if (column == Spiel)
            return rows.game(a) < rows.game(b);
        if (!numeric)
            return entries.at(a) < entries.at(b);
        // Two entries held as numbers are in their plain form: equal numbers, equal texts.
        const std::optional<qint32> na = rows.entryNumber(a);
        const std::optional<qint32> nb = rows.entryNumber(b);
        if (na && nb)
            return *na < *nb;
        return numericTextLess(rows.entry(a), rows.entry(b));
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(sorted.begin(), sorted.end(), less);
    else
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&less](qsizetype a, qsizetype b) { return less(b, a); });
    reorder(sorted);
}

void ResultsModel::followPass()
{
    m_sortColumn = Durchgang;
    m_sortOrder = m_pass.rowOrder();
    if (m_followsPass)
        return;
    QList<qsizetype> identity(m_pass.rows().size());
    std::iota(identity.begin(), identity.end(), 0);
    reorder(identity);
    m_order.clear();
    m_followsPass = true;
}

bool ResultsModel::passRowsSorted() const
{
    const ResultRows &rows = m_pass.rows();
    const bool ascending = m_pass.rowOrder() == Qt::AscendingOrder;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const qint32 before = rows.drawNumber(i - 1);
        const qint32 after = rows.drawNumber(i);
        if (ascending ? after < before : after > before)
            return false;
    }
    return true;
}

void ResultsModel::passReset()
{
    beginResetModel();
    m_order.clear();
    m_followsPass = true;
    // A restored log stands sorted by draw number: the sort mark says so.
    if (m_pass.rows().size() > 1 && passRowsSorted()) {
        m_sortColumn = Durchgang;
        m_sortOrder = m_pass.rowOrder();
    }
    endResetModel();
}

void ResultsModel::passRowInserted(int position)
{
    if (m_followsPass) {
        beginInsertRows({}, position, position);
        endInsertRows();
        return;
    }
    // The view keeps its order; the new row shows at the end until the view follows the pass.
    const int at = int(m_order.size());
    beginInsertRows({}, at, at);
    for (qsizetype &i : m_order)
        if (i >= position)
            ++i;
    m_order.append(position);
    endInsertRows();
}

void ResultsModel::setHeaderText(Column column, const QString &text)
{
    m_headers[column] = text;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}
