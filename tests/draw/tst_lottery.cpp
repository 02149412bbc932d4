#include "draw/drawpool.h"
#include "draw/lottery.h"
#include "draw/mersenne.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Draw {
    int game;
    int number;
};

// Drives a run as the window does, drawing each number from the shared pool.
QList<Draw> runLottery(const LotterySettings &settings, int *leftInPool = nullptr,
                       int *refills = nullptr)
{
    TRNGenerator generator;
    generator.Seed(20261209);
    QStringList pool;
    QList<Draw> draws;
    int refilled = 0;
    LotteryRun run(settings);
    for (auto step = run.next(); step != LotteryRun::Step::Finished; step = run.next()) {
        if (step == LotteryRun::Step::RefillPool) {
            pool = lotteryPool(settings.x);
            ++refilled;
            continue;
        }
        if (pool.isEmpty())
            qFatal("drawing from an empty pool");
        const qsizetype index = chooseEntryIndex(generator, pool.size());
        draws.append({run.game(), pool.at(index).toInt()});
        removeEntryAt(pool, index);
    }
    if (leftInPool)
        *leftInPool = int(pool.size());
    if (refills)
        *refills = refilled;
    return draws;
}

// The numbers of games first..last (counted from 1).
QList<int> numbersOfGames(const QList<Draw> &draws, int first, int last)
{
    QList<int> numbers;
    for (const Draw &d : draws) {
        if (d.game >= first && d.game <= last)
            numbers.append(d.number);
    }
    return numbers;
}

bool allDifferent(const QList<int> &numbers)
{
    return QSet<int>(numbers.begin(), numbers.end()).size() == numbers.size();
}

} // namespace

class TestLottery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void poolLimitIsXDivN_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("pool");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::newRow("6 of 49 keeps 8") << 6 << 49 << 8 << 8 << 8;
        QTest::newRow("x 20 drops 8 to 3") << 6 << 20 << 8 << 3 << 3;
        QTest::newRow("x 15 limits to 2") << 6 << 15 << 1 << 1 << 2;
        QTest::newRow("15 of 15") << 15 << 15 << 2 << 1 << 1;
    }
    void poolLimitIsXDivN()
    {
        QFETCH(int, n);
        QFETCH(int, x);
        QFETCH(int, pool);
        const LottoPoolField field = lottoPoolLimit(n, x, pool);
        QTEST(field.value, "value");
        QTEST(field.maximum, "maximum");
    }

    void poolWordFollowsTheCount()
    {
        QCOMPARE(lottoPoolWord(1), u"Spiel"_s);
        QCOMPARE(lottoPoolWord(2), u"Spiele"_s);
        QCOMPARE(lottoPoolWord(8), u"Spiele"_s);
    }

    void runsDrawEveryGameFromItsSharedPool_data()
    {
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("sharing");
        QTest::addColumn<int>("refills");
        QTest::newRow("1 game") << 1 << 2 << 1;
        QTest::newRow("3 games, pool 1") << 3 << 1 << 3;
        QTest::newRow("8 games, pool 8") << 8 << 8 << 1;
        QTest::newRow("10 games, pool 8") << 10 << 8 << 2;
    }
    void runsDrawEveryGameFromItsSharedPool()
    {
        QFETCH(int, games);
        QFETCH(int, sharing);
        QFETCH(int, refills);
        const LotterySettings settings{6, 49, games, sharing};
        int refilled = 0;
        const QList<Draw> draws = runLottery(settings, nullptr, &refilled);
        QCOMPARE(draws.size(), 6 * games);
        QCOMPARE(refilled, refills);
        for (int game = 1; game <= games; ++game) {
            const QList<int> numbers = numbersOfGames(draws, game, game);
            QCOMPARE(numbers.size(), 6);
            QVERIFY(allDifferent(numbers));
            for (int number : numbers)
                QVERIFY(number >= 1 && number <= 49);
        }
        // Games of one shared pool never repeat a number.
        for (int first = 1; first <= games; first += sharing)
            QVERIFY(allDifferent(numbersOfGames(draws, first, first + sharing - 1)));
    }

    void eightGamesOfOnePoolLeaveOneNumber()
    {
        int left = 0;
        const QList<Draw> draws = runLottery({6, 49, 8, 8}, &left);
        QCOMPARE(numbersOfGames(draws, 1, 8).size(), 48);
        QCOMPARE(left, 1);
    }

    void poolOfOneRefillsEveryGame()
    {
        // Over many games with a pool each, some number must come again in a later game.
        const QList<Draw> draws = runLottery({6, 49, 30, 1});
        QVERIFY(!allDifferent(numbersOfGames(draws, 1, 30)));
    }

    void gameNumbersInTheGameColumn()
    {
        const QList<Draw> draws = runLottery({6, 49, 3, 2});
        for (qsizetype i = 0; i < draws.size(); ++i)
            QCOMPARE(draws.at(i).game, int(i / 6) + 1);
    }
};

QTEST_GUILESS_MAIN(TestLottery)
#include "tst_lottery.moc"
