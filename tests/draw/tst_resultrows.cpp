#include "draw/entrypool.h"
#include "draw/resultrows.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

class TestResultRows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every row reads back exactly as it was put in, whether its entry is held as a number or
    // as its text, and however rows were added.
    void rowsReadBackAsPutIn_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("heldAsNumber");
        const QString prize = QStringLiteral("Gewinn Nr. 3");
        QTest::newRow("number") << QStringLiteral("4711") << QString() << true;
        QTest::newRow("zero") << QStringLiteral("0") << QString() << true;
        QTest::newRow("largest qint32") << QStringLiteral("2147483647") << QString() << true;
        QTest::newRow("number with a game") << QStringLiteral("17") << prize << true;
        QTest::newRow("padded") << QStringLiteral("007") << QString() << false;
        QTest::newRow("padded zero") << QStringLiteral("00") << QString() << false;
        QTest::newRow("negative") << QStringLiteral("-5") << QString() << false;
        QTest::newRow("plus sign") << QStringLiteral("+5") << QString() << false;
        QTest::newRow("blanks around") << QStringLiteral(" 5 ") << QString() << false;
        QTest::newRow("past qint32") << QStringLiteral("2147483648") << QString() << false;
        QTest::newRow("eleven digits") << QStringLiteral("99999999999") << QString() << false;
        QTest::newRow("list line") << QStringLiteral("Meier, \"Hans\"") << prize << false;
        QTest::newRow("other digits") << QStringLiteral("٣") << QString() << false;
        QTest::newRow("empty entry") << QString() << QStringLiteral(" 1 / 49") << false;
    }
    void rowsReadBackAsPutIn()
    {
        QFETCH(QString, entry);
        QFETCH(QString, game);
        QFETCH(bool, heldAsNumber);
        const ResultRow row{42, game, entry};
        const ResultRow neighbour{7, QStringLiteral("x"), QStringLiteral("Zoe")};

        ResultRows rows;
        rows.append(neighbour);
        rows.insert(0, row);
        rows.append(row);
        rows.insert(2, neighbour);
        const QList<ResultRow> expected{row, neighbour, neighbour, row};
        QCOMPARE(rows.toList(), expected);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.first(), row);
        QCOMPARE(rows.last(), row);
        QCOMPARE(rows.drawNumber(3), 42);
        QCOMPARE(rows.entry(3), entry);
        QCOMPARE(rows.game(3), game);
        QCOMPARE(rows.entryNumber(3).has_value(), heldAsNumber);
        if (heldAsNumber)
            QCOMPARE(QString::number(*rows.entryNumber(3)), entry);
        QCOMPARE(ResultRows(expected), rows);

        rows.clear();
        QVERIFY(rows.isEmpty());
        rows.append(row);
        QCOMPARE(rows.at(0), row);
    }

    // Rows are equal by what they hold, not by where their texts are kept; a number and a text
    // that spells it differently are different entries.
    void equalityComparesTheRowsThemselves_data()
    {
        QTest::addColumn<QList<ResultRow>>("a");
        QTest::addColumn<QList<ResultRow>>("b");
        QTest::addColumn<bool>("equal");
        const QString meier = QStringLiteral("Meier");
        const QString prize = QStringLiteral("Preis");
        QTest::newRow("same rows")
            << QList<ResultRow>{{1, prize, meier}, {2, {}, QStringLiteral("5")}}
            << QList<ResultRow>{{1, prize, meier}, {2, {}, QStringLiteral("5")}} << true;
        QTest::newRow("padded against plain")
            << QList<ResultRow>{{1, {}, QStringLiteral("7")}}
            << QList<ResultRow>{{1, {}, QStringLiteral("07")}} << false;
        QTest::newRow("other number") << QList<ResultRow>{{1, {}, QStringLiteral("7")}}
                                      << QList<ResultRow>{{1, {}, QStringLiteral("8")}} << false;
        QTest::newRow("other text") << QList<ResultRow>{{1, {}, meier}}
                                    << QList<ResultRow>{{1, {}, QStringLiteral("Maier")}} << false;
        QTest::newRow("game against none")
            << QList<ResultRow>{{1, prize, meier}} << QList<ResultRow>{{1, {}, meier}} << false;
        QTest::newRow("other draw number")
            << QList<ResultRow>{{1, {}, meier}} << QList<ResultRow>{{2, {}, meier}} << false;
        QTest::newRow("one row more") << QList<ResultRow>{{1, {}, meier}}
                                      << QList<ResultRow>{{1, {}, meier}, {1, {}, meier}} << false;
    }
    void equalityComparesTheRowsThemselves()
    {
        QFETCH(QList<ResultRow>, a);
        QFETCH(QList<ResultRow>, b);
        QFETCH(bool, equal);
        // b's texts are kept in the reverse order: inserted from the last row to the first.
        ResultRows reversed;
        for (qsizetype i = b.size() - 1; i >= 0; --i)
            reversed.insert(0, b.at(i));
        QCOMPARE(ResultRows(a) == reversed, equal);
        QCOMPARE(ResultRows(a) == ResultRows(b), equal);
    }

    // The sort by draw number keeps rows with the same number in their order, both ways, as a
    // stable sort of the rows themselves does.
    void sortByDrawNumberIsStable_data()
    {
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::newRow("ascending") << Qt::AscendingOrder;
        QTest::newRow("descending") << Qt::DescendingOrder;
    }
    void sortByDrawNumberIsStable()
    {
        QFETCH(Qt::SortOrder, order);
        QList<ResultRow> list;
        for (int i = 0; i < 60; ++i)
            list.append({(i * 7) % 13, i % 3 == 0 ? QStringLiteral("G%1").arg(i) : QString(),
                         i % 2 == 0 ? QString::number(i) : QStringLiteral("T%1").arg(i)});
        ResultRows rows(list);
        rows.sortByDrawNumber(order);
        std::stable_sort(list.begin(), list.end(), [order](const auto &a, const auto &b) {
            return order == Qt::AscendingOrder ? a.Durchgang < b.Durchgang
                                               : a.Durchgang > b.Durchgang;
        });
        QCOMPARE(rows.toList(), list);
    }

    // A range pool takes the drawn rows' numbers as it takes their texts: the same entries
    // leave it and the rest stand in the same order, so later draws choose the same.
    void rangePoolRemovesRowsAsItRemovesTheirTexts_data()
    {
        QTest::addColumn<bool>("zeros");
        QTest::newRow("plain") << false;
        QTest::newRow("zero-padded") << true;
    }
    void rangePoolRemovesRowsAsItRemovesTheirTexts()
    {
        QFETCH(bool, zeros);
        const QStringList drawn{u"17"_s, u"007"_s,   u" 40 "_s, u"3"_s,   u"-2"_s,
                                u"17"_s, u"Meier"_s, u"99"_s,   u"250"_s, u"1"_s};
        ResultRows rows;
        for (qsizetype i = 0; i < drawn.size(); ++i)
            rows.append({qint32(i + 1), QString(), drawn.at(i)});
        EntryPool byRows = EntryPool::fromRange({1, 120}, zeros);
        EntryPool byTexts = EntryPool::fromRange({1, 120}, zeros);
        byRows.removeDrawn(rows);
        byTexts.removeDrawn(drawn);
        QCOMPARE(byRows.size(), 120 - 6);
        QCOMPARE(byRows.texts(), byTexts.texts());
    }
};

QTEST_GUILESS_MAIN(TestResultRows)
#include "tst_resultrows.moc"
