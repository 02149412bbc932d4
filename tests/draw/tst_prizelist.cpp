#include "draw/drawpass.h"
#include "draw/listprompt.h"
#include "draw/prizelist.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Then = ListSwitchPrompt::Then;

class TestPrizeList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void prizeOfEachDrawNumber_data()
    {
        QTest::addColumn<int>("drawNumber");
        QTest::addColumn<QString>("prize");
        QTest::newRow("1") << 1 << u"Fahrrad"_s;
        QTest::newRow("2 (empty line)") << 2 << u""_s;
        QTest::newRow("3") << 3 << u"Kuchen"_s;
        QTest::newRow("4 beyond the list") << 4 << u"Gewinn Nr. 4"_s;
        QTest::newRow("12") << 12 << u"Gewinn Nr. 12"_s;
    }
    void prizeOfEachDrawNumber()
    {
        QFETCH(int, drawNumber);
        QFETCH(QString, prize);
        const PrizeListLines prizes = QStringList{u"Fahrrad"_s, u""_s, u"Kuchen"_s};
        QCOMPARE(PrizeText(prizes, drawNumber), prize);
    }

    void noPrizesBeforeTheFirstLoad()
    {
        QCOMPARE(PrizeText(std::nullopt, 1), QString());
        QCOMPARE(PrizeText(QStringList(), 1), u"Gewinn Nr. 1"_s);
    }

    // With the autopilot starting after 3 manual draws, the manual draws take prizes 3, 2, 1
    // and the timed draws go on with 4 and 5.
    void autopilotHandsOutPrizesFromAToOne()
    {
        const PrizeListLines prizes = QStringList{u"P1"_s, u"P2"_s, u"P3"_s, u"P4"_s};
        QStringList given;
        DrawRowRule rule;
        rule.autopilot = true;
        rule.autopilotStart = 3;
        for (int rows = 1; rows <= 5; ++rows)
            given.append(PrizeText(prizes, drawNumberOf(rows, rule)));
        QCOMPARE(given, (QStringList{u"P3"_s, u"P2"_s, u"P1"_s, u"P4"_s, u"Gewinn Nr. 5"_s}));
    }

    void switchByHandAsksAndNoUndoesItSilently()
    {
        int muted = 0;
        int pending = 0;
        ListSwitchPrompt prompt(muted, pending);
        QVERIFY(prompt.asks());
        QCOMPARE(prompt.answered(false), Then::FlipBack);
        // The switch back asks nothing, and the operator's next switch asks again.
        QVERIFY(!prompt.asks());
        QVERIFY(prompt.asks());
        QCOMPARE(prompt.answered(true), Then::NewPass);
        QCOMPARE(muted, 0);
    }

    void switchWhileLoadingSettingsIsSilent()
    {
        int muted = 1;
        int pending = 0;
        ListSwitchPrompt prompt(muted, pending);
        QVERIFY(!prompt.asks());
        QCOMPARE(muted, 0);
    }

    void browsingAsksEvenWhenMuted()
    {
        int muted = 1;
        int pending = 1;
        ListSwitchPrompt prompt(muted, pending);
        QVERIFY(prompt.asks());
        QCOMPARE(prompt.answered(false), Then::Keep);
        QCOMPARE(pending, 1); // the browse handler sees the No and stops

        muted = 0;
        QVERIFY(prompt.asks());
        QCOMPARE(prompt.answered(false), Then::Keep);
        pending = 0;
        QVERIFY(prompt.asks()); // no mute left behind
        QCOMPARE(prompt.answered(true), Then::NewPass);
    }
};

QTEST_GUILESS_MAIN(TestPrizeList)
#include "tst_prizelist.moc"
