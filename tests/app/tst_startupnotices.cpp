// What start-up tells the operator about files it could only partly use: a draw log with lines
// that are no draws, and a background picture that cannot be loaded.
#include "formfixture.h"

#include <QTest>

class TestStartUpNotices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logLinesWithoutADrawNumberAreSkippedAndToldOnce()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=1\r\nEnd=10\r\nCent=0\r\nCount=5\r\n");
        // A hand-edited log: blank lines and a line of notes between two draws.
        fx.folder.write(QStringLiteral("tivrel.log"), "1,,4\r\n\r\nNotiz,,x\r\n2,,9\r\n\r\n");
        Form &form = fx.start();
        form.show();
        QCOMPARE(form.pass().drawCount(), 2);
        QCOMPARE(fx.results().rowCount(), 2);
        QVERIFY(!form.poolTexts().contains(QStringLiteral("4")));
        QVERIFY(!form.poolTexts().contains(QStringLiteral("9")));
        const QString notice = lngFormat("HinweisLogZeilenUebersprungen", {form.DrawLog, 3});
        QTRY_COMPARE(fx.messagesWith(notice), 1);
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.platform.messages.first().caption, lng("StrTivrelHinweis"));
        // The next draw rewrites the log with the draws alone; nothing more is said.
        fx.drawOnce();
        ResultRows logged;
        QVERIFY(readDrawLog(form.DrawLog, logged));
        QCOMPARE(logged.size(), 3);
        QCOMPARE(fx.platform.messages.size(), 1);
    }

    void cleanLogSaysNothing()
    {
        FormFixture fx;
        fx.writeLog({{1, QString(), QStringLiteral("4")}});
        Form &form = fx.start();
        form.show();
        QCOMPARE(fx.results().rowCount(), 1);
        QTest::qWait(20);
        QVERIFY(fx.platform.messages.isEmpty());
    }

    void pictureThatCannotBeLoadedIsToldOnceAndTheNumbersStayVisible_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("broken") << QByteArray("no picture\n");
    }
    void pictureThatCannotBeLoadedIsToldOnceAndTheNumbersStayVisible()
    {
        QFETCH(QByteArray, content);
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"), "[DISPLAY]\r\nHGB=1\r\nHGI=bild.jpg\r\n");
        if (!content.isEmpty())
            fx.folder.write(QStringLiteral("bild.jpg"), content);
        Form &form = fx.start();
        form.show();
        QTRY_COMPARE(
            fx.messagesWith(lngFormat("HinweisBildNichtGeladen", {QStringLiteral("bild.jpg")})), 1);
        QCOMPARE(fx.platform.messages.size(), 1);
        // The stored name stays; the display shows the greeting in the picker colours.
        QCOMPARE(ui(fx.panel()).edHintergrundbild->text(), QStringLiteral("bild.jpg"));
        QVERIFY(ui(fx.panel()).cbHintergrund->isChecked());
        QVERIFY(!ui(fx.panel()).cbHintergrund->isEnabled());
        QCOMPARE(form.Ergebnisfeld->bitmap().pixel(0, 0), 0xFFFFFFFFu);
    }

    void pictureOptionOffSaysNothingAboutTheFile()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"), "[DISPLAY]\r\nHGB=0\r\nHGI=bild.jpg\r\n");
        Form &form = fx.start();
        form.show();
        QTest::qWait(20);
        QVERIFY(fx.platform.messages.isEmpty());
    }
};

QTEST_MAIN(TestStartUpNotices)
#include "tst_startupnotices.moc"
