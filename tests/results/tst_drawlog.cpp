#include "localisation/uitext.h"
#include "results/drawlog.h"
#include "support/testfolder.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
QByteArray utf16le(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

// The rows of a log whose cells hold no quotes, commas or CRs, read as the text they are:
// lines split at LF, a CR before it dropped, cells split at commas, the first three kept,
// lines without a draw number left out.
QList<ResultRow> readAsText(const QString &text)
{
    QList<ResultRow> rows;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringList cells = line.split(u',');
        bool numbered = false;
        const qint32 number = cells.first().trimmed().toInt(&numbered);
        if (numbered)
            rows.append({number, cells.value(1), cells.value(2)});
    }
    return rows;
}
} // namespace

class TestDrawLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cellsAreQuotedWhenTheyHoldCommasOrQuotes_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain number") << QStringLiteral("0815") << QStringLiteral("0815");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("comma") << QStringLiteral("Meier, Hans")
                               << QStringLiteral("\"Meier, Hans\"");
        QTest::newRow("quote") << QStringLiteral("Der \"Boss\"")
                               << QStringLiteral("\"Der \"\"Boss\"\"\"");
        QTest::newRow("pipe stays") << QStringLiteral("A|B") << QStringLiteral("A|B");
        QTest::newRow("lottery cell") << QStringLiteral(" 3 /  7") << QStringLiteral(" 3 /  7");
    }
    void cellsAreQuotedWhenTheyHoldCommasOrQuotes()
    {
        QFETCH(QString, cell);
        QFETCH(QString, written);
        QCOMPARE(encodeDrawLogCell(cell), written);
    }

    void fileIsUtf16WithMarkAndCrLf()
    {
        const QByteArray bytes = encodeDrawLog({{12, QString(), QStringLiteral("Meier, Hans")}});
        QCOMPARE(bytes, utf16le(QStringLiteral("12,,\"Meier, Hans\"\r\n")));

        // Draw numbers at the ends of their type, and enough quoted cells to outgrow the room
        // the writer sets aside for unquoted ones.
        ResultRows rows;
        QString expected;
        for (const qint32 number : {0, -7, 2147483647, -2147483647 - 1}) {
            rows.append({number, QStringLiteral("\"\""), QStringLiteral(",")});
            expected += QString::number(number) + QStringLiteral(",\"\"\"\"\"\",\",\"\r\n");
        }
        QCOMPARE(encodeDrawLog(rows), utf16le(expected));
    }

    void entriesReadBackExactlyAsDrawn_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("number") << QStringLiteral("042");
        QTest::newRow("comma") << QStringLiteral("Meier, Hans");
        QTest::newRow("quotes") << QStringLiteral("\"Quoted\" and \"\"double\"\"");
        QTest::newRow("pipe") << QStringLiteral("A|B||C");
        QTest::newRow("umlauts and symbols") << QStringLiteral("Jürgen Größe € 🎲");
        QTest::newRow("blanks") << QStringLiteral("  padded  ");
    }
    void entriesReadBackExactlyAsDrawn()
    {
        QFETCH(QString, entry);
        const ResultRows rows = {{3, QString(), entry},
                                 {2, QStringLiteral("Gewinn Nr. 2"), entry + entry},
                                 {1, QStringLiteral(" 1 / 49"), QString()},
                                 {0, entry, entry}};
        QCOMPARE(decodeDrawLog(encodeDrawLog(rows)).rows, rows);
    }

    // The rows read from a log are the rows its text holds, with every kind of entry: numbers
    // kept as numbers and texts that only look like numbers, in the log as written and in an
    // 8-bit copy of it.
    void decodedRowsAreTheRowsOfTheText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QString text;
        const QStringList entries{u"5"_s, u"0"_s,   u"007"_s,       u"-5"_s,   u"2147483648"_s,
                                  u""_s,  u"Zoë"_s, u"A|B Meier"_s, u" 12 "_s, u"999999"_s};
        for (int i = 0; i < 200; ++i) {
            const QString game = i % 3 == 0 ? QStringLiteral("Gewinn %1").arg(i) : QString();
            text += QString::number(200 - i) + u',' + game + u',' + entries.at(i % entries.size()) +
                    u"\r\n"_s;
        }
        text += u"\r\nkeine Zahl,,7\r\n1,nur Spiel\r\n3,,4,und mehr\r\n"_s;
        QTest::newRow("as written") << utf16le(text);
        QTest::newRow("8-bit") << text.toUtf8();
    }
    void decodedRowsAreTheRowsOfTheText()
    {
        QFETCH(QByteArray, content);
        const QString text =
            content.startsWith("\xFF\xFE")
                ? QString::fromUtf16(reinterpret_cast<const char16_t *>(content.constData() + 2),
                                     (content.size() - 2) / 2)
                : QString::fromUtf8(content);
        const DrawLogContent log = decodeDrawLog(content);
        QCOMPARE(log.rows.toList(), readAsText(text));
        QCOMPARE(log.rows.size(), 202);
        QCOMPARE(log.skippedLines, 2);
    }

    void olderAndForeignLogsAreRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("drawn");
        QByteArray bigEndian("\xFE\xFF", 2);
        for (const QChar c : QStringLiteral("1,,Zoë\r\n2,,\"x,y\"\r\n"))
            bigEndian.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        QTest::newRow("UTF-16 big-endian")
            << bigEndian << QStringList{QStringLiteral("Zoë"), QStringLiteral("x,y")};
        QTest::newRow("8-bit Latin-1")
            << QByteArray("1,,J\xFCrgen\r\n") << QStringList{QStringLiteral("Jürgen")};
        QTest::newRow("8-bit UTF-8")
            << QByteArray("1,,J\xC3\xBCrgen\r\n") << QStringList{QStringLiteral("Jürgen")};
        QTest::newRow("LF only") << QByteArray("1,,5\n2,,7\n")
                                 << QStringList{QStringLiteral("5"), QStringLiteral("7")};
        QTest::newRow("last line without line end")
            << utf16le(QStringLiteral("1,,5\r\n2,,7"))
            << QStringList{QStringLiteral("5"), QStringLiteral("7")};
        QTest::newRow("pipe from an old log is itself")
            << utf16le(QStringLiteral("1,,A|B\r\n")) << QStringList{QStringLiteral("A|B")};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void olderAndForeignLogsAreRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, drawn);
        QStringList got;
        const ResultRows rows = decodeDrawLog(content).rows;
        for (qsizetype i = 0; i < rows.size(); ++i)
            got.append(rows.entry(i));
        QCOMPARE(got, drawn);
    }

    void linesWithoutADrawNumberAreSkippedAndCounted_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<qint32>>("numbers");
        QTest::addColumn<int>("skipped");
        QTest::newRow("blank lines")
            << utf16le(QStringLiteral("\r\n1,,5\r\n\r\n2,,7\r\n\r\n")) << QList<qint32>{1, 2} << 3;
        QTest::newRow("blank cells and words")
            << QByteArray("1,,5\n,,6\nzwei,,7\n 3 ,,8\n") << QList<qint32>{1, 3} << 2;
        QTest::newRow("number too large")
            << QByteArray("99999999999,,5\n1,,6\n") << QList<qint32>{1} << 1;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\n\x01,\x02\n", 22)
                                << QList<qint32>{} << 4;
        QTest::newRow("clean log")
            << utf16le(QStringLiteral("2,,7\r\n1,,5\r\n")) << QList<qint32>{2, 1} << 0;
    }
    void linesWithoutADrawNumberAreSkippedAndCounted()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<qint32>, numbers);
        QFETCH(int, skipped);
        TestFolder folder;
        folder.write(QStringLiteral("tivrel.log"), content);
        const std::optional<DrawLogContent> log =
            readDrawLog(folder.file(QStringLiteral("tivrel.log")));
        QVERIFY(log.has_value());
        QList<qint32> got;
        for (qsizetype i = 0; i < log->rows.size(); ++i)
            got.append(log->rows.drawNumber(i));
        QCOMPARE(got, numbers);
        QCOMPARE(log->skippedLines, skipped);
    }

    // Lines put before and after the kept content, many times past its room at both ends, give
    // what putting the same lines together in one piece gives; a fresh content starts anew.
    void keptContentGrowsAtBothEnds()
    {
        QRandomGenerator chance(7);
        DrawLogImage image;
        QVERIFY(!image.isValid());
        const QByteArray mark("\xFF\xFE", 2);
        QByteArray body = utf16le(QStringLiteral("1,,5\r\n")).mid(2);
        image.assign(mark + body);
        for (int i = 0; i < 3000; ++i) {
            const QByteArray line =
                utf16le(
                    QStringLiteral("%1,,%2\r\n").arg(i).arg(QString(chance.bounded(1, 90), u'x')))
                    .mid(2);
            if (chance.bounded(3) == 0) {
                image.addLast(line);
                body.append(line);
            } else {
                image.addFirst(line);
                body.prepend(line);
            }
        }
        QVERIFY(image.isValid());
        QCOMPARE(image.content(), mark + body);
        image.assign(mark);
        QCOMPARE(image.content(), mark);
        image.invalidate();
        QVERIFY(!image.isValid());
    }

    void writeReplacesTheWholeFile()
    {
        TestFolder folder;
        const QString path = folder.file(QStringLiteral("tivrel.log"));
        ResultRows rows;
        for (int i = 1; i <= 50; ++i)
            rows.append({i, QString(), QString::number(i)});
        QVERIFY(writeDrawLog(path, rows).ok);
        const ResultRows fewer(rows.toList().mid(0, 2));
        QVERIFY(writeDrawLog(path, fewer).ok);
        ResultRows back;
        QVERIFY(readDrawLog(path, back));
        QCOMPARE(back, fewer);
        // Nothing of the write is left beside the log.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("tivrel.log")});
    }

    void failedWriteKeepsThePreviousLogAndSaysWhy()
    {
        TestFolder folder;
        const QString path = folder.file(QStringLiteral("sub/tivrel.log"));
        const SaveResult result = writeDrawLog(path, {{1, QString(), QStringLiteral("7")}});
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        ResultRows back;
        QVERIFY(!readDrawLog(path, back));
    }

    void killedWriterLeavesACompleteLog()
    {
        TestFolder folder;
        for (int attempt = 0; attempt < 4; ++attempt) {
            QProcess writer;
            writer.start(QStringLiteral(DRAWLOG_HELPER), {QStringLiteral("loop"), folder.path()});
            QVERIFY(writer.waitForStarted());
            // The kill comes while later tables are written, however slow the machine is.
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.file(QStringLiteral("tivrel.log"))),
                                     10000);
            QTest::qWait(150 + attempt * 70);
            writer.kill();
            writer.waitForFinished();
            ResultRows back;
            QVERIFY(readDrawLog(folder.file(QStringLiteral("tivrel.log")), back));
            QVERIFY2(back.size() == 3000 || back.size() == 5000,
                     qPrintable(QString::number(back.size())));
            QCOMPARE(back.last().Durchgang, qint32(back.size()));
            QCOMPARE(back.last().Gezogen.size(), 40);
        }
    }

    void fullDiskKeepsThePreviousLog()
    {
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty())
            QSKIP("unshare is not available");
        QTemporaryDir mountPoint;
        QProcess run;
        // A private mount namespace with a 64 KiB file system, no root rights needed.
        run.start(unshare,
                  {QStringLiteral("-Urm"), QStringLiteral("sh"), QStringLiteral("-c"),
                   QStringLiteral(
                       "mount -t tmpfs -o size=64k tmpfs \"$0\" && exec \"$1\" fulldisk \"$0\""),
                   mountPoint.path(), QStringLiteral(DRAWLOG_HELPER)});
        QVERIFY(run.waitForFinished(60000));
        const QByteArray out = run.readAllStandardOutput();
        if (!out.contains("RESULT:"))
            QSKIP(qPrintable(QStringLiteral("no small file system could be set up: ") +
                             QString::fromLocal8Bit(run.readAllStandardError())));
        QCOMPARE(out.trimmed(), QByteArray("RESULT:ok"));
    }

    void fileSizeLimitFailsTheWriteAndNamesTheReason()
    {
        // Past `ulimit -f` the system ends the writer with SIGXFSZ unless it is ignored; the
        // program must live on, keep the previous log and say why the write failed.
        TestFolder folder;
        QProcess run;
        run.start(QStringLiteral(DRAWLOG_HELPER), {QStringLiteral("sizelimit"), folder.path()});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        const QByteArray out = run.readAllStandardOutput().trimmed();
        if (out == "RESULT:no-limit")
            QSKIP("no file size limit could be set");
        QCOMPARE(QString::fromUtf8(out), QStringLiteral("RESULT:ok:") + lng("StrDateiZuGross"));
    }
};

QTEST_GUILESS_MAIN(TestDrawLog)
#include "tst_drawlog.moc"
