#pragma once

#include "results/resultsmodel.h"

#include <QTableView>

// The results table `Resultate`: a read-only grid of the rows of the current pass with the
// columns Durchgang, Spiel (hidden at start) and Gezogen. The user re-sorts it by clicking the
// header of Durchgang or Gezogen.
class DrawPass;

class ResultsTable : public QTableView {
    Q_OBJECT
public:
    ResultsTable(const DrawPass &pass, QWidget *parent = nullptr);

    ResultsModel *results() const { return m_model; }

    bool columnShown(ResultsModel::Column column) const { return !isColumnHidden(column); }
    void setColumnShown(ResultsModel::Column column, bool shown);
    int visibleColumnCount() const;

    // Sorts by one column; the header shows the sort mark there.
    void sortResults(ResultsModel::Column column, Qt::SortOrder order);
    // The sort mark shows where the rows stand sorted.
    void showSortMark();
    // While a draw runs the selected row is not highlighted.
    void setSelectionHidden(bool hidden);
    bool selectionHidden() const { return m_selectionHidden; }

    // Every column, hidden ones included, gets the window width div the visible columns.
    void FitResultColumns(int windowWidth);

    // Shown in the empty table.
    QString emptyCaption() const { return m_emptyCaption; }
    void setEmptyCaption(const QString &caption);

    // A row as a screen reader hears it: each shown column's header and cell, in column order
    // ("Ziehung Nr. 5, Gezogen 123").
    QString spokenRow(int row) const;

Q_SIGNALS:
    // A draw added a row; its spoken text is also the table's accessible description, and
    // assistive technology is told that it changed.
    void rowAnnounced(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;

private:
    void headerClicked(int section);
    void announceNewRows(const QModelIndex &parent, int first, int last);

    ResultsModel *m_model;
    QString m_emptyCaption;
    bool m_selectionHidden = false;
};
