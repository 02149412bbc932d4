// What start-up tells the operator about files it could only partly use: a draw log with lines
// that are no draws.
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
        QCOMPARE(form.pass().DrawCount, 2);
        QCOMPARE(fx.results().rowCount(), 2);
        QVERIFY(!form.poolTexts().contains(QStringLiteral("4")));
        QVERIFY(!form.poolTexts().contains(QStringLiteral("9")));
        const QString notice = lngFormat("HinweisLogZeilenUebersprungen", {form.DrawLog, 3});
        QTRY_COMPARE(fx.messagesWith(notice), 1);
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.platform.messages.first().caption, lng("StrTivrelHinweis"));
        // The next draw rewrites the log with the draws alone; nothing more is said.
        fx.drawOnce();
        QList<ResultRow> logged;
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
};

QTEST_MAIN(TestStartUpNotices)
#include "tst_startupnotices.moc"
