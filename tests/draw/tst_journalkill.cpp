// SIGKILL in the middle of journaled draws, a hundred times: the journal must verify after
// every kill, at most with its last line cut off. The child is this program itself, drawing as
// the window does (journal, then draw log) with the same core pieces, until it is killed.

#include "draw/committedsegment.h"
#include "draw/drawjournal.h"
#include "draw/drawpass.h"
#include "results/drawlog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

const char *const ChildArgument = "--draw-until-killed";

QByteArray systemSeed()
{
    QByteArray seed(SeedBytes, Qt::Uninitialized);
    for (int i = 0; i < SeedBytes; i += 4) {
        const quint32 word = QRandomGenerator::system()->generate();
        memcpy(seed.data() + i, &word, 4);
    }
    return seed;
}

// What a start of the program does with the option on, then draws for ever: a pass that is
// used up reveals its seed and the next pass begins.
int drawUntilKilled(const QString &folder, bool onlyOpen)
{
    const auto now = [] { return QDateTime::currentDateTime(); };
    DrawJournal journal(folder + QStringLiteral("/tivrel.journal"));
    if (!journal.open(now()).ok)
        return 2;
    if (onlyOpen)
        return 0;
    DrawPass pass([] { return 1u; });
    const QString logPath = folder + QStringLiteral("/tivrel.log");
    pass.setRecord(std::make_unique<DrawLogFile>(logPath));
    if (std::optional<DrawLogContent> log = readDrawLog(logPath))
        pass.setRows(log->rows);
    const auto build = [&pass] {
        PoolSource source;
        source.minimum = 1;
        source.maximum = 120;
        pass.setSource(source);
        pass.setPool(EntryPool::fromRange({1, 120}, false), true);
        pass.setQuota(120);
        pass.setRangeSize(120);
    };
    build();
    // Draws the journal holds and the log lacks (killed in between) are put back.
    pass.restoreRows(rowsMissingFromPass(journal, pass));
    for (;;) {
        if (!pass.drawAllowed()) {
            if (!journal.reveal(now()).ok)
                return 3;
            pass.endCommittedDraws();
            pass.clear();
            build();
        }
        if (!journal.segmentOpen() &&
            beginCommittedSegment(pass, journal, systemSeed(), now).isEmpty())
            return 4;
        pass.drawEntry({});
    }
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestJournalKill : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyKillLeavesAJournalThatVerifies()
    {
        QTemporaryDir dir;
        const QString journal = dir.filePath(QStringLiteral("tivrel.journal"));
        const QString program = QCoreApplication::applicationFilePath();
        int cut = 0;
        for (int kill = 1; kill <= 100; ++kill) {
            const qsizetype before = readAll(journal).count("\"commit\"");
            QProcess child;
            child.start(program, {QString::fromLatin1(ChildArgument), dir.path()});
            QVERIFY(child.waitForStarted());
            // Once the child has begun its segment, it is killed at some moment of its drawing,
            // however slowly it started.
            QElapsedTimer waited;
            waited.start();
            while (readAll(journal).count("\"commit\"") == before && waited.elapsed() < 10000)
                QThread::msleep(1);
            QThread::msleep(QRandomGenerator::global()->bounded(60));
            child.kill();
            QVERIFY(child.waitForFinished());
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);
            // At most the killed child's segment waits for its seed; nothing fails.
            const JournalCheck check = verifyJournal(readAll(journal));
            QVERIFY2(check.verdict() != JournalCheck::Verdict::Failed,
                     qPrintable(QStringLiteral("after kill %1: ").arg(kill) + check.report()));
            cut += check.cut ? 1 : 0;
        }
        // A last start reveals the seed the last kill left open: every draw then replays.
        QCOMPARE(QProcess::execute(program, {QString::fromLatin1(ChildArgument), dir.path(),
                                             QStringLiteral("--open")}),
                 0);
        const JournalCheck check = verifyJournal(readAll(journal));
        const QString summary = check.report().split(QLatin1Char('\n'), Qt::SkipEmptyParts).last();
        qInfo("%s; %d of 100 kills left a line cut", qPrintable(summary), cut);
        QVERIFY2(check.verdict() == JournalCheck::Verdict::Verified && !check.cut,
                 qPrintable(summary));
        // Every kill hit a child that had begun its segment.
        QVERIFY2(check.segments >= 100 && check.draws > 0, qPrintable(summary));
    }
};

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], ChildArgument) == 0)
        return drawUntilKilled(QString::fromLocal8Bit(argv[2]), argc >= 4);
    QCoreApplication app(argc, argv);
    TestJournalKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journalkill.moc"
