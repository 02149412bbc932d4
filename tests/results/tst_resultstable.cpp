#include "results/resultstable.h"

#include <QAccessible>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

class TestResultsTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A new row is told to screen readers with the headers of the shown columns; restoring a
    // whole table at start-up announces nothing.
    void newRowIsAnnounced()
    {
        ResultsTable table;
        QSignalSpy announced(&table, &ResultsTable::rowAnnounced);
        table.results()->setRows({{1, {}, QStringLiteral("17")}});
        QCOMPARE(announced.size(), 0);

        table.results()->appendRow({2, {}, QStringLiteral("4711")});
        table.setColumnShown(ResultsModel::Spiel, true);
        table.results()->setHeaderText(ResultsModel::Spiel, QStringLiteral("Ihr Gewinn"));
        table.results()->appendRow({3, QStringLiteral("Fahrrad"), QStringLiteral("12")});

        QCOMPARE(announced.size(), 2);
        QCOMPARE(announced.at(0).at(0).toString(), QStringLiteral("Ziehung Nr. 2, Gezogen 4711"));
        const QString last = QStringLiteral("Ziehung Nr. 3, Ihr Gewinn Fahrrad, Gezogen 12");
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
        ResultsTable table;
        table.results()->setDrawnSortNumeric(numeric);
        table.results()->setRows({{1, {}, QStringLiteral("100")},
                                  {2, {}, QStringLiteral("Meier")},
                                  {3, {}, QStringLiteral("9")},
                                  {4, {}, QStringLiteral("10")}});
        table.sortResults(ResultsModel::Gezogen, Qt::AscendingOrder);
        QCOMPARE(table.results()->drawnEntries(), ascending);
    }

    void headerClicksSortDrawNumberAndDrawnButNotGame()
    {
        ResultsTable table;
        table.setColumnShown(ResultsModel::Spiel, true);
        table.results()->setRows({{2, QStringLiteral("b"), QStringLiteral("5")},
                                  {1, QStringLiteral("a"), QStringLiteral("7")},
                                  {3, QStringLiteral("c"), QStringLiteral("6")}});
        table.show();
        QHeaderView *header = table.horizontalHeader();
        const auto click = [&](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, 5));
        };
        click(ResultsModel::Durchgang);
        QCOMPARE(table.results()->rows().first().Durchgang, 1);
        click(ResultsModel::Durchgang);
        QCOMPARE(table.results()->rows().first().Durchgang, 3);
        click(ResultsModel::Spiel);
        QCOMPARE(table.results()->rows().first().Durchgang, 3);
        QCOMPARE(header->sortIndicatorSection(), int(ResultsModel::Durchgang));
        click(ResultsModel::Gezogen);
        QCOMPARE(table.results()->rows().first().Gezogen, QStringLiteral("5"));
    }

    void columnsShareTheWindowWidth()
    {
        ResultsTable table;
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
