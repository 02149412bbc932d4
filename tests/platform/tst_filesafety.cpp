// The files the program writes are never written through a link planted in their place, nor
// into a pipe; and the system's request to end the program reaches the event loop.
#include "localisation/uitext.h"
#include "platform/savefile.h"
#include "platform/terminationsignal.h"
#include "support/testfolder.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

class TestFileSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { alarm(0); }

    void writesNeverGoThroughAPlantedLink_data()
    {
        QTest::addColumn<bool>("append");
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("save over a link to a file") << false << true;
        QTest::newRow("save over a link to nowhere") << false << false;
        QTest::newRow("append through a link to a file") << true << true;
        QTest::newRow("append through a link to nowhere") << true << false;
    }
    void writesNeverGoThroughAPlantedLink()
    {
        QFETCH(bool, append);
        QFETCH(bool, targetExists);
        TestFolder folder;
        const QString target = folder.file(QStringLiteral("elsewhere.txt"));
        const QString path = folder.file(QStringLiteral("tivrel.log"));
        if (targetExists)
            folder.write(QStringLiteral("elsewhere.txt"), "precious");
        QVERIFY(QFile::link(target, path));

        const QByteArray content("new content");
        const SaveResult result =
            append ? appendToFile(path, content) : saveFileAtomically(path, content);

        // What the link pointed to is as it was.
        QCOMPARE(QFileInfo::exists(target), targetExists);
        if (targetExists)
            QCOMPARE(folder.read(QStringLiteral("elsewhere.txt")), QByteArray("precious"));
        if (append) {
            // Appending to the link's target is refused, with the reason.
            QVERIFY(!result.ok);
            QCOMPARE(result.problem, SaveResult::Problem::Link);
            QCOMPARE(saveFailureText(result), lng("StrDateiIstVerknuepfung"));
            QVERIFY(QFileInfo(path).isSymLink());
        } else {
            // A save replaces the link with the file.
            QVERIFY2(result.ok, qPrintable(result.error));
            QVERIFY(!QFileInfo(path).isSymLink());
            QCOMPARE(folder.read(QStringLiteral("tivrel.log")), content);
        }
    }

    void writesIntoAPipeAreRefusedAtOnce_data()
    {
        QTest::addColumn<bool>("append");
        QTest::newRow("save") << false;
        QTest::newRow("append") << true;
    }
    void writesIntoAPipeAreRefusedAtOnce()
    {
        QFETCH(bool, append);
        TestFolder folder;
        const QString path = folder.file(QStringLiteral("tivrel.txt"));
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        // An open that waited for a reader would never come back.
        alarm(20);
        const SaveResult result = append ? appendToFile(path, "x") : saveFileAtomically(path, "x");
        QVERIFY(!result.ok);
        QVERIFY(!saveFailureText(result).isEmpty());
    }

    void terminationRequestsArriveOnTheEventLoop_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void terminationRequestsArriveOnTheEventLoop()
    {
        QFETCH(int, signalNumber);
        TerminationSignal termination;
        QVERIFY(termination.installed());
        QSignalSpy received(&termination, &TerminationSignal::received);
        // Without the handler the signal would end this test program here.
        QCOMPARE(::kill(::getpid(), signalNumber), 0);
        QCOMPARE(received.count(), 0); // nothing runs inside the handler
        QTRY_COMPARE(received.count(), 1);
        QCOMPARE(received.first().first().toInt(), signalNumber);
    }
};

QTEST_GUILESS_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
