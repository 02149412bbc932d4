#include "draw/drawpass.h"
#include "draw/drawpool.h"
#include "draw/entrypool.h"
#include "draw/mersenne.h"
#include "results/drawlog.h"

#include <QFile>
#include <QTemporaryDir>

#include <QRandomGenerator>
#include <QTest>

namespace {
// The removal as a plain linear search per row: the behaviour the indexed removal must match.
void removeLinearly(QStringList &pool, const QStringList &drawn)
{
    for (const QString &row : drawn) {
        const qsizetype i = pool.indexOf(row);
        if (i < 0)
            continue;
        pool[i] = pool.last();
        pool.removeLast();
    }
}
} // namespace

class TestDrawPool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rangePools_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<bool>("zeros");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("100..999") << 100 << 999 << false << 900 << "100"
                                  << "999";
        QTest::newRow("1..1000 padded") << 1 << 1000 << true << 1000 << "0001"
                                        << "1000";
        QTest::newRow("0..99 padded") << 0 << 99 << true << 100 << "00"
                                      << "99";
        QTest::newRow("7..7") << 7 << 7 << true << 1 << "7"
                              << "7";
        QTest::newRow("1..999999") << 1 << 999999 << true << 999999 << "000001"
                                   << "999999";
    }
    void rangePools()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(bool, zeros);
        QFETCH(int, size);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QStringList pool = buildRangePool({minimum, maximum}, zeros);
        QCOMPARE(pool.size(), size);
        QCOMPARE(pool.first(), first);
        QCOMPARE(pool.last(), last);
    }

    void aMinimumAboveTheMaximumIsPulledDown()
    {
        const NumberRange range = consistentRange(500, 300);
        QCOMPARE(range.minimum, 300);
        QCOMPARE(range.maximum, 300);
        QCOMPARE(rangeSizeOf(range), 1);
        QCOMPARE(rangeSizeOf(consistentRange(100, 999)), 900);
    }

    void quotas_data()
    {
        QTest::addColumn<bool>("percent");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rangeSize");
        QTest::addColumn<int>("quota");
        QTest::newRow("10 % of 900") << true << 10.0 << 900 << 90;
        QTest::newRow("53 % of 100 is whole") << true << 53.0 << 100 << 53;
        QTest::newRow("57 % of 100") << true << 57.0 << 100 << 57;
        QTest::newRow("29 % of 100") << true << 29.0 << 100 << 29;
        QTest::newRow("12.5 % of 999 floors") << true << 12.5 << 999 << 124;
        QTest::newRow("100 % of 999999") << true << 100.0 << 999999 << 999999;
        QTest::newRow("0.1 % of 5") << true << 0.1 << 5 << 0;
        QTest::newRow("count 2.4 rises to 3") << false << 2.4 << 900 << 3;
        QTest::newRow("count 40") << false << 40.0 << 900 << 40;
    }
    void quotas()
    {
        QFETCH(bool, percent);
        QFETCH(double, value);
        QFETCH(int, rangeSize);
        QFETCH(int, quota);
        QCOMPARE(percent ? quotaFromPercent(value, rangeSize) : quotaFromCount(value), quota);
    }

    void everyWholePercentOfAHundredIsExact()
    {
        for (int p = 0; p <= 100; ++p)
            QCOMPARE(quotaFromPercent(p, 100), p);
    }

    void drawAllowedNeedsQuotaRangeAndEntries_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("quota");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("pool");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("fresh pass") << 0 << 90 << 900 << 900 << true;
        QTest::newRow("quota used up") << 90 << 90 << 900 << 810 << false;
        QTest::newRow("count above range") << 5 << 10 << 5 << 3 << false;
        QTest::newRow("empty pool") << 0 << 10 << 10 << 0 << false;
    }
    void drawAllowedNeedsQuotaRangeAndEntries()
    {
        QFETCH(int, count);
        QFETCH(int, quota);
        QFETCH(int, range);
        QFETCH(int, pool);
        QFETCH(bool, allowed);
        QCOMPARE(drawAllowed(count, quota, range, pool), allowed);
    }

    void removalRemovesOneCopyPerRow()
    {
        QStringList pool{QStringLiteral("Anna"), QStringLiteral("Bert"), QStringLiteral("Anna"),
                         QStringLiteral("Carl")};
        removeDrawnEntries(pool, {QStringLiteral("Anna"), QStringLiteral("Dora")});
        QCOMPARE(pool, (QStringList{QStringLiteral("Carl"), QStringLiteral("Bert"),
                                    QStringLiteral("Anna")}));
        removeDrawnEntries(pool, {QStringLiteral("Anna"), QStringLiteral("anna")});
        QCOMPARE(pool, (QStringList{QStringLiteral("Carl"), QStringLiteral("Bert")}));
    }

    void removalMatchesTheLinearSearch_data()
    {
        QTest::addColumn<int>("poolSize");
        QTest::addColumn<int>("distinct");
        QTest::addColumn<int>("rows");
        QTest::newRow("unique entries") << 500 << 500 << 200;
        QTest::newRow("many repeats") << 300 << 20 << 250;
        QTest::newRow("more rows than entries") << 40 << 10 << 90;
        QTest::newRow("single entry") << 1 << 1 << 3;
    }
    void removalMatchesTheLinearSearch()
    {
        QFETCH(int, poolSize);
        QFETCH(int, distinct);
        QFETCH(int, rows);
        QRandomGenerator random(poolSize * 31 + rows);
        QStringList pool;
        for (int i = 0; i < poolSize; ++i)
            pool.append(QString::number(random.bounded(distinct)));
        QStringList drawn;
        for (int i = 0; i < rows; ++i)
            drawn.append(QString::number(random.bounded(distinct + 3))); // some match nothing
        QStringList expected = pool;
        removeLinearly(expected, drawn);
        removeDrawnEntries(pool, drawn);
        QCOMPARE(pool, expected);
    }

    void aDrawTakesEachOfTwoEntriesAndRemovesIt()
    {
        TRNGenerator generator;
        generator.Seed(4357);
        int seen[2] = {0, 0};
        for (int i = 0; i < 2000; ++i) {
            const qsizetype index = chooseEntryIndex(generator, 2);
            QVERIFY(index == 0 || index == 1);
            ++seen[index];
        }
        QVERIFY(seen[0] > 850 && seen[1] > 850);

        QStringList pool{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        removeEntryAt(pool, 0);
        QCOMPARE(pool, (QStringList{QStringLiteral("3"), QStringLiteral("2")}));
        removeEntryAt(pool, 1);
        QCOMPARE(pool, QStringList{QStringLiteral("3")});
    }

    // A pool of numbers draws exactly what a pool of their texts draws with the same seed, and
    // restoring a pass by number gives the pool that restoring by text gives.
    void rangePoolsDrawAndRestoreLikeTextPools_data()
    {
        QTest::addColumn<bool>("zeros");
        QTest::newRow("plain") << false;
        QTest::newRow("padded") << true;
    }
    void rangePoolsDrawAndRestoreLikeTextPools()
    {
        QFETCH(bool, zeros);
        const NumberRange range{5, 1200};
        DrawPass numbers([] { return 4357u; });
        DrawPass texts([] { return 4357u; });
        numbers.setPool(EntryPool::fromRange(range, zeros), false);
        texts.setPool(EntryPool::fromList(buildRangePool(range, zeros)), false);
        QVERIFY(numbers.pool().isRange());
        QCOMPARE(numbers.pool().texts(), texts.pool().texts());
        for (int i = 0; i < 300; ++i)
            QCOMPARE(numbers.drawEntry({})->Gezogen, texts.drawEntry({})->Gezogen);
        QCOMPARE(numbers.pool().texts(), texts.pool().texts());

        EntryPool byNumber = EntryPool::fromRange(range, zeros);
        QStringList byText = buildRangePool(range, zeros);
        QStringList drawn = numbers.drawnEntries();
        drawn << QStringLiteral("4") << QStringLiteral("Meier") << QStringLiteral("1201")
              << drawn.first();
        byNumber.removeDrawn(drawn);
        removeDrawnEntries(byText, drawn);
        QCOMPARE(byNumber.texts(), byText);

        // The same on pools that draws have already stirred.
        EntryPool stirred = numbers.pool();
        QStringList stirredText = texts.pool().texts();
        const QStringList more = {rangeEntryText(1200, 0), rangeEntryText(600, 0),
                                  rangeEntryText(5, 0), rangeEntryText(600, 0)};
        stirred.removeDrawn(more);
        removeDrawnEntries(stirredText,
                           zeros ? QStringList{QStringLiteral("1200"), QStringLiteral("0600"),
                                               QStringLiteral("0005")}
                                 : more);
        QCOMPARE(stirred.texts(), stirredText);
    }

    // The log a draw writes holds the rows as a fresh encoding of them gives: while the table
    // grows at the bottom, after it turns to newest on top, through an autopilot that counts
    // down, with games that need quoting, and on from a restored pass.
    void everyLogWrittenEqualsTheRowsEncoded_data()
    {
        QTest::addColumn<bool>("autopilot");
        QTest::addColumn<int>("autopilotStart");
        QTest::addColumn<bool>("games");
        QTest::addColumn<bool>("restored");
        QTest::newRow("ascending, then newest on top") << false << 12 << false << false;
        QTest::newRow("autopilot counting down") << true << 15 << false << false;
        QTest::newRow("quoted games") << false << 10 << true << false;
        QTest::newRow("restored pass") << false << 3 << true << true;
    }
    void everyLogWrittenEqualsTheRowsEncoded()
    {
        QFETCH(bool, autopilot);
        QFETCH(int, autopilotStart);
        QFETCH(bool, games);
        QFETCH(bool, restored);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString log = folder.filePath(QStringLiteral("tivrel.log"));
        DrawPass pass([] { return 4357u; });
        pass.setRecord(std::make_unique<DrawLogFile>(log));
        pass.setPool(EntryPool::fromList(buildRangePool({1, 2000}, false)), false);
        if (restored) {
            pass.setRows({{2, QStringLiteral("a"), QStringLiteral("Meier, \"Hans\"")},
                          {1, {}, QStringLiteral("17")}});
            pass.restore();
        }
        DrawRowRule rule{autopilot, autopilotStart, {}};
        if (games)
            rule.gameText = [](qint32 number, const QString &entry) {
                return number % 3 ? QString()
                                  : QStringLiteral("Preis \"%1\", %2").arg(number).arg(entry);
            };
        for (int i = 0; i < 30; ++i) {
            QVERIFY(pass.drawEntry(rule));
            QVERIFY(pass.lastLogWrite().ok);
            QFile file(log);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), encodeDrawLog(pass.rows()));
        }
    }

    // A number drawn in a pass stays drawn when the padding width changes (1..9 to 1..10).
    void restoringByNumberIgnoresThePadding()
    {
        EntryPool pool = EntryPool::fromRange({1, 10}, true);
        pool.removeDrawn({QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("06")});
        QStringList left = pool.texts();
        left.sort();
        QCOMPARE(left,
                 (QStringList{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("04"),
                              QStringLiteral("05"), QStringLiteral("08"), QStringLiteral("09"),
                              QStringLiteral("10")}));
    }
};

QTEST_GUILESS_MAIN(TestDrawPool)
#include "tst_drawpool.moc"
