#include "draw/csvlist.h"
#include "draw/drawpool.h"
#include "draw/listfile.h"
#include "draw/poolreport.h"
#include "localisation/uitext.h"
#include "results/drawlog.h"
#include "support/testfolder.h"

#include <QDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestListFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entriesAreTheLinesAsTheyStand_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        const QStringList abc{u"Anna"_s, u"Bert"_s, u"Carl"_s};
        QTest::newRow("CR LF") << "Anna\r\nBert\r\nCarl\r\n"_ba << abc;
        QTest::newRow("LF") << "Anna\nBert\nCarl\n"_ba << abc;
        QTest::newRow("CR") << "Anna\rBert\rCarl\r"_ba << abc;
        QTest::newRow("mixed") << "Anna\rBert\nCarl\r\n"_ba << abc;
        QTest::newRow("no final line end") << "Anna\r\nBert\r\nCarl"_ba << abc;
        QTest::newRow("LF CR is two line ends")
            << "Anna\n\rBert"_ba << QStringList{u"Anna"_s, u""_s, u"Bert"_s};
        QTest::newRow("empty lines are entries")
            << "Anna\r\n\r\nBert\r\n\r\n"_ba << QStringList{u"Anna"_s, u""_s, u"Bert"_s, u""_s};
        QTest::newRow("blanks kept, no comments")
            << "  Anna \n# Bert\n\t;x\n"_ba << QStringList{u"  Anna "_s, u"# Bert"_s, u"\t;x"_s};
        QTest::newRow("duplicates stay")
            << "Anna\nAnna\nAnna"_ba << QStringList{u"Anna"_s, u"Anna"_s, u"Anna"_s};
        QTest::newRow("NUL ends the text")
            << "Anna\r\nBert\0\0\0"_ba << QStringList{u"Anna"_s, u"Bert"_s};
        QTest::newRow("NUL mid-line") << "Anna\r\nBe\0"_ba << QStringList{u"Anna"_s, u"Be"_s};
        QTest::newRow("UTF-8 BOM dropped")
            << "\xEF\xBB\xBFM\xC3\xBCller\r\nB"_ba << QStringList{u"Müller"_s, u"B"_s};
        QTest::newRow("BOM on a Windows-1252 list")
            << "\xEF\xBB\xBFM\xFCller"_ba << QStringList{u"Müller"_s};
        QTest::newRow("UTF-8 umlauts")
            << "M\xC3\xBCller\nSto\xC3\x9F"_ba << QStringList{u"Müller"_s, u"Stoß"_s};
        QTest::newRow("Windows-1252 umlauts")
            << "M\xFCller\nSto\xDF\n\x80 5"_ba << QStringList{u"Müller"_s, u"Stoß"_s, u"€ 5"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one line end") << "\r\n"_ba << QStringList{u""_s};
    }
    void entriesAreTheLinesAsTheyStand()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        TestFolder folder;
        folder.write(u"list.txt"_s, bytes);
        const ListFileResult result = readListFile(folder.file(u"list.txt"_s));
        QVERIFY(result.ok());
        QCOMPARE(result.lines, entries);
    }

    void mixedEncodingsAreReportedWithTheFirstUtf8Line_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<qint64>("mixedLine");
        QTest::newRow("UTF-8 only") << "J\xC3\xBCrgen\r\nAnna\r\n"_ba << u"UTF-8"_s << qint64(0);
        QTest::newRow("Windows-1252 only")
            << "J\xFCrgen\r\nM\xFCller"_ba << u"Windows-1252"_s << qint64(0);
        QTest::newRow("UTF-8 first")
            << "J\xC3\xBCrgen\r\nM\xFCller\r\n"_ba << u"Windows-1252"_s << qint64(1);
        QTest::newRow("UTF-8 on line 3") << "M\xFCller\r\nAnna\r\nJ\xC3\xBCrgen\r\nSto\xC3\x9F"_ba
                                         << u"Windows-1252"_s << qint64(3);
        QTest::newRow("line ends of every kind")
            << "M\xFCller\rAnna\n\nJ\xC3\xBCrgen"_ba << u"Windows-1252"_s << qint64(4);
    }
    void mixedEncodingsAreReportedWithTheFirstUtf8Line()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(qint64, mixedLine);
        TestFolder folder;
        folder.write(u"list.txt"_s, bytes);
        const ListFileResult result = readListFile(folder.file(u"list.txt"_s));
        QVERIFY(result.ok());
        QCOMPARE(result.encoding, encoding);
        QCOMPARE(result.mixedLine, mixedLine);
        folder.write(u"list.csv"_s, bytes);
        QCOMPARE(readCsvListFile(folder.file(u"list.csv"_s), {}).list.mixedLine, mixedLine);
        // The report names the line; a list of one encoding has nothing to say about it.
        PoolReport report = poolReportOfLines(result.lines, result.encoding);
        report.mixedLine = result.mixedLine;
        const QString said = lngFormat("StrBerichtGemischt", {QString::number(mixedLine)});
        QCOMPARE(poolReportSummary(report).contains(said), mixedLine > 0);
        QCOMPARE(poolReportFindings(report).contains(said), mixedLine > 0);
    }

    void unusableFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<ListFileError>("error");
        QTest::newRow("at the line limit")
            << "a\nb\nc\n"_ba << 3 << MaxListFileBytes << ListFileError::None;
        QTest::newRow("one line over")
            << "a\nb\nc\nd"_ba << 3 << MaxListFileBytes << ListFileError::TooManyLines;
        QTest::newRow("empty lines count")
            << "a\n\n\n\n"_ba << 3 << MaxListFileBytes << ListFileError::TooManyLines;
        QTest::newRow("over the size")
            << QByteArray(101, 'a') << 3 << qint64(100) << ListFileError::TooLarge;
        QTest::newRow("PNG") << "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"_ba << -1 << MaxListFileBytes
                             << ListFileError::NotText;
        QTest::newRow("JPEG") << "\xFF\xD8\xFF\xE0\0\x10JFIF\0"_ba << -1 << MaxListFileBytes
                              << ListFileError::NotText;
        QTest::newRow("UTF-16") << "\xFF\xFE"
                                   "A\0n\0n\0a\0\r\0\n\0"_ba
                                << -1 << MaxListFileBytes << ListFileError::NotText;
        QTest::newRow("control bytes")
            << "Anna\x01\x02\nBert"_ba << -1 << MaxListFileBytes << ListFileError::NotText;
    }
    void unusableFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxLines);
        QFETCH(qint64, maxBytes);
        QFETCH(ListFileError, error);
        TestFolder folder;
        folder.write(u"list.txt"_s, bytes);
        const ListFileResult result = readListFile(folder.file(u"list.txt"_s), maxLines, maxBytes);
        QCOMPARE(result.error, error);
        if (error != ListFileError::None)
            QVERIFY(result.lines.isEmpty());
    }

    void missingFoldersAndEndlessDevices()
    {
        TestFolder folder;
        QCOMPARE(readListFile(folder.file(u"nope.txt"_s)).error, ListFileError::Missing);
        // A folder or a device is no list: refused before a byte is read, and said what it is.
        const ListFileResult inFolder = readListFile(folder.path());
        QCOMPARE(inFolder.error, ListFileError::NotAFile);
        QCOMPARE(inFolder.refusal, ReadRefusal::Folder);
        const ListFileResult device = readListFile(u"/dev/zero"_s, -1, 1 << 20);
        QCOMPARE(device.error, ListFileError::NotAFile);
        QCOMPARE(device.refusal, ReadRefusal::Device);
    }

    void theLimitIsNamedInTheMessage()
    {
        ListFileResult result;
        result.error = ListFileError::TooManyLines;
        const QString text = listFileMessage(result, u"gaeste.txt"_s, u"Ziehungsliste"_s);
        QVERIFY2(text.contains(u"gaeste.txt"_s) && text.contains(u"999999"_s), qPrintable(text));
        result.error = ListFileError::Missing;
        QCOMPARE(listFileMessage(result, u"gaeste.txt"_s, u"Ziehungsliste"_s),
                 u"Die Ziehungsliste „gaeste.txt“ kann nicht geladen werden.\r\nBitte prüfen!"_s);
    }

    void pathIsSetWhenAboveOneBlank_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("set");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank") << u" "_s << false;
        QTest::newRow("tab first") << u"\tx.txt"_s << false;
        QTest::newRow("two blanks") << u"  "_s << true;
        QTest::newRow("name") << u"x.txt"_s << true;
    }
    void pathIsSetWhenAboveOneBlank()
    {
        QFETCH(QString, text);
        QFETCH(bool, set);
        QCOMPARE(listPathSet(text), set);
    }

    void chosenFilesAreFoundAgain()
    {
        TestFolder program;
        TestFolder elsewhere;
        QVERIFY(QDir(program.path()).mkpath(u"lists"_s));
        program.write(u"lists/names.txt"_s, "Anna\n");
        elsewhere.write(u"names.txt"_s, "Bert\n");
        const QString inside = storedListPath(program.path(), program.file(u"lists/names.txt"_s));
        QCOMPARE(inside, u"lists/names.txt"_s);
        const QString outside = storedListPath(program.path(), elsewhere.file(u"names.txt"_s));
        QVERIFY(QDir::isAbsolutePath(outside));
        QCOMPARE(readListFile(resolveListPath(program.path(), inside)).lines,
                 QStringList{u"Anna"_s});
        QCOMPARE(readListFile(resolveListPath(program.path(), outside)).lines,
                 QStringList{u"Bert"_s});
    }

    void displayShowsTheDisplayLength_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("painted");
        QTest::newRow("whole line with 0") << u"Mustermann"_s << true << 0 << u"Mustermann"_s;
        QTest::newRow("first five") << u"Mustermann"_s << true << 5 << u"Muste"_s;
        QTest::newRow("longer than the line") << u"Anna"_s << true << 10 << u"Anna"_s;
        QTest::newRow("range entries whole") << u"123456"_s << false << 3 << u"123456"_s;
        QTest::newRow("pair not split") << u"ab\U0001F600c"_s << true << 3 << u"ab"_s;
        QTest::newRow("megabyte line cut")
            << QString(1 << 20, u'x') << true << 0 << QString(MaxPaintedChars, u'x');
    }
    void displayShowsTheDisplayLength()
    {
        QFETCH(QString, entry);
        QFETCH(bool, fromFile);
        QFETCH(int, length);
        QFETCH(QString, painted);
        QCOMPARE(paintedEntryText(entry, fromFile, length), painted);
    }

    // Entries with the log's own separators are logged, read back after a restart and removed
    // from the rebuilt pool once per row, so nothing is drawn twice.
    void awkwardEntriesSurviveTheLogAndARestart()
    {
        TestFolder folder;
        folder.write(u"list.txt"_s, "Meier, Hans\r\n\"Ede\" Zimmermann\r\nA|B\r\nA|B\r\nZoe\r\n");
        const QStringList lines = readListFile(folder.file(u"list.txt"_s)).lines;
        QCOMPARE(lines.size(), 5);
        ResultRows rows;
        for (int i = 0; i < 3; ++i)
            rows.append({i + 1, QString(), lines.at(i)});
        QVERIFY(writeDrawLog(folder.file(u"tivrel.log"_s), rows).ok);

        ResultRows restored;
        QVERIFY(readDrawLog(folder.file(u"tivrel.log"_s), restored));
        QCOMPARE(restored, rows);
        QStringList pool = readListFile(folder.file(u"list.txt"_s)).lines;
        QStringList drawn;
        for (qsizetype i = 0; i < restored.size(); ++i)
            drawn.append(restored.entry(i));
        removeDrawnEntries(pool, drawn);
        pool.sort();
        QCOMPARE(pool, (QStringList{u"A|B"_s, u"Zoe"_s}));
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
