#include "formfixture.h"

#include <QDir>
#include <QTest>

namespace {

// Ctrl+S: start, one frame, stop and the tick that draws, all through the shortcut's action.
void pressCtrlS(FormFixture &fx)
{
    QAction *startStop = fx.form->child<QAction>("acStartStop");
    startStop->trigger();
    if (fx.running()) {
        fx.animation().RefresherTimer();
        startStop->trigger();
        fx.animation().RefresherTimer();
    }
}

} // namespace

class TestStartAndRestore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void restoredPassAgreesOnButtonNoteAndShortcut_data()
    {
        QTest::addColumn<bool>("prizes");
        QTest::addColumn<int>("quota");
        QTest::addColumn<bool>("open");
        QTest::newRow("prize list, quota 6, three drawn") << true << 6 << true;
        QTest::newRow("no prizes, quota 6, three drawn") << false << 6 << true;
        QTest::newRow("prize list, quota 3, three drawn") << true << 3 << false;
        QTest::newRow("no prizes, quota 3, three drawn") << false << 3 << false;
    }
    void restoredPassAgreesOnButtonNoteAndShortcut()
    {
        QFETCH(bool, prizes);
        QFETCH(int, quota);
        QFETCH(bool, open);
        FormFixture fx;
        fx.folder.write(QStringLiteral("preise.txt"), "Fahrrad\r\nKuchen\r\nBuch\r\n");
        {
            Form &form = fx.start();
            ui(fx.panel()).edWinnings->setText(QStringLiteral("preise.txt"));
            ui(fx.panel()).cbWinnings->setChecked(prizes);
            fx.useRange(1, 50, quota);
            for (int i = 0; i < 3; ++i)
                fx.drawOnce();
            QCOMPARE(fx.results().rowCount(), 3);
            form.close();
        }
        Form &form = fx.start();
        QCOMPARE(form.Resultate->columnShown(ResultsModel::Spiel), prizes);
        QCOMPARE(form.BTStartStop->isEnabled(), open);
        QCOMPARE(form.BTStartStop->isVisibleTo(form.window.get()), open);
        QCOMPARE(form.AutotivrelNotiz->isVisibleTo(form.window.get()), !open);
        if (!open)
            QCOMPARE(form.AutotivrelNotiz->text(), lng("StrDurchgangBeendet"));
        pressCtrlS(fx);
        QCOMPARE(fx.results().rowCount(), open ? 4 : 3);
        QCOMPARE(form.BTStartStop->isVisibleTo(form.window.get()), open);
    }

    void restoredLotteryTableIsClosedForTheShortcutToo()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"), "[DRAW]\r\nMode=4\r\n");
        fx.writeLog({{1, QStringLiteral(" 1 /  7"), QStringLiteral("7")},
                     {2, QStringLiteral(" 1 / 23"), QStringLiteral("23")}});
        Form &form = fx.start();
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrDurchgangBeendet"));
        QVERIFY(!form.BTStartStop->isEnabled());
        pressCtrlS(fx);
        QCOMPARE(fx.results().rowCount(), 2);
        QVERIFY(!form.BTStartStop->isVisibleTo(form.window.get()));
    }

    void quotaPageShowsTheStoredModeAfterARestart_data()
    {
        QTest::addColumn<bool>("percent");
        QTest::newRow("count") << false;
        QTest::newRow("percent") << true;
    }
    void quotaPageShowsTheStoredModeAfterARestart()
    {
        QFETCH(bool, percent);
        FormFixture fx;
        {
            Form &form = fx.start();
            ui(fx.panel()).Maximum->setValue(200);
            ui(fx.panel()).Minimum->setValue(1);
            ui(fx.panel()).Ziehung_Prozent->setChecked(percent);
            ui(fx.panel()).Ziehungsquote->setValue(10);
            QVERIFY(form.settingsFlow().ApplySettings());
            form.close();
        }
        Form &form = fx.start();
        form.show();
        form.settingsFlow().OpenSettingsPanel();
        QCOMPARE(form.pass().drawQuota(), percent ? 20 : 10);
        QCOMPARE(ui(fx.panel()).Ziehung_Prozent->isChecked(), percent);
        QCOMPARE(ui(fx.panel()).Ziehungsquote->value(), 10.0);
        QCOMPARE(!ui(fx.panel()).LAnzahl_Ziehungen->isHidden(), percent);
        if (percent)
            QCOMPARE(ui(fx.panel()).LAnzahl_Ziehungen->text(),
                     lng("StrZiehungAnzahl") + QStringLiteral(": 20"));
        else
            QCOMPARE(ui(fx.panel()).LQuote->text(), lng("StrZiehungAnzahl"));
    }

    void startWithThePanelOpenAppliesAndClosesItFirst_data()
    {
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("writable");
        QTest::newRow("help shown") << true << true;
        QTest::newRow("help hidden") << false << true;
        QTest::newRow("help hidden, settings not writable") << false << false;
    }
    void startWithThePanelOpenAppliesAndClosesItFirst()
    {
        QFETCH(bool, help);
        QFETCH(bool, writable);
        FormFixture fx;
        if (writable)
            fx.folder.write(QStringLiteral("tivrel.ini"),
                            help ? "[DISPLAY]\r\nHelp=1\r\n" : "[DISPLAY]\r\nHelp=0\r\n");
        else
            QVERIFY(QDir(fx.folder.path()).mkdir(QStringLiteral("tivrel.ini")));
        Form &form = fx.start(!writable);
        if (!writable)
            ui(fx.panel()).HilfeAktiv->setChecked(false);
        form.show();
        form.settingsFlow().OpenSettingsPanel();
        QVERIFY(form.Einstellungen->isVisible());
        QCOMPARE(form.Hilfeviewer->isVisible(), help && writable);
        ui(fx.panel()).Maximum->setValue(160);
        fx.platform.messages.clear();

        pressCtrlS(fx);
        if (writable) {
            QVERIFY(!form.Einstellungen->isVisible());
            QVERIFY(shown(form.Ausgabe));
            QCOMPARE(form.pass().rangeSize(), 61);
            QCOMPARE(fx.results().rowCount(), 1);
        } else {
            QVERIFY(form.Einstellungen->isVisible());
            QCOMPARE(fx.results().rowCount(), 0);
            QCOMPARE(fx.platform.messages.size(), 1);
        }
    }
};

QTEST_MAIN(TestStartAndRestore)
#include "tst_startandrestore.moc"
