#include "results/resultstable.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTest>

class TestResultsTable : public QObject {
    Q_OBJECT
private Q_SLOTS:
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

    void veryLongCellsArePaintedShortened()
    {
        // A million characters in a cell kept the window busy painting for seconds: only the
        // start of a long cell is painted; the model keeps the whole text.
        const QString entry = QStringLiteral("Anfang ") + QString(1'000'000, QLatin1Char('x'));
        ResultsTable table;
        table.setColumnShown(ResultsModel::Spiel, true);
        table.results()->setRows(
            {{2, entry, entry}, {1, QStringLiteral("kurz"), QStringLiteral("7")}});
        for (int column = 0; column < ResultsModel::ColumnCount; ++column) {
            for (int row = 0; row < 2; ++row) {
                const QModelIndex index = table.model()->index(row, column);
                const auto *delegate =
                    qobject_cast<QStyledItemDelegate *>(table.itemDelegateForIndex(index));
                QVERIFY(delegate);
                const QString whole = index.data().toString();
                const QString painted = delegate->displayText(index.data(), table.locale());
                if (whole.size() < 100) {
                    QCOMPARE(painted, whole);
                } else {
                    QVERIFY2(painted.size() <= 1000, qPrintable(QString::number(painted.size())));
                    QVERIFY(painted.startsWith(QStringLiteral("Anfang xxx")));
                }
            }
        }
        QCOMPARE(table.results()->rows().first().Gezogen, entry);
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
