#include "results/resultstable.h"

#include "results/resultstableaccessible.h"

#include <QAccessible>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Paints the cells of the table. No column is wide enough to show more than a few hundred
// characters, but the style lays out the whole text of a cell on every paint: a cell of a
// million characters kept the window busy for seconds. Only the start of a long cell is
// handed on to be painted; the model, the draw log, the exports and tooltips keep it whole.
class ResultCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr qsizetype MaxPaintedLength = 400;

    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        if (value.typeId() != QMetaType::QString)
            return QStyledItemDelegate::displayText(value, locale);
        QString text = value.toString();
        if (text.size() > MaxPaintedLength) {
            qsizetype length = MaxPaintedLength;
            if (text.at(length - 1).isHighSurrogate())
                --length;
            text.truncate(length);
            text += QChar(0x2026); // the ellipsis: the cell goes on
        }
        return QStyledItemDelegate::displayText(text, locale);
    }
};

} // namespace

ResultsTable::ResultsTable(const DrawPass &pass, QWidget *parent)
    : QTableView(parent), m_model(new ResultsModel(pass, this)),
      m_emptyCaption(QStringLiteral("Noch keine Ziehung erfolgt"))
{
    setObjectName(QStringLiteral("Resultate"));
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&ResultsTableAccessible::create);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setModel(m_model);
    setItemDelegate(new ResultCellDelegate(this));
    QFont tableFont(QStringLiteral("Tahoma"));
    tableFont.setPixelSize(16);
    tableFont.setBold(true);
    setFont(tableFont);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(false);
    setStyleSheet(QStringLiteral("QTableView::item { border-bottom: 1px solid #d0d0d0; }"));
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(35);
    horizontalHeader()->setFixedHeight(22);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(ResultsModel::Gezogen, Qt::DescendingOrder);
    horizontalHeader()->setHighlightSections(false);
    setColumnWidth(ResultsModel::Durchgang, 272);
    setColumnWidth(ResultsModel::Spiel, 120);
    setColumnWidth(ResultsModel::Gezogen, 316);
    setColumnHidden(ResultsModel::Spiel, true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ResultsTable::headerClicked);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ResultsTable::showSortMark);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &ResultsTable::announceNewRows);
}

QString ResultsTable::spokenRow(int row) const
{
    QStringList parts;
    for (int c = 0; c < ResultsModel::ColumnCount; ++c) {
        if (isColumnHidden(c))
            continue;
        parts << m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() +
                     QLatin1Char(' ') + m_model->index(row, c).data().toString();
    }
    return parts.join(QStringLiteral(", "));
}

void ResultsTable::announceNewRows(const QModelIndex &parent, int, int last)
{
    if (parent.isValid())
        return;
    const QString text = spokenRow(last);
    setAccessibleDescription(text);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
    Q_EMIT rowAnnounced(text);
}

void ResultsTable::setColumnShown(ResultsModel::Column column, bool shown)
{
    if (isColumnHidden(column) == !shown)
        return;
    setColumnHidden(column, !shown);
    // Assistive technology sees the shown columns only: its cells are made anew.
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent changed(this,
                                                 QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&changed);
        QAccessibleEvent reordered(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reordered);
    }
}

void ResultsTable::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The table's own notice would count hidden columns; this one counts the shown ones.
    QAbstractItemView::currentChanged(current, previous);
    if (QAccessible::isActive() && current.isValid() && hasFocus()) {
        const int child = ResultsTableAccessible::childIndex(this, current.row(), current.column());
        if (child >= 0) {
            QAccessibleEvent event(this, QAccessible::Focus);
            event.setChild(child);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void ResultsTable::selectionChanged(const QItemSelection &selected,
                                    const QItemSelection &deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!QAccessible::isActive())
        return;
    for (const QModelIndex &index : selected.indexes()) {
        const int child = ResultsTableAccessible::childIndex(this, index.row(), index.column());
        if (child < 0)
            continue;
        QAccessibleEvent event(this, QAccessible::SelectionAdd);
        event.setChild(child);
        QAccessible::updateAccessibility(&event);
    }
}

int ResultsTable::visibleColumnCount() const
{
    int count = 0;
    for (int c = 0; c < ResultsModel::ColumnCount; ++c)
        count += isColumnHidden(c) ? 0 : 1;
    return count;
}

void ResultsTable::sortResults(ResultsModel::Column column, Qt::SortOrder order)
{
    m_model->sort(column, order);
    horizontalHeader()->setSortIndicator(column, order);
}

void ResultsTable::showSortMark()
{
    horizontalHeader()->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
}

void ResultsTable::headerClicked(int section)
{
    if (section != ResultsModel::Durchgang && section != ResultsModel::Gezogen) {
        showSortMark(); // the mark stays where the rows are sorted
        return;
    }
    const Qt::SortOrder order =
        m_model->sortColumn() == section && m_model->sortOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
    sortResults(ResultsModel::Column(section), order);
}

void ResultsTable::setSelectionHidden(bool hidden)
{
    if (hidden == m_selectionHidden)
        return;
    m_selectionHidden = hidden;
    QPalette pal = palette();
    const QPalette normal = QPalette();
    pal.setColor(QPalette::Highlight,
                 hidden ? pal.color(QPalette::Base) : normal.color(QPalette::Highlight));
    pal.setColor(QPalette::HighlightedText,
                 hidden ? pal.color(QPalette::Text) : normal.color(QPalette::HighlightedText));
    setPalette(pal);
}

void ResultsTable::FitResultColumns(int windowWidth)
{
    const int visible = visibleColumnCount();
    const int width = visible > 0 ? windowWidth / visible : windowWidth;
    for (int c = 0; c < ResultsModel::ColumnCount; ++c)
        setColumnWidth(c, width);
}

void ResultsTable::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (m_model->rowCount() != 0)
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, m_emptyCaption);
}

void ResultsTable::setEmptyCaption(const QString &caption)
{
    m_emptyCaption = caption;
    viewport()->update();
}
