#include "draw/drawpool.h"
#include "draw/lottery.h"
#include "draw/mersenne.h"

#include <QSet>
#include <QStringList>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Draw {
    int game;
    int number;
};

// The window as the game loop sees it: the animation tick after stopAnimation draws one number
// of the current game from the shared pool. Every call is recorded, so a call out of place
// shows in the recorded sequence.
class FakeHost final : public LotteryHost {
public:
    bool settingsPanelVisible() const override { return panelOpensAtDraw == int(draws.size()); }
    void refillPool(const QStringList &fresh) override
    {
        pool = fresh;
        calls.append(u"refill"_s);
    }
    void setGameNo(int value) override
    {
        game = value;
        calls.append(u"game %1"_s.arg(value));
    }
    void startAnimation() override { calls.append(u"start"_s); }
    void stopAnimation() override
    {
        calls.append(u"stop"_s);
        if (pool.isEmpty())
            QFAIL("drawing from an empty pool");
        const qsizetype index = chooseEntryIndex(generator, pool.size());
        draws.append({game, pool.at(index).toInt()});
        removeEntryAt(pool, index);
    }
    bool waitPumping(int ms) override
    {
        calls.append(u"wait %1"_s.arg(ms));
        return --waitsBeforeClosing != 0;
    }

    TRNGenerator generator{};
    QStringList pool;
    int game = 0;
    QList<Draw> draws;
    QStringList calls;
    int panelOpensAtDraw = -1;
    int waitsBeforeClosing = -1;
};

QList<Draw> runLottery(const LotterySettings &settings, int *leftInPool = nullptr,
                       int *refills = nullptr)
{
    FakeHost host;
    host.generator.Seed(20261209);
    if (playLotteryGames(settings, host) != LotteryEnd::Finished)
        qWarning("the run ended early");
    if (leftInPool)
        *leftInPool = int(host.pool.size());
    if (refills)
        *refills = int(host.calls.count(u"refill"_s));
    return host.draws;
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

    void eachNumberIsAnimatedDrawnAndFollowedByAPause()
    {
        FakeHost host;
        QCOMPARE(playLotteryGames({2, 15, 2, 1}, host), LotteryEnd::Finished);
        const QStringList number{u"start"_s, u"wait 600"_s, u"stop"_s, u"wait 400"_s};
        const QStringList expected = QStringList{u"game 1"_s, u"refill"_s} + number + number +
                                     QStringList{u"game 2"_s, u"refill"_s} + number + number;
        QCOMPARE(host.calls, expected);
    }

    void openingThePanelStopsBeforeTheNextNumber()
    {
        FakeHost host;
        host.panelOpensAtDraw = 3;
        QCOMPARE(playLotteryGames({6, 49, 2, 2}, host), LotteryEnd::PanelOpened);
        QCOMPARE(host.draws.size(), 3);
        QCOMPARE(host.calls.last(), u"wait 400"_s);
    }

    void closingEndsTheRunAtOnce_data()
    {
        QTest::addColumn<int>("waits");
        QTest::addColumn<QString>("lastCall");
        QTest::newRow("during the animation") << 3 << u"wait 600"_s;
        QTest::newRow("during the pause") << 4 << u"wait 400"_s;
    }
    void closingEndsTheRunAtOnce()
    {
        QFETCH(int, waits);
        FakeHost host;
        host.waitsBeforeClosing = waits;
        QCOMPARE(playLotteryGames({6, 49, 2, 2}, host), LotteryEnd::Closing);
        QTEST(host.calls.last(), "lastCall");
        QCOMPARE(host.calls.count(u"wait 600"_s) + host.calls.count(u"wait 400"_s), waits);
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
