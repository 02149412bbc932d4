// The draw log blocked while draws go on (a folder in its place): nothing of the pass is lost.
// The log is written as soon as it can be, without another draw, and the window does not close
// over unwritten results without asking.
#include "app/logkeeper.h"
#include "formfixture.h"

#include <QDir>
#include <QTimer>

namespace {

// A pass of six draws over 1..6, with a folder where the draw log belongs.
struct BlockedLog {
    FormFixture fx;
    QString log;

    BlockedLog()
    {
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=1\r\nEnd=6\r\nCent=0\r\nPercentage=6\r\n");
        log = fx.folder.file(QStringLiteral("tivrel.log"));
        fx.start().show();
    }
    Form &form() const { return *fx.form; }
    void block() const
    {
        QFile::remove(log);
        QVERIFY(QDir().mkdir(log));
    }
    void free() const { QVERIFY(QDir().rmdir(log)); }
    void drawToTheEnd()
    {
        while (form().pass().drawAllowed())
            fx.drawOnce();
    }
    QList<ResultRow> logged() const
    {
        ResultRows rows;
        if (!readDrawLog(log, rows))
            return {};
        return rows.toList();
    }
    int noticesOfFailure() const
    {
        const QString opening =
            lng("HinweisLogNichtGeschrieben").section(QStringLiteral("%s"), 0, 0);
        int count = 0;
        for (const auto &message : fx.platform.messages)
            count += message.text.startsWith(opening + QDir::toNativeSeparators(log)) ? 1 : 0;
        return count;
    }
};

} // namespace

class TestLogKeeper : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logBlockedUntilThePassEndedIsWrittenWhenFreed()
    {
        BlockedLog b;
        b.block();
        b.drawToTheEnd();
        QCOMPARE(b.form().pass().drawCount(), 6);
        QTRY_COMPARE(b.noticesOfFailure(), 1); // once, not at every draw
        QVERIFY(b.form().pass().logPending());

        // No draw is left to make; the log is written all the same.
        b.free();
        QTRY_VERIFY_WITH_TIMEOUT(!b.form().pass().logPending(), 3 * LogKeeper::RetryMs);
        QCOMPARE(b.logged(), b.fx.rows());
        QCOMPARE(b.logged().size(), 6);
        QTRY_COMPARE(
            b.fx.messagesWith(lngFormat("HinweisLogNachgeholt", {QDir::toNativeSeparators(b.log)})),
            1);
        // Closing now asks nothing.
        b.form().close();
        QVERIFY(!b.form().window->isVisible());
    }

    // A new pass started while the log was blocked leaves the old pass in the log, as an
    // unblocked log would have held it until the next draw.
    void newPassWhileBlockedKeepsTheDrawnPassForTheLog()
    {
        BlockedLog b;
        b.fx.drawOnce();
        b.block();
        b.fx.drawOnce();
        const QList<ResultRow> drawn = b.fx.rows();
        b.form().pool().Reset_ZiehungClick();
        QCOMPARE(b.fx.results().rowCount(), 0);
        b.free();
        QTRY_VERIFY_WITH_TIMEOUT(!b.form().pass().logPending(), 3 * LogKeeper::RetryMs);
        QCOMPARE(b.logged(), drawn);
    }

    void closingOverUnwrittenResultsAsks_data()
    {
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<bool>("freeWhileAsked");
        QTest::addColumn<bool>("saveElsewhere");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("logWritten");
        QTest::newRow("try again, freed meanwhile")
            << QList<int>{0} << true << false << true << true;
        QTest::newRow("try again, still blocked, then close anyway")
            << QList<int>{0, 2} << false << false << true << false;
        QTest::newRow("save elsewhere") << QList<int>{1} << false << true << true << false;
        QTest::newRow("close anyway") << QList<int>{2} << false << false << true << false;
        QTest::newRow("box closed without a choice")
            << QList<int>{-1} << false << false << false << false;
    }
    void closingOverUnwrittenResultsAsks()
    {
        QFETCH(QList<int>, choices);
        QFETCH(bool, freeWhileAsked);
        QFETCH(bool, saveElsewhere);
        QFETCH(bool, closed);
        QFETCH(bool, logWritten);
        BlockedLog b;
        b.block();
        b.drawToTheEnd();
        QTRY_COMPARE(b.noticesOfFailure(), 1);
        const QList<ResultRow> drawn = b.fx.rows();

        for (int choice : choices)
            b.fx.platform.choiceAnswers.enqueue(choice);
        const QString elsewhere = b.fx.folder.file(QStringLiteral("gerettet.log"));
        if (saveElsewhere)
            b.fx.platform.saveNames.enqueue(elsewhere);
        if (freeWhileAsked) {
            // The operator frees the disk while the question is open.
            b.fx.platform.modalMs = 50;
            QTimer::singleShot(10, b.form().window.get(), [&b] { b.free(); });
        }
        const qsizetype asked = b.fx.platform.messages.size();
        b.form().close();

        QVERIFY(b.fx.platform.choiceAnswers.isEmpty());
        QCOMPARE(b.form().window->isVisible(), !closed);
        const auto &question = b.fx.platform.messages.at(asked);
        QCOMPARE(question.choices,
                 QStringList({lng("StrErneutVersuchen"), lng("StrAnderswoSpeichern"),
                              lng("StrTrotzdemSchliessen")}));
        QVERIFY(question.text.contains(QDir::toNativeSeparators(b.log)));
        QCOMPARE(b.logged() == drawn, logWritten);
        QCOMPARE(b.form().pass().logPending(), !logWritten);
        if (saveElsewhere) {
            ResultRows saved;
            QVERIFY(readDrawLog(elsewhere, saved));
            QCOMPARE(saved.toList(), drawn);
        }
    }
};

QTEST_MAIN(TestLogKeeper)
#include "tst_logkeeper.moc"
