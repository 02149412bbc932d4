// Real journals, changed as someone holding the file would change them, checked by the
// program's verifier and by the independent script in tools/: both must give the same answer
// (verified, failed at the same line, or incomplete) in every case.

#include "journalfixture.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

// Pass 1 in two segments (5 and 7 draws, the pass used up), pass 2 in one of `lastDraws`.
// Lines 1-7 segment 1, 8-16 segment 2, 17-22 segment 3 (with four draws).
void drawThreeSegments(const QString &path, int lastDraws, bool dropFromLog = false)
{
    JournaledPass run(path);
    run.begin(range(1, 30), {}, 12, seedOf('\x21'));
    run.draw(5);
    run.reveal();
    if (dropFromLog) {
        // The log lost a row, and a program that does not consult the journal went on.
        QList<ResultRow> rows = run.pass.rows().toList();
        rows.removeAt(0);
        run.pass.setRows(ResultRows(rows));
        run.pass.setPool(EntryPool::fromRange({1, 30}, false), true);
    }
    run.begin(range(1, 30), {}, 12, seedOf('\x22'));
    run.draw(dropFromLog ? 8 : 7);
    run.reveal();
    run.pass.clear();
    run.begin(range(1, 30), {}, 12, seedOf('\x23'));
    run.draw(lastDraws);
    run.reveal();
}

// A journal as the first format wrote it: no format, no anchors, the unit-value mapping.
QByteArray firstFormatJournal()
{
    const QByteArray random = seedOf('\x5c');
    EntryPool pool = EntryPool::fromRange({1, 1000}, true);
    SegmentStart start;
    start.source = range(1, 1000, true);
    start.quota = 300;
    start.format = 1;
    start.commitment = commitmentOf(random, poolFingerprint(pool.texts(), start.quota));
    QList<QByteArray> lines;
    QJsonObject first = segmentStartObject(start);
    lines << QJsonDocument(first).toJson(QJsonDocument::Compact);
    TRNGenerator generator;
    seedCommitted(generator, random);
    for (int draw = 1; draw <= 300; ++draw) {
        const qsizetype index = committedIndex(generator, pool.size(), 1);
        QJsonObject o{{QStringLiteral("pass"), 1},
                      {QStringLiteral("draw"), draw},
                      {QStringLiteral("entry"), pool.at(index)},
                      {QStringLiteral("prize"), QString()}};
        pool.removeAt(index);
        lines << QJsonDocument(o).toJson(QJsonDocument::Compact);
    }
    QJsonObject reveal{{QStringLiteral("pass"), 1},
                       {QStringLiteral("segment"), 1},
                       {QStringLiteral("reveal"), QString::fromLatin1(random.toHex())}};
    lines << QJsonDocument(reveal).toJson(QJsonDocument::Compact);
    return rechained(lines);
}

const QStringList CsvLines{QStringLiteral("Name;Vorname;Lose"),     QStringLiteral("Meier;Hans;3"),
                           QStringLiteral("\"Huber; jun.\";Eva;1"), QStringLiteral("Kern;;2"),
                           QStringLiteral("Müller;Jörg;-1"),        QStringLiteral("Ott;Udo;x")};

// A draw from a CSV list; `list` is where the list file lies.
void drawFromCsv(const QString &path, const QString &list)
{
    QVERIFY(writeAll(list, CsvLines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n"));
    CsvLayout layout;
    layout.separator = u';';
    layout.header = true;
    layout.columns = {1, 0};
    layout.countColumn = 2;
    const CsvListResult read = readCsvListFile(list, layout);
    QCOMPARE(read.list.lines.size(), 6);
    PoolSource source;
    source.list = true;
    source.lines = qint32(read.list.lines.size());
    source.listDigest = listDigest(read.list.lines);
    source.csv = read.layout;
    JournaledPass run(path);
    run.begin(source, read.list.lines, 6, seedOf('\x0c'));
    run.draw(6);
    run.reveal();
}

struct Answer {
    int exitCode = -1;
    qint64 line = -1; // the failing line; 0 for a file that is no journal
};

Answer scriptAnswer(const QString &journal, const QString &list)
{
    QProcess script;
    QStringList arguments{QStringLiteral(TIVREL_SOURCE_DIR "/tools/verify_journal.py"), journal};
    if (!list.isEmpty())
        arguments << list;
    script.start(QStringLiteral("python3"), arguments);
    if (!script.waitForFinished(60000))
        return {};
    const QString out = QString::fromUtf8(script.readAllStandardOutput());
    Answer answer{script.exitCode(), -1};
    const QRegularExpressionMatch line =
        QRegularExpression(QStringLiteral("^line (\\d+):"), QRegularExpression::MultilineOption)
            .match(out);
    if (line.hasMatch())
        answer.line = line.captured(1).toLongLong();
    else if (out.contains(QStringLiteral("not a journal:")))
        answer.line = 0;
    return answer;
}

} // namespace

class TestJournalTamper : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bothVerifiersGiveTheSameAnswer_data()
    {
        QTest::addColumn<QString>("tamper");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<qint64>("line");
        QTest::newRow("untouched") << "none" << 0 << qint64(-1);
        QTest::newRow("entry edited") << "edit" << 1 << qint64(3);
        QTest::newRow("prev changed in its last digit") << "prev" << 1 << qint64(5);
        QTest::newRow("line deleted") << "delete" << 1 << qint64(4);
        QTest::newRow("last draw of a segment deleted, chain recomputed")
            << "delete last" << 1 << qint64(15);
        QTest::newRow("whole segment deleted and renumbered") << "delete segment" << 1 << qint64(1);
        QTest::newRow("lines swapped") << "swap" << 1 << qint64(3);
        QTest::newRow("seed changed") << "seed" << 1 << qint64(7);
        QTest::newRow("last reveal deleted") << "delete reveal" << 2 << qint64(-1);
        QTest::newRow("reveal inside deleted") << "delete inner reveal" << 1 << qint64(7);
        QTest::newRow("journal cut") << "cut" << 2 << qint64(-1);
        QTest::newRow("extra draw appended") << "extra" << 1 << qint64(23);
        QTest::newRow("removed from the log, drawn again") << "drawn again" << 1 << qint64(8);
        QTest::newRow("junk in the seed") << "junk" << 1 << qint64(7);
        QTest::newRow("no line end") << "garbage" << 1 << qint64(1);
        QTest::newRow("NUL bytes") << "nul" << 1 << qint64(0);
        QTest::newRow("FIFO") << "fifo" << 1 << qint64(0);
        QTest::newRow("symbolic link") << "symlink" << 1 << qint64(0);
        QTest::newRow("first format") << "first format" << 0 << qint64(-1);
        QTest::newRow("first format, entry edited") << "first format edit" << 1 << qint64(101);
        QTest::newRow("CSV list with its file") << "csv" << 0 << qint64(-1);
        QTest::newRow("CSV list changed") << "csv changed" << 1 << qint64(1);
    }

    void bothVerifiersGiveTheSameAnswer()
    {
        QFETCH(QString, tamper);
        QFETCH(int, exitCode);
        QFETCH(qint64, line);
        QTemporaryDir dir;
        const QString real = dir.filePath(QStringLiteral("tivrel.journal"));
        QString path = real;
        QString list;
        if (tamper.startsWith(QLatin1String("csv"))) {
            list = dir.filePath(QStringLiteral("lose.csv"));
            drawFromCsv(real, list);
        } else if (tamper.startsWith(QLatin1String("first format"))) {
            QVERIFY(writeAll(real, firstFormatJournal()));
        } else {
            drawThreeSegments(real, 4, tamper == QLatin1String("drawn again"));
        }
        QList<QByteArray> lines = readAll(real).split('\n');
        lines.removeLast();
        const auto field = [&lines](int n, const char *key) {
            return QJsonDocument::fromJson(lines.at(n - 1))[QLatin1String(key)].toString();
        };
        QByteArray changed;
        if (tamper == QLatin1String("edit") || tamper == QLatin1String("first format edit")) {
            const int n = tamper == QLatin1String("edit") ? 3 : 101;
            const QByteArray from = QByteArray("\"entry\":\"") + field(n, "entry").toUtf8() + '"';
            const QByteArray to = QByteArray("\"entry\":\"") + field(n + 1, "entry").toUtf8() + '"';
            lines[n - 1].replace(from, to);
        } else if (tamper == QLatin1String("prev")) {
            QByteArray &l = lines[4];
            const qsizetype at = l.indexOf("\"prev\":\"") + 8 + 63;
            l[at] = l.at(at) == '0' ? '1' : '0';
        } else if (tamper == QLatin1String("delete")) {
            lines.removeAt(3);
        } else if (tamper == QLatin1String("delete last")) {
            lines.removeAt(14);
            changed = rechained(lines);
        } else if (tamper == QLatin1String("delete segment")) {
            lines.remove(0, 7);
            for (QByteArray &l : lines)
                for (int s = 2; s <= 3; ++s)
                    l.replace(QByteArray("\"segment\":" + QByteArray::number(s)),
                              QByteArray("\"segment\":" + QByteArray::number(s - 1)));
            changed = rechained(lines);
        } else if (tamper == QLatin1String("swap")) {
            lines.swapItemsAt(2, 3);
        } else if (tamper == QLatin1String("seed")) {
            lines[6].replace(seedOf('\x21').toHex(), seedOf('\x24').toHex());
        } else if (tamper == QLatin1String("delete reveal")) {
            lines.removeLast();
        } else if (tamper == QLatin1String("delete inner reveal")) {
            lines.removeAt(6);
        } else if (tamper == QLatin1String("cut")) {
            changed = lines.join('\n') + '\n';
            changed.truncate(changed.size() - lines.last().size() - lines.at(20).size() / 2);
        } else if (tamper == QLatin1String("extra")) {
            const QString more = dir.filePath(QStringLiteral("more.journal"));
            drawThreeSegments(more, 5);
            lines.insert(21, readAll(more).split('\n').at(21));
            changed = rechained(lines);
        } else if (tamper == QLatin1String("junk")) {
            lines[6].replace("\"reveal\":\"21", "\"reveal\":\"2-1");
        } else if (tamper == QLatin1String("garbage")) {
            changed = "{\"commit\": garbage without a line end";
        } else if (tamper == QLatin1String("nul")) {
            changed = QByteArray(1 << 20, '\0');
        } else if (tamper == QLatin1String("fifo")) {
            path = dir.filePath(QStringLiteral("fifo.journal"));
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (tamper == QLatin1String("symlink")) {
            path = dir.filePath(QStringLiteral("link.journal"));
            QVERIFY(QFile::link(real, path));
        } else if (tamper == QLatin1String("csv changed")) {
            QStringList other = CsvLines;
            other[3] = QStringLiteral("Kern;;3");
            QVERIFY(writeAll(list, other.join(QLatin1Char('\n')).toUtf8()));
        }
        if (changed.isEmpty() && path == real)
            changed = lines.join('\n') + '\n';
        if (path == real)
            QVERIFY(writeAll(real, changed));

        const JournalCheck program = verifyJournalFile(path, list);
        QVERIFY2(program.exitCode() == exitCode, qPrintable(program.report()));
        if (exitCode == 1)
            QVERIFY2(program.badLine == line, qPrintable(program.report()));
        if (exitCode == 0)
            QVERIFY2(program.draws > 0, qPrintable(program.report()));

        const Answer script = scriptAnswer(path, list);
        QCOMPARE(script.exitCode, exitCode);
        if (exitCode == 1)
            QCOMPARE(script.line, line);
        qInfo("%s", qPrintable(program.report().trimmed()));
    }
};

QTEST_GUILESS_MAIN(TestJournalTamper)
#include "tst_journaltamper.moc"
