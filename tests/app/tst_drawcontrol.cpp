#include "formfixture.h"

#include <QTest>
#include <QTimer>

class TestDrawControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void autostopCountsDownAndStops()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        fx.panel().chkAutostop->setChecked(true);
        fx.panel().Sekunden->setValue(5);
        fx.draw().BTStartStopClick();
        QVERIFY(fx.running());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrAutoStop") + QStringLiteral(" (5)"));
        QVERIFY(fx.draw().IntervallTimer->isRunning());
        QCOMPARE(fx.draw().IntervallTimer->interval(), 1000);
        for (int shown = 4; shown >= 1; --shown) {
            fx.draw().IntervallTimerTimer();
            QCOMPARE(form.AutotivrelNotiz->text(),
                     lng("StrAutoStop") + QStringLiteral(" (%1)").arg(shown));
            QVERIFY(fx.running());
        }
        fx.draw().IntervallTimerTimer(); // the fifth tick, 5 seconds after the start
        QVERIFY(!fx.running());
        QVERIFY(!fx.draw().IntervallTimer->isEnabled());
        QVERIFY(!form.AutotivrelNotiz->isVisibleTo(&form));
        fx.draw().RefresherTimer();
        QCOMPARE(fx.results().rowCount(), 1);
        // The next start arms the countdown again.
        fx.draw().BTStartStopClick();
        QCOMPARE(fx.draw().AutostopArmed, 1);
        QCOMPARE(fx.draw().AutostopRemaining, 5);
    }

    void autopilotNumbersManualDrawsDownThenSwitchesToTimed()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        fx.panel().ckAutopilot->setChecked(true);
        fx.panel().AutopilotStart->setValue(3);
        QCOMPARE(fx.panel().lbAutopilotRest->text(), QStringLiteral(" + 87"));
        const auto topRow = [&] { return fx.results().rows().first().Durchgang; };
        fx.drawOnce();
        QCOMPARE(topRow(), 3);
        fx.drawOnce();
        fx.drawOnce();
        QCOMPARE(topRow(), 1); // ascending: the newest draw, number 1, is on top
        QCOMPARE(fx.results().rows().last().Durchgang, 3);

        // The fourth start command switches to timed drawing and starts nothing itself.
        fx.draw().BTStartStopClick();
        QVERIFY(!fx.running());
        QCOMPARE(form.mode(), 1);
        QCOMPARE(fx.display(), lng("StrAutoPilot"));
        QCOMPARE(fx.draw().AutopilotSuppressed, 1);
        QVERIFY(fx.draw().IntervallTimer->isRunning());
        QCOMPARE(fx.draw().IntervallTimer->interval(), 5000);

        for (int expected : {4, 5}) {
            fx.draw().IntervallTimerTimer();
            QVERIFY(fx.running());
            fx.draw().RefresherTimer();
            fx.draw().IntervallTimerTimer();
            fx.draw().RefresherTimer();
            QCOMPARE(topRow(), expected);
        }
        QList<qint32> numbers;
        for (const ResultRow &row : fx.results().rows())
            numbers.append(row.Durchgang);
        QCOMPARE(numbers, (QList<qint32>{5, 4, 3, 2, 1}));
    }

    void timedModeAlternatesStartAndStop()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        fx.panel().Sekunden->setValue(10);
        fx.panel().DoStatus->setItemIndex(1);
        QVERIFY(form.settingsFlow().ApplySettings());
        QVERIFY(!TForm1::shown(form.BTStartStop));
        QCOMPARE(form.AutotivrelNotiz->text(), QStringLiteral("Ziehungsintervall: 10 Sekunden"));
        QCOMPARE(fx.draw().IntervallTimer->interval(), 10000);
        QVERIFY(fx.draw().IntervallTimer->isRunning());

        fx.draw().IntervallTimerTimer(); // 10 s: the animation starts
        QVERIFY(fx.running());
        QCOMPARE(fx.draw().IntervallTimer->interval(), 5000);
        fx.draw().RefresherTimer();
        fx.draw().IntervallTimerTimer(); // 15 s: stop, the draw follows
        QVERIFY(!fx.running());
        fx.draw().RefresherTimer();
        QCOMPARE(fx.results().rowCount(), 1);
        fx.draw().IntervallTimerTimer(); // 20 s: the next animation
        QVERIFY(fx.running());
    }

    void timedModeWithZeroSecondsNeverTicks()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        fx.panel().Sekunden->setValue(0);
        fx.panel().DoStatus->setItemIndex(1);
        QVERIFY(form.settingsFlow().ApplySettings());
        QVERIFY(fx.draw().IntervallTimer->isEnabled());
        QVERIFY(!fx.draw().IntervallTimer->isRunning());
    }

    void timedPassEndSwitchesTheTimerOff()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        fx.useRange(1, 2, 2);
        fx.panel().HilfeAktiv->setChecked(false);
        fx.panel().DoStatus->setItemIndex(1);
        QVERIFY(form.settingsFlow().ApplySettings());
        for (int i = 0; i < 2; ++i) {
            fx.draw().IntervallTimerTimer();
            fx.draw().IntervallTimerTimer();
            fx.draw().RefresherTimer();
        }
        QCOMPARE(fx.results().rowCount(), 2);
        QVERIFY(form.Draw.DrawPool.isEmpty());
        fx.draw().IntervallTimerTimer();
        QVERIFY(!fx.running());
        QVERIFY(!fx.draw().IntervallTimer->isEnabled());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungEnde"));
        QVERIFY(fx.platform.messages.isEmpty()); // help is off: no box
    }

    void smallPoolAnimationCyclesThroughItsEntries()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        fx.useRange(1, 3, 3);
        const QStringList pool = form.Draw.DrawPool;
        fx.draw().BTStartStopClick();
        QStringList shown;
        for (int i = 0; i < 4; ++i) {
            fx.draw().RefresherTimer();
            shown.append(fx.display());
        }
        QCOMPARE(shown, (QStringList{pool.at(1), pool.at(2), pool.at(0), pool.at(1)}));
        QCOMPARE(fx.results().rowCount(), 0);
    }

    void countdownAcrossMidnight()
    {
        FormFixture fx;
        fx.platform.clock = QDateTime(QDate(2026, 12, 8), QTime(22, 0));
        TForm1 &form = fx.start();
        fx.panel().DoStatus->setItemIndex(3);
        fx.panel().Uhrzeit->setText(QStringLiteral("08:00"));
        QVERIFY(form.settingsFlow().ApplySettings());
        QCOMPARE(fx.draw().NextDrawTime, QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
        QVERIFY(fx.draw().Nochtimer->isRunning());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungZeit"));
        QVERIFY(!TForm1::shown(form.BTStartStop));

        fx.platform.clock = fx.platform.clock.addSecs(1);
        fx.draw().NochtimerTimer();
        QCOMPARE(fx.display(), QStringLiteral("09:59:59"));
        fx.platform.clock = QDateTime(QDate(2026, 12, 9), QTime(7, 59, 59));
        fx.draw().NochtimerTimer();
        QCOMPARE(fx.display(), QStringLiteral("00:00:01"));
        fx.platform.clock = QDateTime(QDate(2026, 12, 9), QTime(8, 0));
        fx.draw().NochtimerTimer();
        QVERIFY(!fx.draw().Nochtimer->isEnabled());
        QCOMPARE(form.mode(), 0);
        QCOMPARE(fx.display(), lng("StrGleich"));
    }

    void timeOfDayThatIsNoTimeIsRefused_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("countdown, hour 25") << 3 << QStringLiteral("25:00");
        QTest::newRow("countdown, minute 75") << 3 << QStringLiteral("12:75");
        QTest::newRow("countdown, empty") << 3 << QString();
        QTest::newRow("time of day, hour 24") << 2 << QStringLiteral("24:10");
    }
    void timeOfDayThatIsNoTimeIsRefused()
    {
        QFETCH(int, mode);
        QFETCH(QString, text);
        FormFixture fx;
        TForm1 &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        fx.panel().DoStatus->setItemIndex(mode);
        fx.panel().Uhrzeit->setText(text);
        QVERIFY(!form.settingsFlow().ApplySettings());
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.platform.messages.first().icon, Platform::Icon::Warning);
        QVERIFY(fx.platform.messages.first().text.startsWith(
            QLatin1Char('"') + fx.panel().Uhrzeit->text() + QLatin1Char('"')));
        QVERIFY(!fx.draw().Nochtimer->isEnabled());
        QVERIFY(form.Einstellungen->isVisibleTo(&form));
    }

    void timeModesFillTheNextFullHour()
    {
        FormFixture fx;
        fx.platform.clock = QDateTime(QDate(2026, 12, 8), QTime(23, 10));
        TForm1 &form = fx.start();
        fx.panel().DoStatus->setItemIndex(2);
        QCOMPARE(fx.panel().Uhrzeit->text(), QStringLiteral("00:00"));
        QVERIFY(fx.panel().Uhrzeit->isEnabled());
        QVERIFY(!fx.panel().btKonfig->isEnabled());
        QCOMPARE(fx.panel().hpModus->text(), lng("StrModeZeit"));
        QVERIFY(form.settingsFlow().ApplySettings());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungNaechste"));
        QCOMPARE(fx.display(), QStringLiteral("00:00"));
    }

    void newPassFromTheMenuWaitsAndStartsAgain()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        fx.drawOnce();
        fx.drawOnce();
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, &clock, [&] { fx.platform.ticks += 250; });
        clock.start(1);
        form.mmNeueRundeStarten->trigger();
        clock.stop();
        QCOMPARE(fx.results().rowCount(), 0);
        QCOMPARE(form.Resultate->DrawCount, 0);
        QCOMPARE(form.Draw.DrawPool.size(), 900);
        QCOMPARE(fx.display(), lng("StrNeueZiehungStarten"));
        QVERIFY(form.BTStartStop->isEnabled());
    }

    void closingDuringTheWaitStopsTheNewPass()
    {
        FormFixture fx;
        TForm1 &form = fx.start();
        form.show();
        fx.drawOnce();
        QTimer::singleShot(30, &form, [&] { form.close(); });
        fx.draw().mmNeueRundeStartenClick();
        QVERIFY(form.closing());
        QCOMPARE(fx.results().rowCount(), 1);
        QVERIFY(!fx.draw().Refresher->isEnabled());
        QCOMPARE(fx.display(), lng("StrNeueZiehungVorbereiten"));
    }
};

QTEST_MAIN(TestDrawControl)
#include "tst_drawcontrol.moc"
