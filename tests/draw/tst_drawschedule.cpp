#include "app/layoutmath.h"
#include "draw/drawschedule.h"

#include <QTest>

class TestDrawSchedule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void intervalTextUsesTheLargestUnitExceeded_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("5") << 5 << QStringLiteral("Ziehungsintervall: 5 Sekunden");
        QTest::newRow("1") << 1 << QStringLiteral("Ziehungsintervall: 1 Sekunde");
        QTest::newRow("60") << 60 << QStringLiteral("Ziehungsintervall: 60 Sekunden");
        QTest::newRow("90") << 90 << QStringLiteral("Ziehungsintervall: 1 Minute");
        QTest::newRow("3600") << 3600 << QStringLiteral("Ziehungsintervall: 60 Minuten");
        QTest::newRow("3601") << 3601 << QStringLiteral("Ziehungsintervall: 1 Stunde");
        QTest::newRow("7200") << 7200 << QStringLiteral("Ziehungsintervall: 2 Stunden");
    }
    void intervalTextUsesTheLargestUnitExceeded()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(intervalText(seconds), text);
    }

    void nextFullHour_data()
    {
        QTest::addColumn<QTime>("now");
        QTest::addColumn<QString>("text");
        QTest::newRow("morning") << QTime(7, 59) << QStringLiteral("08:00");
        QTest::newRow("23:10 wraps") << QTime(23, 10) << QStringLiteral("00:00");
        QTest::newRow("midnight") << QTime(0, 0) << QStringLiteral("01:00");
    }
    void nextFullHour()
    {
        QFETCH(QTime, now);
        QFETCH(QString, text);
        QCOMPARE(nextFullHourText(now), text);
    }

    void timeOfDayParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("time");
        QTest::newRow("08:30") << QStringLiteral("08:30") << QTime(8, 30);
        QTest::newRow("blank hour digit") << QStringLiteral(" 8:30") << QTime(8, 30);
        QTest::newRow("23:59") << QStringLiteral("23:59") << QTime(23, 59);
        QTest::newRow("hour 24") << QStringLiteral("24:00") << QTime();
        QTest::newRow("minute 60") << QStringLiteral("12:60") << QTime();
        QTest::newRow("empty mask") << QStringLiteral(":") << QTime();
        QTest::newRow("minute digit missing") << QStringLiteral("12:5") << QTime();
        QTest::newRow("letters") << QStringLiteral("ab:cd") << QTime();
    }
    void timeOfDayParsing()
    {
        QFETCH(QString, text);
        QFETCH(QTime, time);
        QCOMPARE(parseTimeOfDay(text), time);
    }

    void countdownCrossesMidnight()
    {
        const QDateTime now(QDate(2026, 12, 8), QTime(22, 0));
        const QDateTime next = nextDrawTime(now, QTime(8, 0));
        QCOMPARE(next, QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
        QCOMPARE(timeToNextDrawText(now.addSecs(1), next), QStringLiteral("09:59:59"));
        QCOMPARE(nextDrawTime(now, QTime(22, 30)), QDateTime(QDate(2026, 12, 8), QTime(22, 30)));
    }

    void lotteryCellRightAlignsGameAndNumber()
    {
        QCOMPARE(lotteryCellText(3, QStringLiteral("7")), QStringLiteral(" 3 /  7"));
        QCOMPARE(lotteryCellText(12, QStringLiteral("49")), QStringLiteral("12 / 49"));
    }

    void layoutArithmeticTruncates_data()
    {
        QTest::addColumn<int>("windowHeight");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("paneHeight");
        QTest::newRow("750 at 25 %") << 750 << 25 << 175;
        QTest::newRow("600 at 25 %") << 600 << 25 << 150;
        QTest::newRow("650 at 25 %") << 650 << 25 << 150;
        QTest::newRow("750 at 23 %") << 750 << 23 << 161;
    }
    void layoutArithmeticTruncates()
    {
        QFETCH(int, windowHeight);
        QFETCH(int, percent);
        QFETCH(int, paneHeight);
        QCOMPARE(layoutmath::outputPaneHeight(windowHeight, percent), paneHeight);
    }

    void paneLimitsAndStoredPercent()
    {
        QCOMPARE(layoutmath::outputPanePercent(300, 600), 50);
        QCOMPARE(layoutmath::outputPanePercent(175, 750), 23);
        QCOMPARE(layoutmath::outputPanePercent(150, 650), 23);
        QCOMPARE(layoutmath::outputPaneMinimum(750), 150);
        QCOMPARE(layoutmath::outputPaneMaximum(750), 561);
    }
};

QTEST_GUILESS_MAIN(TestDrawSchedule)
#include "tst_drawschedule.moc"
