#include "journalfixture.h"

#include <QSet>
#include <QTemporaryDir>

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

    void theSeedIsOwnerOnlyAndLinksAreNotFollowed_data()
    {
        QTest::addColumn<QString>("link"); // what is a link: nothing, the journal, the seed
        QTest::newRow("no link") << "";
        QTest::newRow("journal") << "journal";
        QTest::newRow("seed") << "seed";
    }
    void theSeedIsOwnerOnlyAndLinksAreNotFollowed()
    {
        QFETCH(QString, link);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tivrel.journal"));
        const QString target = dir.filePath(QStringLiteral("target.txt"));
        // Someone's file whose last line has no line end yet.
        const QByteArray someone = "a line\nan unfinished line";
        QVERIFY(writeAll(target, someone));
        if (link == QLatin1String("journal"))
            QVERIFY(QFile::link(target, path));
        if (link == QLatin1String("seed"))
            QVERIFY(QFile::link(target, path + QStringLiteral(".seed")));
        DrawJournal journal(path);
        const SaveResult opened = journal.open(Noon);
        QCOMPARE(readAll(target), someone);
        if (!link.isEmpty()) {
            QVERIFY(!opened.ok);
            QVERIFY(!opened.error.isEmpty());
            return;
        }
        QVERIFY(opened.ok);
        SegmentStart start;
        start.source = range(1, 9);
        start.quota = 9;
        start.commitment = QByteArray(32, 'c');
        QVERIFY(journal.beginSegment(start, seedOf('\x61'), Noon).ok);
        QCOMPARE(QFile::permissions(journal.seedPath()),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        // A link planted at the journal after it was opened is refused, not written through.
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(target, path));
        QVERIFY(!journal.appendDraw(1, 1, QStringLiteral("4"), QString(), Noon).ok);
        QCOMPARE(readAll(target), someone);
    }

    void nothingIsGluedToATornLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tivrel.journal"));
        JournaledPass run(path);
        run.begin(range(1, 40), {}, 20, seedOf('\x19'));
        run.draw(3);
        // A write whose cut failed left part of a line behind.
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("{\"pass\":1,\"draw\":4,\"ent");
        file.close();
        run.draw(2);
        run.reveal();
        const JournalCheck check = verifyJournal(readAll(path));
        QVERIFY2(check.verdict() == JournalCheck::Verdict::Verified, qPrintable(check.report()));
        QCOMPARE(check.draws, 5);
        QVERIFY(!check.cut);
    }
};

QTEST_GUILESS_MAIN(TestDrawJournal)
#include "tst_drawjournal.moc"
