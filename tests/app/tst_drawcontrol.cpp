#include "formfixture.h"

#include <QDir>
#include <QTest>
#include <QTimer>

class TestDrawControl : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void autostopCountsDownAndStops()
    {
        FormFixture fx;
        Form &form = fx.start();
        ui(fx.panel()).chkAutostop->setChecked(true);
        ui(fx.panel()).Sekunden->setValue(5);
        fx.draw().BTStartStopClick();
        QVERIFY(fx.running());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrAutoStop") + QStringLiteral(" (5)"));
        QVERIFY(fx.timed().intervalTimer().isRunning());
        QCOMPARE(fx.timed().intervalTimer().interval(), 1000);
        for (int shown = 4; shown >= 1; --shown) {
            fx.timed().IntervallTimerTimer();
            QCOMPARE(form.AutotivrelNotiz->text(),
                     lng("StrAutoStop") + QStringLiteral(" (%1)").arg(shown));
            QVERIFY(fx.running());
        }
        fx.timed().IntervallTimerTimer(); // the fifth tick, 5 seconds after the start
        QVERIFY(!fx.running());
        QVERIFY(!fx.timed().intervalTimer().isEnabled());
        QVERIFY(!form.AutotivrelNotiz->isVisibleTo(form.window.get()));
        fx.animation().RefresherTimer();
        QCOMPARE(fx.results().rowCount(), 1);
        // The next start arms the countdown again.
        fx.draw().BTStartStopClick();
        QVERIFY(fx.timed().autostopArmed());
        QCOMPARE(fx.timed().autostopRemaining(), 5);
    }

    void autopilotNumbersManualDrawsDownThenSwitchesToTimed()
    {
        FormFixture fx;
        Form &form = fx.start();
        ui(fx.panel()).ckAutopilot->setChecked(true);
        ui(fx.panel()).AutopilotStart->setValue(3);
        QCOMPARE(ui(fx.panel()).lbAutopilotRest->text(), QStringLiteral(" + 87"));
        const auto topRow = [&] { return fx.rows().first().Durchgang; };
        fx.drawOnce();
        QCOMPARE(topRow(), 3);
        fx.drawOnce();
        fx.drawOnce();
        QCOMPARE(topRow(), 1); // ascending: the newest draw, number 1, is on top
        QCOMPARE(fx.rows().last().Durchgang, 3);

        // The fourth start command switches to timed drawing and starts nothing itself.
        fx.draw().BTStartStopClick();
        QVERIFY(!fx.running());
        QCOMPARE(form.mode(), DrawMode::Timer);
        QCOMPARE(fx.display(), lng("StrAutoPilot"));
        QVERIFY(fx.draw().autopilotSuppressed());
        QVERIFY(fx.timed().intervalTimer().isRunning());
        QCOMPARE(fx.timed().intervalTimer().interval(), 5000);

        for (int expected : {4, 5}) {
            fx.timed().IntervallTimerTimer();
            QVERIFY(fx.running());
            fx.animation().RefresherTimer();
            fx.timed().IntervallTimerTimer();
            fx.animation().RefresherTimer();
            QCOMPARE(topRow(), expected);
        }
        QList<qint32> numbers;
        for (const ResultRow &row : fx.rows())
            numbers.append(row.Durchgang);
        QCOMPARE(numbers, (QList<qint32>{5, 4, 3, 2, 1}));
    }

    void timedModeAlternatesStartAndStop()
    {
        FormFixture fx;
        Form &form = fx.start();
        ui(fx.panel()).Sekunden->setValue(10);
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Timer));
        QVERIFY(form.settingsFlow().ApplySettings());
        QVERIFY(!shown(form.BTStartStop));
        QCOMPARE(form.AutotivrelNotiz->text(), QStringLiteral("Ziehungsintervall: 10 Sekunden"));
        QCOMPARE(fx.timed().intervalTimer().interval(), 10000);
        QVERIFY(fx.timed().intervalTimer().isRunning());

        fx.timed().IntervallTimerTimer(); // 10 s: the animation starts
        QVERIFY(fx.running());
        QCOMPARE(fx.timed().intervalTimer().interval(), 5000);
        fx.animation().RefresherTimer();
        fx.timed().IntervallTimerTimer(); // 15 s: stop, the draw follows
        QVERIFY(!fx.running());
        fx.animation().RefresherTimer();
        QCOMPARE(fx.results().rowCount(), 1);
        fx.timed().IntervallTimerTimer(); // 20 s: the next animation
        QVERIFY(fx.running());
    }

    void timedModeWithZeroSecondsNeverTicks()
    {
        FormFixture fx;
        Form &form = fx.start();
        ui(fx.panel()).Sekunden->setValue(0);
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Timer));
        QVERIFY(form.settingsFlow().ApplySettings());
        QVERIFY(fx.timed().intervalTimer().isEnabled());
        QVERIFY(!fx.timed().intervalTimer().isRunning());
    }

    void timedPassEndSwitchesTheTimerOff()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.useRange(1, 2, 2);
        ui(fx.panel()).HilfeAktiv->setChecked(false);
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Timer));
        QVERIFY(form.settingsFlow().ApplySettings());
        for (int i = 0; i < 2; ++i) {
            fx.timed().IntervallTimerTimer();
            fx.timed().IntervallTimerTimer();
            fx.animation().RefresherTimer();
        }
        QCOMPARE(fx.results().rowCount(), 2);
        QVERIFY(form.poolTexts().isEmpty());
        fx.timed().IntervallTimerTimer();
        QVERIFY(!fx.running());
        QVERIFY(!fx.timed().intervalTimer().isEnabled());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungEnde"));
        QVERIFY(fx.platform.messages.isEmpty()); // help is off: no box
    }

    void smallPoolAnimationCyclesThroughItsEntries()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.useRange(1, 3, 3);
        const QStringList pool = form.poolTexts();
        fx.draw().BTStartStopClick();
        QStringList shown;
        for (int i = 0; i < 4; ++i) {
            fx.animation().RefresherTimer();
            shown.append(fx.display());
        }
        QCOMPARE(shown, (QStringList{pool.at(1), pool.at(2), pool.at(0), pool.at(1)}));
        QCOMPARE(fx.results().rowCount(), 0);
    }

    void countdownAcrossMidnight()
    {
        FormFixture fx;
        fx.platform.clock = QDateTime(QDate(2026, 12, 8), QTime(22, 0));
        Form &form = fx.start();
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Countdown));
        ui(fx.panel()).Uhrzeit->setText(QStringLiteral("08:00"));
        QVERIFY(form.settingsFlow().ApplySettings());
        QCOMPARE(fx.timed().timeOfNextDraw(), QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
        QVERIFY(fx.timed().countdownTimer().isRunning());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungZeit"));
        QVERIFY(!shown(form.BTStartStop));

        fx.platform.clock = fx.platform.clock.addSecs(1);
        fx.timed().NochtimerTimer();
        QCOMPARE(fx.display(), QStringLiteral("09:59:59"));
        fx.platform.clock = QDateTime(QDate(2026, 12, 9), QTime(7, 59, 59));
        fx.timed().NochtimerTimer();
        QCOMPARE(fx.display(), QStringLiteral("00:00:01"));
        fx.platform.clock = QDateTime(QDate(2026, 12, 9), QTime(8, 0));
        fx.timed().NochtimerTimer();
        QVERIFY(!fx.timed().countdownTimer().isEnabled());
        QCOMPARE(form.mode(), DrawMode::Manual);
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
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        ui(fx.panel()).DoStatus->setItemIndex(mode);
        ui(fx.panel()).Uhrzeit->setText(text);
        QVERIFY(!form.settingsFlow().ApplySettings());
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.platform.messages.first().icon, Platform::Icon::Warning);
        QVERIFY(fx.platform.messages.first().text.startsWith(
            QLatin1Char('"') + ui(fx.panel()).Uhrzeit->text() + QLatin1Char('"')));
        QVERIFY(!fx.timed().countdownTimer().isEnabled());
        QVERIFY(form.Einstellungen->isVisibleTo(form.window.get()));
    }

    void timeModesFillTheNextFullHour()
    {
        FormFixture fx;
        fx.platform.clock = QDateTime(QDate(2026, 12, 8), QTime(23, 10));
        Form &form = fx.start();
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::TimeOfDay));
        QCOMPARE(ui(fx.panel()).Uhrzeit->text(), QStringLiteral("00:00"));
        QVERIFY(ui(fx.panel()).Uhrzeit->isEnabled());
        QVERIFY(!ui(fx.panel()).btKonfig->isEnabled());
        QCOMPARE(ui(fx.panel()).hpModus->text(), lng("StrModeZeit"));
        QVERIFY(form.settingsFlow().ApplySettings());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungNaechste"));
        QCOMPARE(fx.display(), QStringLiteral("00:00"));
    }

    void newPassFromTheMenuWaitsAndStartsAgain()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.drawOnce();
        fx.drawOnce();
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, &clock, [&] { fx.platform.ticks += 250; });
        clock.start(1);
        form.mmNeueRundeStarten->trigger();
        clock.stop();
        QCOMPARE(fx.results().rowCount(), 0);
        QCOMPARE(form.pass().drawCount(), 0);
        QCOMPARE(form.poolTexts().size(), 900);
        QCOMPARE(fx.display(), lng("StrNeueZiehungStarten"));
        QVERIFY(form.BTStartStop->isEnabled());
    }

    // A timed draw whose log cannot be written: the notice stays open while the timer goes on
    // drawing, and no entry is drawn twice.
    void timedDrawsGoOnWhileTheLogFailureIsShown()
    {
        FormFixture fx;
        Form &form = fx.start();
        QVERIFY(QDir(fx.folder.path()).mkdir(QStringLiteral("tivrel.log")));
        fx.platform.modalMs = 3500;
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Timer));
        ui(fx.panel()).Sekunden->setValue(1);
        fx.useRange(1, 10, 10);
        QTRY_VERIFY_WITH_TIMEOUT(!fx.platform.messages.isEmpty(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(fx.results().rowCount() >= 3, 8000);
        form.drawControl().stopTimers();
        QCOMPARE(fx.platform.messages.size(), 1);
        QStringList drawn;
        for (const ResultRow &row : fx.rows())
            drawn.append(row.Gezogen);
        QStringList everything = drawn + form.poolTexts();
        everything.sort();
        everything.removeDuplicates();
        QCOMPARE(everything.size(), 10);
        QCOMPARE(drawn.size() + form.poolTexts().size(), 10);
        QCOMPARE(form.pass().drawCount(), drawn.size());
    }

    // The padding of the numbers changes between passes of one range: a number drawn in this
    // pass stays drawn, however it is written.
    void changingThePaddingDrawsNoNumberTwice()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        ui(fx.panel()).ZeigeNullen->setChecked(true);
        fx.useRange(1, 9, 9);
        fx.drawOnce();
        fx.drawOnce();
        const QStringList drawn{fx.rows().at(0).Gezogen, fx.rows().at(1).Gezogen};
        fx.useRange(1, 10, 10);
        QCOMPARE(form.poolTexts().size(), 8);
        for (const QString &entry : drawn)
            QVERIFY(
                !form.poolTexts().contains(QString::number(entry.toInt()).rightJustified(2, u'0')));
    }

    // An animation that ends without a draw (settings opened, a new pass from the menu, the
    // window closing) leaves the display on what was really shown last, not on a flashed entry
    // that was never drawn; the button offers Start and one press starts.
    void anInterruptedAnimationLeavesNoUndrawnEntryShown_data()
    {
        QTest::addColumn<bool>("newPass");
        QTest::newRow("timers stopped") << false;
        QTest::newRow("new pass from the menu") << true;
    }
    void anInterruptedAnimationLeavesNoUndrawnEntryShown()
    {
        QFETCH(bool, newPass);
        FormFixture fx;
        Form &form = fx.start();
        const QString before = fx.display();
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();
        QVERIFY(fx.display() != before); // an entry flashes
        if (newPass) {
            QTimer clock;
            QObject::connect(&clock, &QTimer::timeout, &clock, [&] { fx.platform.ticks += 250; });
            clock.start(1);
            form.mmNeueRundeStarten->trigger();
        } else {
            fx.draw().stopTimers();
            QCOMPARE(fx.display(), before);
        }
        QCOMPARE(fx.results().rowCount(), 0);
        QCOMPARE(form.BTStartStop->text(), lng("StrStart"));
        QVERIFY(!fx.running());
        fx.draw().BTStartStopClick();
        QVERIFY(fx.running());
    }

    void closingDuringTheWaitStopsTheNewPass()
    {
        FormFixture fx;
        Form &form = fx.start();
        form.show();
        fx.drawOnce();
        QTimer::singleShot(30, form.window.get(), [&] { form.close(); });
        fx.draw().mmNeueRundeStartenClick();
        QVERIFY(!form.window->isVisible());
        QCOMPARE(fx.results().rowCount(), 1);
        QVERIFY(!fx.animation().refresher().isEnabled());
        QCOMPARE(fx.display(), lng("StrNeueZiehungVorbereiten"));
    }
};

QTEST_MAIN(TestDrawControl)
#include "tst_drawcontrol.moc"
