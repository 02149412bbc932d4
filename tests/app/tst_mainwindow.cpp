#include "formfixture.h"

#include "app/mainlayout.h"
#include "settings/filesizelimit.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace {
QList<ResultRow> numberRows(int count, int first = 100)
{
    QList<ResultRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({i, QString(), QString::number(first + i - 1)});
    return rows;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstRunGreetsAndShowsTheWelcomeArea()
    {
        FormFixture fx;
        Form &form = fx.start(true);
        form.show();
        QCOMPARE(fx.display(), QStringLiteral("Hallo!"));
        QVERIFY(shown(form.Hilfeviewer));
        QVERIFY(!shown(form.Resultate));
        QVERIFY(form.BTStartStop->isEnabled());
        QVERIFY(!QFile::exists(form.SettingsFile));
        // Start applies the settings first, then animates.
        fx.draw().BTStartStopClick();
        QVERIFY(!shown(form.Hilfeviewer));
        QVERIFY(shown(form.Resultate));
        QVERIFY(fx.running());
    }

    void drawFromShortcutToTableRowAndLog()
    {
        FormFixture fx;
        Form &form = fx.start();
        form.show();
        QApplication::setActiveWindow(form.window.get());
        QVERIFY(QTest::qWaitForWindowActive(form.window.get()));
        QCOMPARE(fx.display(), QStringLiteral("Hallo!"));
        QCOMPARE(form.poolTexts().size(), 900);

        QTest::keyClick(form.window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(fx.running());
        QVERIFY(fx.animation().refresher().isRunning());
        fx.animation().RefresherTimer();
        QVERIFY(form.poolTexts().contains(fx.display()));
        QTest::keyClick(form.window.get(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(!fx.running());
        QCOMPARE(fx.results().rowCount(), 0); // the draw follows at the next tick
        fx.animation().RefresherTimer();

        QCOMPARE(fx.results().rowCount(), 1);
        const ResultRow row = fx.rows().first();
        QCOMPARE(row.Durchgang, 1);
        QCOMPARE(row.Gezogen, fx.display());
        QCOMPARE(form.pass().drawCount(), 1);
        QCOMPARE(form.poolTexts().size(), 899);
        QVERIFY(!form.poolTexts().contains(row.Gezogen));
        QVERIFY(!fx.animation().refresher().isEnabled());
        QVERIFY(!form.Resultate->selectionHidden());
        ResultRows logged;
        QVERIFY(readDrawLog(form.DrawLog, logged));
        QCOMPARE(logged.toList(), fx.rows());
    }

    void passEndsAtTheQuota()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.useRange(1, 10, 3);
        QCOMPARE(form.pass().drawQuota(), 3);
        for (int i = 0; i < 3; ++i)
            fx.drawOnce();
        QCOMPARE(fx.results().rowCount(), 3);
        fx.draw().BTStartStopClick();
        QVERIFY(!fx.running());
        QVERIFY(!form.BTStartStop->isEnabled());
        QVERIFY(!shown(form.BTStartStop));
        QVERIFY(shown(form.AutotivrelNotiz));
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungEnde"));
        QCOMPARE(fx.messagesWith(lng("HinweisNeuerDurchgang")), 1);
        QCOMPARE(fx.results().rowCount(), 3);
    }

    void passIsRestoredFromTheLog_data()
    {
        QTest::addColumn<QByteArray>("percent");
        QTest::addColumn<bool>("closed");
        // The range 100 .. 149 holds 50 numbers.
        QTest::newRow("quota 10") << QByteArray("20") << false;
        QTest::newRow("quota 5") << QByteArray("10") << true;
    }
    void passIsRestoredFromTheLog()
    {
        QFETCH(QByteArray, percent);
        QFETCH(bool, closed);
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=100\r\nEnd=149\r\nCent=1\r\nCount=" + percent + "\r\n");
        fx.writeLog(numberRows(5));
        Form &form = fx.start();

        QCOMPARE(form.pass().drawQuota(), closed ? 5 : 10);
        QCOMPARE(form.pass().drawCount(), 5);
        QCOMPARE(form.poolTexts().size(), 45);
        for (int n = 100; n <= 104; ++n)
            QVERIFY(!form.poolTexts().contains(QString::number(n)));
        QCOMPARE(fx.display(), QStringLiteral("104"));
        QCOMPARE(form.Resultate->horizontalHeader()->sortIndicatorSection(),
                 int(ResultsModel::Durchgang));
        QCOMPARE(form.BTStartStop->isEnabled(), !closed);
        QCOMPARE(form.AutotivrelNotiz->isVisibleTo(form.window.get()), closed);
        if (closed)
            QCOMPARE(form.AutotivrelNotiz->text(), lng("StrDurchgangBeendet"));
        form.show();
        QCOMPARE(fx.display(), QStringLiteral("Hallo!"));
        if (!closed) {
            fx.drawOnce();
            QCOMPARE(fx.results().rowCount(), 6);
            QCOMPARE(form.poolTexts().size(), 44);
        }
    }

    void lotteryLogRestoresWithTheGameColumn()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"), "[DRAW]\r\nMode=4\r\n");
        fx.writeLog({{1, QStringLiteral(" 1 /  7"), QStringLiteral("7")},
                     {2, QStringLiteral(" 1 / 23"), QStringLiteral("23")}});
        Form &form = fx.start();
        QCOMPARE(form.mode(), DrawMode::Lottery);
        QVERIFY(form.Resultate->columnShown(ResultsModel::Spiel));
        QVERIFY(!form.Resultate->columnShown(ResultsModel::Gezogen));
        QCOMPARE(fx.results().headerText(ResultsModel::Spiel), lng("StrSpielZahl"));
        QVERIFY(!form.BTStartStop->isEnabled());
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrDurchgangBeendet"));
    }

    void settingsThatCannotBeWrittenKeepThePanelOpen()
    {
        FormFixture fx;
        // A folder in the settings file's place: nothing can be written there.
        QVERIFY(QDir(fx.folder.path()).mkdir(QStringLiteral("tivrel.ini")));
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Timer));
        QVERIFY(!form.settingsFlow().ApplySettings());
        QCOMPARE(fx.platform.messages.size(), 1);
        const auto &box = fx.platform.messages.first();
        QCOMPARE(box.caption, QStringLiteral("Tivrel"));
        QCOMPARE(box.icon, Platform::Icon::Stop);
        QVERIFY(box.text.contains(form.SettingsFile));
        QVERIFY(box.text.endsWith(QLatin1Char('.')));
        QVERIFY(form.Einstellungen->isVisibleTo(form.window.get()));
        QVERIFY(!fx.timed().intervalTimer().isEnabled());
    }

    void applyingWritesTheSettingsAndARestartKeepsThem()
    {
        FormFixture fx;
        {
            Form &form = fx.start(true);
            QVERIFY(!QFile::exists(form.SettingsFile));
            ui(fx.panel()).Maximum->setValue(500);
            ui(fx.panel()).Ziehungsquote->setValue(50);
            QVERIFY(form.settingsFlow().ApplySettings());
            QVERIFY(QFile::exists(form.SettingsFile));
            QCOMPARE(ui(fx.panel()).HilfeLng->currentIndex(), 0);
            QVERIFY(fx.folder.read(QStringLiteral("tivrel.ini")).contains("Language=0"));
            fx.drawOnce();
            form.close();
        }
        Form &again = fx.start();
        QCOMPARE(again.pass().rangeSize(), 401);
        QCOMPARE(again.pass().drawQuota(), 200);
        QCOMPARE(again.poolTexts().size(), 400);
        QCOMPARE(again.pass().drawCount(), 1);
        QVERIFY(!again.Resultate->isHidden());
        QVERIFY(!again.Hilfeviewer->isVisibleTo(again.window.get()));
    }

    void outputPaneFollowsTheStoredPercentage()
    {
        // The window's outer height is to be 750: take the frame's share off.
        QWidget probe(nullptr, Qt::Window);
        probe.resize(300, 300);
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));
        const int frame = probe.frameGeometry().height() - probe.height();
        probe.hide();
        FormFixture fx;
        Form &form = fx.start();
        form.resize(700, 750 - frame);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window.get()));
        QCOMPARE(form.layout().windowHeight(), 750);
        QCOMPARE(form.Ausgabe->height(), 175);
        QCOMPARE(form.Ausgabe->minimumHeight(), 150);
        QCOMPARE(form.Ausgabe->maximumHeight(), 561);
        QCOMPARE(form.Resultate->columnWidth(ResultsModel::Durchgang), 350);

        // Hiding the list stores 175 of 750 as 23 %; showing it again gives 161 pixels.
        form.layout().MMListeClick();
        QVERIFY(!form.MMListe->isChecked());
        QVERIFY(!shown(form.Resultate));
        QCOMPARE(form.layout().OutputPanePercent, 23);
        form.layout().MMListeClick();
        QVERIFY(form.MMListe->isChecked());
        QVERIFY(shown(form.Resultate));
        QCOMPARE(form.Ausgabe->height(), 161);

        // Dragging the splitter stores the new share.
        form.layout().setOutputHeight(300);
        form.layout().spHauptsplitterMoved();
        QCOMPARE(form.layout().OutputPanePercent, 40);

        // "Liste an" does nothing while the settings are open.
        form.settingsFlow().OpenSettingsPanel();
        form.layout().MMListeClick();
        QVERIFY(!ui(fx.panel()).cbListeAus->isChecked());
        QTest::qWait(50); // the splitter lays out its panes without the output pane

        // Applying stores the share the output pane had before the settings opened, and the
        // pane comes back at that share of the window.
        form.settingsFlow().ApplySettings();
        QVERIFY(fx.folder.read(QStringLiteral("tivrel.ini")).contains("WinSize=40"));
        QCOMPARE(form.Ausgabe->height(), 280);
    }

    void failedLogWriteKeepsTheDrawAndTellsOnce()
    {
        FormFixture fx;
        Form &form = fx.start();
        // A folder in the log's place: the log cannot be written.
        QVERIFY(QDir(fx.folder.path()).mkdir(QStringLiteral("tivrel.log")));
        fx.drawOnce();
        fx.drawOnce();
        QCOMPARE(fx.results().rowCount(), 2);
        QCOMPARE(form.pass().drawCount(), 2);
        QCOMPARE(form.poolTexts().size(), 898);
        QTRY_COMPARE(fx.platform.messages.size(), 1);
        QVERIFY(fx.platform.messages.first().text.contains(form.DrawLog));
        QCOMPARE(fx.platform.messages.first().caption, lng("StrTivrelHinweis"));

        // Once the log can be written again, the next draw writes the whole table.
        QVERIFY(QDir(fx.folder.path()).rmdir(QStringLiteral("tivrel.log")));
        fx.drawOnce();
        ResultRows logged;
        QVERIFY(readDrawLog(form.DrawLog, logged));
        QCOMPARE(logged.size(), 3);
        // ... and the operator hears that it is whole again, once.
        QCOMPARE(fx.platform.messages.size(), 2);
        QVERIFY(fx.platform.messages.last().text.contains(QStringLiteral("wieder vollständig")));
    }

#ifdef Q_OS_UNIX
    void fullDiskKeepsTheLogAndTheDraw()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=1\r\nEnd=999999\r\nCent=0\r\nPercentage=999999\r\n");
        fx.writeLog(numberRows(5000, 1000)); // about 150 KB
        const QByteArray before = fx.folder.read(QStringLiteral("tivrel.log"));
        Form &form = fx.start();
        QCOMPARE(form.pass().drawCount(), 5000);
        {
            const FileSizeLimit fullDisk(64 * 1024);
            fx.drawOnce();
        }
        QCOMPARE(fx.results().rowCount(), 5001);
        QCOMPARE(form.pass().drawCount(), 5001);
        QCOMPARE(form.poolTexts().size(), 999999 - 5001);
        QTRY_COMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.folder.read(QStringLiteral("tivrel.log")), before);
        fx.drawOnce(); // room again: the next draw writes the whole table
        ResultRows logged;
        QVERIFY(readDrawLog(form.DrawLog, logged));
        QCOMPARE(logged.size(), 5002);
    }
#endif

    void lotteryQuestionsWhenApplying_data()
    {
        QTest::addColumn<bool>("gameShown");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("question");
        QTest::newRow("lottery table, Cancel")
            << true << 0 << false << QStringLiteral("HinweisLottoschein");
        QTest::newRow("lottery table, OK")
            << true << 0 << true << QStringLiteral("HinweisLottoschein");
        QTest::newRow("to lottery, Cancel")
            << false << 4 << false << QStringLiteral("HinweisLottoscheinAn");
        QTest::newRow("to lottery, OK")
            << false << 4 << true << QStringLiteral("HinweisLottoscheinAn");
    }
    void lotteryQuestionsWhenApplying()
    {
        QFETCH(bool, gameShown);
        QFETCH(int, mode);
        QFETCH(bool, ok);
        QFETCH(QString, question);
        FormFixture fx;
        fx.writeLog(numberRows(3));
        Form &form = fx.start();
        form.Resultate->setColumnShown(ResultsModel::Spiel, gameShown);
        form.settingsFlow().OpenSettingsPanel();
        ui(fx.panel()).DoStatus->setItemIndex(mode);
        // The shortest lottery run: one number, drawn on a clock that runs fast.
        ui(fx.panel()).Lotto_Spiele->setValue(1);
        ui(fx.panel()).Lotto_n->setValue(1);
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, &clock, [&] { fx.platform.ticks += 20; });
        clock.start(10);
        fx.platform.answers.enqueue(ok ? Platform::Answer::Ok : Platform::Answer::Cancel);
        QCOMPARE(form.settingsFlow().ApplySettings(), ok);
        QCOMPARE(fx.messagesWith(lng(question)), 1);
        QCOMPARE(fx.platform.messages.last().buttons, Platform::Buttons::OkCancel);
        QCOMPARE(form.Einstellungen->isVisibleTo(form.window.get()), !ok);
        if (!ok) {
            QCOMPARE(fx.results().rowCount(), 3);
        } else if (gameShown) {
            // The table is cleared before the pool is built, so the pool is complete.
            QCOMPARE(fx.results().rowCount(), 0);
            QCOMPARE(form.poolTexts().size(), 900);
            QCOMPARE(form.pass().drawCount(), 0);
        }
    }

    void applyingTwiceGivesTheSamePoolAndCount()
    {
        FormFixture fx;
        Form &form = fx.start();
        for (int i = 0; i < 5; ++i)
            fx.drawOnce();
        form.settingsFlow().ApplySettings();
        QStringList first = form.poolTexts();
        first.sort();
        QCOMPARE(form.pass().drawCount(), 5);
        form.settingsFlow().ApplySettings();
        QStringList second = form.poolTexts();
        second.sort();
        QCOMPARE(second, first);
        QCOMPARE(second.size(), 895);
        QCOMPARE(form.pass().drawCount(), 5);
    }

    void openingTheSettingsEndsAnAnimationWithoutADraw()
    {
        FormFixture fx;
        Form &form = fx.start();
        form.show();
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();
        form.acEinstellungen->trigger();
        QVERIFY(!fx.running());
        QVERIFY(!fx.animation().refresher().isEnabled());
        QCOMPARE(fx.results().rowCount(), 0);
        QCOMPARE(form.poolTexts().size(), 900);
        QVERIFY(shown(form.Einstellungen));
        QVERIFY(shown(form.Hilfeviewer)); // help is on by default
        QVERIFY(!shown(form.Ausgabe));
        QVERIFY(fx.draw().autopilotSuppressed());
        QVERIFY(fx.platform.messages.isEmpty());
    }

    void finishedPassExplainsTheButtonsWhenTheSettingsOpen()
    {
        FormFixture fx;
        fx.writeLog(numberRows(90));
        Form &form = fx.start();
        QVERIFY(!form.BTStartStop->isEnabled());
        form.settingsFlow().OpenSettingsPanel();
        QCOMPARE(fx.messagesWith(lng("HilfeReset")), 1);
        QCOMPARE(fx.platform.messages.last().icon, Platform::Icon::Information);
        ui(fx.panel()).HilfeAktiv->setChecked(false);
        form.settingsFlow().OpenSettingsPanel();
        QCOMPARE(fx.messagesWith(lng("HilfeReset")), 1);
    }

    void startAfterALeftoverLotteryTable_data()
    {
        QTest::addColumn<bool>("listFileGone");
        QTest::newRow("the pool is built anew") << false;
        QTest::newRow("the draw list is gone") << true;
    }
    void startAfterALeftoverLotteryTable()
    {
        QFETCH(bool, listFileGone);
        FormFixture fx;
        fx.writeLog({{1, QStringLiteral(" 1 /  7"), QStringLiteral("7")}});
        fx.folder.write(QStringLiteral("liste.txt"), "Anna\nBert\nCarl\n");
        Form &form = fx.start();
        fx.platform.answers.enqueue(Platform::Answer::Yes); // the pass may go
        ui(fx.panel()).AusDatei->setChecked(true);
        ui(fx.panel()).AusDateiPfad->setText(QStringLiteral("liste.txt"));
        fx.useRange(1, 3, 3);
        QCOMPARE(form.poolTexts().size(), 3);
        form.Resultate->setColumnShown(ResultsModel::Spiel, true);
        if (listFileGone)
            QVERIFY(QFile::remove(fx.folder.file(QStringLiteral("liste.txt"))));
        fx.platform.answers.enqueue(Platform::Answer::Ok);
        fx.draw().BTStartStopClick();
        QCOMPARE(fx.messagesWith(lng("HinweisLottoschein")), 1);
        QCOMPARE(fx.results().rowCount(), 0);
        QVERIFY(!form.Resultate->columnShown(ResultsModel::Spiel));
        // The reset emptied the pool: an animation runs only over a pool built anew.
        QCOMPARE(fx.running(), !listFileGone);
        QCOMPARE(form.BTStartStop->isEnabled(), !listFileGone);
        if (listFileGone) {
            QCOMPARE(form.AutotivrelNotiz->text(), lng("StrZiehungEnde"));
            QVERIFY(!fx.animation().refresher().isEnabled());
            return;
        }
        QCOMPARE(form.poolTexts().size(), 3);
        fx.animation().RefresherTimer();
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();
        QCOMPARE(fx.results().rowCount(), 1);
    }

    void leftoverLotteryTableCancelOpensTheSettings()
    {
        FormFixture fx;
        Form &form = fx.start();
        form.Resultate->setColumnShown(ResultsModel::Spiel, true);
        fx.platform.answers.enqueue(Platform::Answer::Cancel);
        fx.draw().BTStartStopClick();
        QVERIFY(!fx.running());
        QVERIFY(form.Einstellungen->isVisibleTo(form.window.get()));
        QVERIFY(form.Resultate->columnShown(ResultsModel::Spiel));
    }

    void zerosQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes starts a new pass") << true;
        QTest::newRow("No keeps the box and the pass") << false;
    }
    void zerosQuestion()
    {
        QFETCH(bool, yes);
        FormFixture fx;
        Form &form = fx.start();
        fx.drawOnce();
        fx.platform.answers.enqueue(yes ? Platform::Answer::Yes : Platform::Answer::No);
        ui(fx.panel()).ZeigeNullen->setChecked(true);
        QCOMPARE(fx.messagesWith(lng("HinweisFuerendeNullen")), 1);
        QCOMPARE(ui(fx.panel()).ZeigeNullen->isChecked(), yes);
        QCOMPARE(fx.results().rowCount(), yes ? 0 : 1);
        // The box the program put back asks nothing, the operator's next switch asks again.
        fx.platform.answers.enqueue(Platform::Answer::No);
        ui(fx.panel()).ZeigeNullen->setChecked(!yes);
        QCOMPARE(fx.messagesWith(lng("HinweisFuerendeNullen")), 2);
        QCOMPARE(ui(fx.panel()).ZeigeNullen->isChecked(), yes);
        if (yes) {
            form.settingsFlow().ApplySettings();
            QVERIFY(form.poolTexts().contains(QStringLiteral("100")));
            fx.useRange(1, 1000, 10);
            QVERIFY(form.poolTexts().contains(QStringLiteral("0001")));
        }
    }

    void largePoolsShowTheWaitNotice_data()
    {
        QTest::addColumn<bool>("fromList");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("notice");
        QTest::newRow("range of 10000") << false << 10000 << false;
        QTest::newRow("range of 10001") << false << 10001 << true;
        QTest::newRow("list of 1000") << true << 1000 << false;
        QTest::newRow("list of 1001") << true << 1001 << true;
    }
    void largePoolsShowTheWaitNotice()
    {
        QFETCH(bool, fromList);
        QFETCH(int, entries);
        QFETCH(bool, notice);
        FormFixture fx;
        Form &form = fx.start();
        if (fromList) {
            QByteArray lines;
            for (int i = 0; i < entries; ++i)
                lines += "Los " + QByteArray::number(i) + "\n";
            fx.folder.write(QStringLiteral("liste.txt"), lines);
            fx.platform.answers.enqueue(Platform::Answer::Yes); // the pass may go
            ui(fx.panel()).AusDatei->setChecked(true);
            ui(fx.panel()).AusDateiPfad->setText(QStringLiteral("liste.txt"));
        } else {
            ui(fx.panel()).Maximum->setValue(entries);
            ui(fx.panel()).Minimum->setValue(1);
        }
        QVERIFY(form.pool().BuildPool());
        QCOMPARE(form.poolTexts().size(), entries);
        QCOMPARE(form.pool().prepareWindowShown(), notice);
        form.pool().closePrepareWindow();
        QVERIFY(!form.pool().prepareWindowShown());
    }

    void rangeAndQuotaRules()
    {
        FormFixture fx;
        Form &form = fx.start();
        QCOMPARE(form.pass().drawQuota(), 90);
        ui(fx.panel()).Minimum->setValue(2000);
        QCOMPARE(ui(fx.panel()).Minimum->value(), 999); // pulled down to the maximum
        QCOMPARE(form.pass().rangeSize(), 1);
        ui(fx.panel()).Minimum->setValue(100);
        QCOMPARE(form.pass().rangeSize(), 900);
        ui(fx.panel()).Ziehungsquote->setValue(53);
        QCOMPARE(form.pass().drawQuota(), 477);
        ui(fx.panel()).Ziehungsquote->setValue(2.4);
        ui(fx.panel()).Ziehung_Prozent->setChecked(false);
        QCOMPARE(ui(fx.panel()).Ziehungsquote->value(), 3.0);
        QCOMPARE(form.pass().drawQuota(), 3);
        QVERIFY(!ui(fx.panel()).LAnzahl_Ziehungen->isVisibleTo(form.window.get()));
        ui(fx.panel()).Ziehungsquote->setValue(5000);
        QCOMPARE(form.pass().drawQuota(), 900);
    }

    // With the results switched off the display takes the whole window from the start, as it
    // does after the list is switched off and on again.
    void listOffAtStartUpLeavesTheDisplayTheWholeWindow()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"), "[DISPLAY]\nList=1\n");
        Form &form = fx.start();
        form.resize(800, 700);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window.get()));
        QVERIFY(!shown(form.child<QWidget>("Display")));
        QTRY_COMPARE(form.Ausgabe->height(), form.window->centralWidget()->height());
    }

    // Typing a number digit by digit runs the rules once, on the whole number.
    void rulesWaitForTheTypedNumber_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("quota");
        QTest::newRow("maximum 250 keeps minimum 100") << "Maximum"
                                                       << "250" << 100 << 250 << 20;
        QTest::newRow("maximum 300 keeps a count of 20") << "Maximum"
                                                         << "300" << 100 << 300 << 20;
        QTest::newRow("maximum 1000 keeps minimum and count") << "Maximum"
                                                              << "1000" << 100 << 1000 << 20;
    }
    void rulesWaitForTheTypedNumber()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, quota);
        FormFixture fx;
        Form &form = fx.start();
        ui(fx.panel()).Ziehung_Prozent->setChecked(false);
        ui(fx.panel()).Ziehungsquote->setValue(field == QLatin1String("Ziehungsquote") ? 9 : 20);
        QAbstractSpinBox *box = field == QLatin1String("Maximum")
                                    ? static_cast<QAbstractSpinBox *>(ui(fx.panel()).Maximum)
                                    : ui(fx.panel()).Ziehungsquote;
        form.settingsFlow().OpenSettingsPanel();
        form.show();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(ui(fx.panel()).Minimum->value(), minimum);
        QCOMPARE(ui(fx.panel()).Maximum->value(), maximum);
        QCOMPARE(form.pass().drawQuota(), quota);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
