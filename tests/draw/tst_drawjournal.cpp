#include "draw/committedsegment.h"
#include "draw/drawjournal.h"
#include "draw/drawpass.h"

#include <QFile>
#include <QJsonDocument>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Noon(QDate(2026, 12, 9), QTime(12, 0));

QByteArray seedOf(char fill)
{
    return QByteArray(SeedBytes, fill);
}

// A pass drawn as the program draws it: a committed segment over the pass's pool, every draw
// journaled before it counts. `flashes` animation frames run before each draw.
struct JournaledPass {
    DrawPass pass{[] { return 1u; }};
    DrawJournal journal;
    QStringList drawn;

    explicit JournaledPass(const QString &path) : journal(path) { journal.open(Noon); }

    void begin(const PoolSource &source, const QStringList &list, qint32 quota,
               const QByteArray &seed, const QString &word = QString())
    {
        if (pass.pool().isEmpty())
            pass.setPool(source.list
                             ? EntryPool::fromList(list)
                             : EntryPool::fromRange({source.minimum, source.maximum}, source.zeros),
                         true);
        pass.setQuota(quota);
        pass.setRangeSize(qint32(pass.pool().size() + pass.rows().size()));
        pass.setSource(source);
        QVERIFY(!beginCommittedSegment(
                     pass, journal, seed, [] { return Noon; }, word)
                     .isEmpty());
    }
    void draw(int draws, int flashes = 0)
    {
        for (int i = 0; i < draws; ++i) {
            for (int f = 0; f < flashes; ++f)
                pass.flashIndex();
            drawn << pass.drawEntry({})->Gezogen;
        }
    }
};

PoolSource range(qint32 minimum, qint32 maximum)
{
    PoolSource source;
    source.minimum = minimum;
    source.maximum = maximum;
    return source;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines with every "prev" computed anew, as someone rewriting the whole journal would.
QByteArray rechained(const QList<QByteArray> &lines)
{
    QByteArray out;
    QByteArray prev = firstPrev();
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        QJsonObject o = QJsonDocument::fromJson(line).object();
        o[QStringLiteral("prev")] = QString::fromLatin1(prev);
        const QByteArray written = QJsonDocument(o).toJson(QJsonDocument::Compact);
        prev = lineHash(written);
        out += written + '\n';
    }
    return out;
}
} // namespace

class TestDrawJournal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void arraySeedingFollowsTheReferenceCode()
    {
        const quint32 key[] = {0x123, 0x234, 0x345, 0x456};
        TRNGenerator generator;
        generator.SeedByArray(key, 4);
        for (quint32 expected : {1067595299u, 955945823u, 477289528u, 4107218783u, 4228976476u})
            QCOMPARE(generator.NextWord(), expected);
    }

    void aJournaledPassVerifies()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tivrel.journal"));
        JournaledPass run(path);
        run.begin(range(1, 50), {}, 50, seedOf('\x5a'));
        run.draw(50, 3);
        QVERIFY(!run.pass.drawAllowed());
        QVERIFY(run.journal.reveal(Noon).ok);
        QVERIFY(!QFile::exists(run.journal.seedPath()));

        const JournalCheck check = verifyJournal(readAll(path));
        QVERIFY2(check.ok, qPrintable(check.report()));
        QCOMPARE(check.report(), QStringLiteral("verified: 50 draws in 1 segments\n"));
        QStringList sorted = run.drawn;
        sorted.sort();
        QCOMPARE(sorted.size(), 50);
        QCOMPARE(QSet<QString>(sorted.begin(), sorted.end()).size(), 50);
    }

    void theSeedAloneDecidesTheDraws()
    {
        // The animation takes its own numbers: how long it ran changes no draw.
        QTemporaryDir dir;
        JournaledPass first(dir.filePath(QStringLiteral("a.journal")));
        JournaledPass second(dir.filePath(QStringLiteral("b.journal")));
        first.begin(range(100, 999), {}, 90, seedOf('\x01'));
        second.begin(range(100, 999), {}, 90, seedOf('\x01'));
        first.draw(20, 0);
        second.draw(20, 7);
        QCOMPARE(first.drawn, second.drawn);

        JournaledPass other(dir.filePath(QStringLiteral("c.journal")));
        other.begin(range(100, 999), {}, 90, seedOf('\x02'));
        other.draw(20);
        QVERIFY(other.drawn != first.drawn);
    }

    void tamperingIsReportedAtItsLine_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("line");
        QTest::addColumn<qint64>("badLine");
        QTest::addColumn<QString>("reason");
        // Line 1 begins the segment, lines 2..11 are the draws, line 12 reveals the seed.
        QTest::newRow("entry edited") << "edit" << 4 << qint64(4) << "but the seed draws";
        QTest::newRow("record deleted") << "delete" << 4 << qint64(4) << "does not follow";
        QTest::newRow("records swapped") << "swap" << 4 << qint64(4) << "does not follow";
        QTest::newRow("record inserted") << "insert" << 4 << qint64(5) << "does not follow";
        QTest::newRow("last draw deleted") << "delete" << 11 << qint64(11) << "does not follow";
        QTest::newRow("wrong seed") << "seed" << 12 << qint64(12) << "do not give the commitment";
        QTest::newRow("draw renumbered") << "renumber" << 6 << qint64(6) << "was due";
    }
    void tamperingIsReportedAtItsLine()
    {
        QFETCH(QString, change);
        QFETCH(int, line);
        QFETCH(qint64, badLine);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tivrel.journal"));
        JournaledPass run(path);
        run.begin(range(1, 30), {}, 10, seedOf('\x33'));
        run.draw(10);
        QVERIFY(run.journal.reveal(Noon).ok);

        QList<QByteArray> lines = readAll(path).split('\n');
        QCOMPARE(lines.size(), 13); // and the empty rest after the last line feed
        QByteArray &target = lines[line - 1];
        if (change == QLatin1String("edit")) {
            const QByteArray entry =
                QJsonDocument::fromJson(target)[QStringLiteral("entry")].toString().toUtf8();
            target.replace(QByteArray("\"entry\":\"" + entry + '"'), "\"entry\":\"31\"");
        } else if (change == QLatin1String("delete")) {
            lines.removeAt(line - 1);
        } else if (change == QLatin1String("swap")) {
            lines.swapItemsAt(line - 1, line);
        } else if (change == QLatin1String("insert")) {
            lines.insert(line, target);
        } else if (change == QLatin1String("seed")) {
            target.replace(QByteArray(SeedBytes, '\x33').toHex(),
                           QByteArray(SeedBytes, '\x34').toHex());
        } else if (change == QLatin1String("renumber")) {
            target.replace("\"draw\":5", "\"draw\":6");
        }
        const JournalCheck check = verifyJournal(lines.join('\n'));
        QVERIFY(!check.ok);
        QCOMPARE(check.badLine, badLine);
        QVERIFY2(check.reason.contains(reason), qPrintable(check.reason));
        QVERIFY(check.report().startsWith(QStringLiteral("line %1: ").arg(badLine)));
    }

    void anAudienceWordJoinsTheSeed()
    {
        QTemporaryDir dir;
        JournaledPass apple(dir.filePath(QStringLiteral("a.journal")));
        JournaledPass pear(dir.filePath(QStringLiteral("b.journal")));
        apple.begin(range(1, 500), {}, 20, seedOf('\x44'), QStringLiteral("Apfel"));
        pear.begin(range(1, 500), {}, 20, seedOf('\x44'), QStringLiteral("Birne"));
        apple.draw(20);
        pear.draw(20);
        QVERIFY(apple.drawn != pear.drawn);
        QVERIFY(apple.journal.reveal(Noon).ok);
        QVERIFY(verifyJournal(readAll(apple.journal.path())).ok);

        // Another word in a journal rewritten as a whole no longer gives the commitment.
        QByteArray content = readAll(apple.journal.path());
        content.replace("\"word\":\"Apfel\"", "\"word\":\"Birne\"");
        const JournalCheck check = verifyJournal(rechained(content.split('\n')));
        QVERIFY(!check.ok);
        QCOMPARE(check.badLine, qint64(22));
        QVERIFY(check.reason.contains(QStringLiteral("commitment")));
    }

    void aListPassNeedsItsOwnList()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tivrel.journal"));
        const QStringList list{QStringLiteral("Meier, Hans"), QStringLiteral("Huber"), QString(),
                               QStringLiteral("Müller"), QStringLiteral("Kern")};
        PoolSource source;
        source.list = true;
        source.lines = qint32(list.size());
        source.listDigest = listDigest(list);
        JournaledPass run(path);
        run.begin(source, list, 5, seedOf('\x07'));
        run.draw(5);
        QVERIFY(run.journal.reveal(Noon).ok);

        QVERIFY(verifyJournal(readAll(path), &list).ok);
        QStringList changed = list;
        changed[1] = QStringLiteral("Hubert");
        const JournalCheck withChanged = verifyJournal(readAll(path), &changed);
        QCOMPARE(withChanged.badLine, qint64(1));
        QVERIFY(withChanged.reason.contains(QStringLiteral("not the list")));
        QCOMPARE(verifyJournal(readAll(path)).badLine, qint64(1));
    }

    void aRestartAfterACrashContinuesWithANewSegment()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tivrel.journal"));
        QStringList drawn;
        {
            JournaledPass run(path);
            run.begin(range(1, 40), {}, 20, seedOf('\x11'));
            run.draw(6);
            drawn = run.drawn;
            // The program ends here without revealing; a seventh line was half written.
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("{\"draw\":7,\"entry\":\"1");
        }
        // The cut journal verifies up to the cut; the open segment waits for its seed.
        const JournalCheck cut = verifyJournal(readAll(path));
        QVERIFY2(cut.ok, qPrintable(cut.report()));
        QVERIFY(cut.cut);
        QCOMPARE(cut.draws, 0);
        QCOMPARE(cut.waiting, 6);

        // The next run cuts the unfinished line, reveals the kept seed and goes on with the
        // pass restored from the draw log (here: the six rows).
        JournaledPass next(path);
        QVERIFY(!next.journal.segmentOpen());
        ResultRows rows;
        for (int i = 0; i < drawn.size(); ++i)
            rows.append({i + 1, QString(), drawn.at(i)});
        next.pass.setRows(rows);
        next.pass.setPool(EntryPool::fromRange({1, 40}, false), true);
        next.begin(range(1, 40), {}, 20, seedOf('\x12'));
        next.draw(14);
        QVERIFY(!next.pass.drawAllowed());
        QVERIFY(next.journal.reveal(Noon).ok);

        const JournalCheck whole = verifyJournal(readAll(path));
        QVERIFY2(whole.ok, qPrintable(whole.report()));
        QCOMPARE(whole.report(), QStringLiteral("verified: 20 draws in 2 segments\n"));
        QCOMPARE(next.journal.lastPass(), 1);

        // A segment that lets an entry of the pass back into its pool is caught.
        QByteArray content = readAll(path);
        const QByteArray segmentTwo = content.split('\n').at(8);
        QVERIFY(segmentTwo.contains("\"commit\""));
        QList<QByteArray> lines = content.split('\n');
        const QByteArray first = drawn.first().toUtf8();
        lines[8].replace(QByteArray('"' + first + "\","), "");
        lines[8].replace(QByteArray(",\"" + first + '"'), "");
        const JournalCheck back = verifyJournal(lines.join('\n'));
        QVERIFY(!back.ok);
        QCOMPARE(back.badLine, qint64(9));
    }
};

QTEST_GUILESS_MAIN(TestDrawJournal)
#include "tst_drawjournal.moc"
