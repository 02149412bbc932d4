#include "results/resultstable.h"

#include <QAccessible>
#include <QHeaderView>
#include <QPainter>

ResultsTable::ResultsTable(const DrawPass &pass, QWidget *parent)
    : QTableView(parent), m_model(new ResultsModel(pass, this)),
      m_emptyCaption(QStringLiteral("Noch keine Ziehung erfolgt"))
{
    setObjectName(QStringLiteral("Resultate"));
    setModel(m_model);
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
    setColumnHidden(column, !shown);
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
