#include "draw/drawpass.h"
#include "results/resultstable.h"

#include <QAccessible>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTest>

namespace {
QStringList drawn(const ResultsModel &model)
{
    QStringList entries;
    for (const ResultRow &row : model.shownRows())
        entries.append(row.Gezogen);
    return entries;
}

// A pass that draws with a fixed seed, for tables that follow real draws.
struct SeededPass : DrawPass {
    SeededPass() : DrawPass([] { return 4357u; }) {}
};
} // namespace

class TestResultsTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A draw's new row is told to screen readers with the headers of the shown columns;
    // restoring a whole table at start-up announces nothing.
    void newRowIsAnnounced()
    {
        SeededPass pass;
        ResultsTable table(pass);
        QSignalSpy announced(&table, &ResultsTable::rowAnnounced);
        pass.setRows({{1, {}, QStringLiteral("17")}});
        pass.setPool(EntryPool::fromList({QStringLiteral("4711")}), true);
        QCOMPARE(announced.size(), 0);

        std::optional<ResultRow> row = pass.drawEntry({});
        QVERIFY(row);
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.at(0).at(0).toString(), QStringLiteral("Ziehung Nr. 2, Gezogen 4711"));

        table.setColumnShown(ResultsModel::Spiel, true);
        table.results()->setHeaderText(ResultsModel::Spiel, QStringLiteral("Ihr Gewinn"));
        pass.setPool(EntryPool::fromList({QStringLiteral("12")}), false);
        DrawRowRule prizes;
        prizes.gameText = [](qint32, const QString &) { return QStringLiteral("Fahrrad"); };
        row = pass.drawEntry(prizes);
        QVERIFY(row);
        const QString last = QStringLiteral("Ziehung Nr. 3, Ihr Gewinn Fahrrad, Gezogen 12");
        QCOMPARE(announced.size(), 2);
        QCOMPARE(announced.at(1).at(0).toString(), last);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&table);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Description), last);
    }

    void drawnColumnSortsByKind_data()
    {
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("numbers by value")
            << true
            << QStringList{QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("100"),
                           QStringLiteral("Meier")};
        QTest::newRow("list lines alphabetically")
            << false
            << QStringList{QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("9"),
                           QStringLiteral("Meier")};
    }
    void drawnColumnSortsByKind()
    {
        QFETCH(bool, numeric);
        QFETCH(QStringList, ascending);
        SeededPass pass;
        ResultsTable table(pass);
        table.results()->setDrawnSortNumeric(numeric);
        pass.setRows({{1, {}, QStringLiteral("100")},
                      {2, {}, QStringLiteral("Meier")},
                      {3, {}, QStringLiteral("9")},
                      {4, {}, QStringLiteral("10")}});
        table.sortResults(ResultsModel::Gezogen, Qt::AscendingOrder);
        QCOMPARE(drawn(*table.results()), ascending);
    }

    // Entries held as numbers and entries held as text sort together as their texts do, in
    // both orders, rows with equal entries keeping their order.
    void drawnColumnSortsMixedEntriesAsTheirTexts_data()
    {
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::newRow("numeric, ascending") << true << Qt::AscendingOrder;
        QTest::newRow("numeric, descending") << true << Qt::DescendingOrder;
        QTest::newRow("alphabetic, ascending") << false << Qt::AscendingOrder;
        QTest::newRow("alphabetic, descending") << false << Qt::DescendingOrder;
    }
    void drawnColumnSortsMixedEntriesAsTheirTexts()
    {
        QFETCH(bool, numeric);
        QFETCH(Qt::SortOrder, order);
        const QStringList entries{
            QStringLiteral("10"),   QStringLiteral("007"), QStringLiteral("7"),
            QStringLiteral("-3"),   QStringLiteral(" 8"),  QStringLiteral("Meier"),
            QStringLiteral("0"),    QStringLiteral("10"),  QStringLiteral("2147483648"),
            QStringLiteral("Abel"), QStringLiteral("9"),   QStringLiteral("")};
        QList<ResultRow> rows;
        for (qsizetype i = 0; i < entries.size(); ++i)
            rows.append({qint32(i + 1), QString(), entries.at(i)});
        SeededPass pass;
        ResultsTable table(pass);
        table.results()->setDrawnSortNumeric(numeric);
        pass.setRows(ResultRows(rows));
        table.sortResults(ResultsModel::Gezogen, order);

        const auto less = [numeric](const ResultRow &a, const ResultRow &b) {
            return numeric ? numericTextLess(a.Gezogen, b.Gezogen) : a.Gezogen < b.Gezogen;
        };
        if (order == Qt::AscendingOrder)
            std::stable_sort(rows.begin(), rows.end(), less);
        else
            std::stable_sort(
                rows.begin(), rows.end(),
                [&less](const ResultRow &a, const ResultRow &b) { return less(b, a); });
        QCOMPARE(table.results()->shownRows(), rows);
    }

    void headerClicksSortDrawNumberAndDrawnButNotGame()
    {
        SeededPass pass;
        ResultsTable table(pass);
        table.setColumnShown(ResultsModel::Spiel, true);
        pass.setRows({{2, QStringLiteral("b"), QStringLiteral("5")},
                      {1, QStringLiteral("a"), QStringLiteral("7")},
                      {3, QStringLiteral("c"), QStringLiteral("6")}});
        table.show();
        QHeaderView *header = table.horizontalHeader();
        const auto click = [&](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, 5));
        };
        click(ResultsModel::Durchgang);
        QCOMPARE(table.results()->rowAt(0).Durchgang, 1);
        click(ResultsModel::Durchgang);
        QCOMPARE(table.results()->rowAt(0).Durchgang, 3);
        click(ResultsModel::Spiel);
        QCOMPARE(table.results()->rowAt(0).Durchgang, 3);
        QCOMPARE(header->sortIndicatorSection(), int(ResultsModel::Durchgang));
        click(ResultsModel::Gezogen);
        QCOMPARE(table.results()->rowAt(0).Gezogen, QStringLiteral("5"));
    }

    // Each draw puts its row where a full sort by draw number would, in both orders, while the
    // user's own sort of the view is left until the next draw.
    void drawsInsertTheirRowWhereAFullSortPutsIt()
    {
        SeededPass pass;
        pass.setPool(EntryPool::fromRange({1, 60}, false), false);
        ResultsTable table(pass);
        DrawRowRule rule;
        rule.autopilot = true;
        rule.autopilotStart = 20; // counts down to 1, ascending, then upwards, newest on top
        for (int i = 0; i < 40; ++i) {
            const std::optional<ResultRow> row = pass.drawEntry(rule);
            QVERIFY(row);
            if (i == 10)
                table.sortResults(ResultsModel::Gezogen, Qt::AscendingOrder);
            table.sortResults(ResultsModel::Durchgang, pass.rowOrder());
            QList<ResultRow> sorted = pass.rows().toList();
            std::stable_sort(sorted.begin(), sorted.end(), [&](const auto &a, const auto &b) {
                return pass.rowOrder() == Qt::AscendingOrder ? a.Durchgang < b.Durchgang
                                                             : a.Durchgang > b.Durchgang;
            });
            QCOMPARE(table.results()->shownRows(), sorted);
            QCOMPARE(table.results()->rowCount(), i + 1);
        }
        QCOMPARE(pass.rowOrder(), Qt::DescendingOrder);
    }

    void theSelectionStaysOnItsDrawWhenTheTableIsSorted()
    {
        SeededPass pass;
        ResultsTable table(pass);
        pass.setRows({{3, {}, QStringLiteral("40")},
                      {2, {}, QStringLiteral("10")},
                      {1, {}, QStringLiteral("30")}});
        table.selectRow(0); // draw 3
        table.sortResults(ResultsModel::Gezogen, Qt::AscendingOrder);
        const QModelIndexList selected = table.selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(table.results()->rowAt(selected.first().row()).Durchgang, 3);
        table.sortResults(ResultsModel::Durchgang, Qt::DescendingOrder);
        QCOMPARE(
            table.results()->rowAt(table.selectionModel()->selectedRows().first().row()).Durchgang,
            3);
    }

    void veryLongCellsArePaintedShortened()
    {
        // A million characters in a cell kept the window busy painting for seconds: only the
        // start of a long cell is painted; the model keeps the whole text.
        const QString entry = QStringLiteral("Anfang ") + QString(1'000'000, QLatin1Char('x'));
        SeededPass pass;
        ResultsTable table(pass);
        table.setColumnShown(ResultsModel::Spiel, true);
        pass.setRows({{2, entry, entry}, {1, QStringLiteral("kurz"), QStringLiteral("7")}});
        int wholeCells = 0;
        for (int column = 0; column < ResultsModel::ColumnCount; ++column) {
            for (int row = 0; row < 2; ++row) {
                const QModelIndex index = table.model()->index(row, column);
                const auto *delegate =
                    qobject_cast<QStyledItemDelegate *>(table.itemDelegateForIndex(index));
                QVERIFY(delegate);
                const QString whole = index.data().toString();
                wholeCells += whole == entry ? 1 : 0;
                const QString painted = delegate->displayText(index.data(), table.locale());
                if (whole.size() < 100) {
                    QCOMPARE(painted, whole);
                } else {
                    QVERIFY2(painted.size() <= 1000, qPrintable(QString::number(painted.size())));
                    QVERIFY(painted.startsWith(QStringLiteral("Anfang xxx")));
                }
            }
        }
        QCOMPARE(wholeCells, 2);
    }

    void columnsShareTheWindowWidth()
    {
        SeededPass pass;
        ResultsTable table(pass);
        table.FitResultColumns(601);
        QCOMPARE(table.columnWidth(ResultsModel::Durchgang), 300);
        QCOMPARE(table.columnWidth(ResultsModel::Gezogen), 300);
        table.setColumnShown(ResultsModel::Spiel, true);
        table.FitResultColumns(601);
        QCOMPARE(table.columnWidth(ResultsModel::Spiel), 200);
    }
};

QTEST_MAIN(TestResultsTable)
#include "tst_resultstable.moc"
