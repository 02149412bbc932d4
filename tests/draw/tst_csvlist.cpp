#include "draw/csvlist.h"
#include "draw/poolreport.h"
#include "support/testfolder.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// Skipped rows written as "row:reason", to compare them in one go.
QStringList skippedOf(const QList<CsvSkippedRow> &rows)
{
    static const char *const names[] = {"missing", "bad", "negative", "limit"};
    QStringList out;
    for (const CsvSkippedRow &row : rows)
        out.append(QString::number(row.row) + u':' + QLatin1String(names[int(row.reason)]));
    return out;
}
} // namespace

class TestCsvList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void separatorIsDetected_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::newRow("comma") << u"Name,Tickets\nAnna,2\nBert,1\n"_s << u","_s;
        QTest::newRow("semicolon, commas in the names")
            << u"Meier, Hans;2\nMüller, Eva;1\nOtto;3\n"_s << u";"_s;
        QTest::newRow("tab") << u"Anna\tMeier\t2\nBert\tKurz\t1\n"_s << u"\t"_s;
        QTest::newRow("comma inside quotes only")
            << u"\"Meier, Hans\";2\n\"Kurz, Eva\";3\n"_s << u";"_s;
        QTest::newRow("one column: the fallback") << u"Anna\nBert\n"_s << u","_s;
        QTest::newRow("empty lines do not count") << u"a;b\n\n\nc;d\n\n"_s << u";"_s;
    }
    void separatorIsDetected()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QCOMPARE(detectCsvSeparator(text), separator.at(0));
    }

    // Records as RFC 4180 reads them, with the line ends of every system.
    void cellsAreReadAsQuoted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("records");
        using R = QList<QStringList>;
        QTest::newRow("plain, CR LF")
            << u"a,b\r\nc,d\r\n"_s << R{{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}};
        QTest::newRow("LF, CR, no final end") << u"a\nb\rc"_s << R{{u"a"_s}, {u"b"_s}, {u"c"_s}};
        QTest::newRow("separator in quotes")
            << u"\"Meier, Hans\",3"_s << R{{u"Meier, Hans"_s, u"3"_s}};
        QTest::newRow("doubled quote")
            << u"\"Ede \"\"der Große\"\"\",x"_s << R{{u"Ede \"der Große\""_s, u"x"_s}};
        QTest::newRow("line break in quotes")
            << u"\"Zeile 1\r\nZeile 2\",2\nB,1"_s
            << R{{u"Zeile 1\r\nZeile 2"_s, u"2"_s}, {u"B"_s, u"1"_s}};
        QTest::newRow("empty cells and a trailing separator")
            << u",a,\n"_s << R{{u""_s, u"a"_s, u""_s}};
        QTest::newRow("empty line is one empty cell")
            << u"a\n\nb"_s << R{{u"a"_s}, {u""_s}, {u"b"_s}};
        QTest::newRow("quote inside an unquoted cell stays")
            << u"5\" Pizza,1"_s << R{{u"5\" Pizza"_s, u"1"_s}};
        QTest::newRow("open quote runs to the end") << u"\"a,b\nc"_s << R{{u"a,b\nc"_s}};
        QTest::newRow("empty text") << QString() << R{};
    }
    void cellsAreReadAsQuoted()
    {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, records);
        QCOMPARE(csvRecords(text, u','), records);
    }

    // Header, joined columns and ticket counts; rows that give nothing are named with why.
    void rowsBecomeEntries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<int>("countColumn");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("skipped");
        const QString people = u"Vorname;Name;Lose\nAnna;Meier;3\nBert;Kurz;1\nCarl;;0\n"_s;
        QTest::newRow("header, one column")
            << people << u"2"_s << 0 << true << QStringList{u"Meier"_s, u"Kurz"_s, u""_s}
            << QStringList{};
        QTest::newRow("no header: the first row is an entry")
            << people << u"1"_s << 0 << false
            << QStringList{u"Vorname"_s, u"Anna"_s, u"Bert"_s, u"Carl"_s} << QStringList{};
        QTest::newRow("joined, empty cells add nothing")
            << people << u"1,2"_s << 0 << true
            << QStringList{u"Anna Meier"_s, u"Bert Kurz"_s, u"Carl"_s} << QStringList{};
        QTest::newRow("joined in the order chosen")
            << people << u"2,1"_s << 0 << true
            << QStringList{u"Meier Anna"_s, u"Kurz Bert"_s, u"Carl"_s} << QStringList{};
        QTest::newRow("counts 3, 1, 0")
            << people << u"1"_s << 3 << true
            << QStringList{u"Anna"_s, u"Anna"_s, u"Anna"_s, u"Bert"_s} << QStringList{};
        QTest::newRow("bad, negative and missing counts")
            << u"A;2\nB;zwei\nC;-1\nD;1.5\nE\nF; 2 \nG;\nH;+1\n"_s << u"1"_s << 2 << false
            << QStringList{u"A"_s, u"A"_s, u"F"_s, u"F"_s, u"H"_s}
            << QStringList{u"2:bad"_s, u"3:negative"_s, u"4:bad"_s, u"5:missing"_s, u"7:bad"_s};
        QTest::newRow("a count beyond any list")
            << u"A;99999999999999999999\nB;1\n"_s << u"1"_s << 2 << false << QStringList{u"B"_s}
            << QStringList{u"1:limit"_s};
        QTest::newRow("missing entry column") << u"A;x\nB\n"_s << u"2"_s << 0 << false
                                              << QStringList{u"x"_s} << QStringList{u"2:missing"_s};
        QTest::newRow("a line break in quotes stays in its row")
            << u"\"A\nA\";x\nB\n"_s << u"2"_s << 0 << false << QStringList{u"x"_s}
            << QStringList{u"2:missing"_s};
    }
    void rowsBecomeEntries()
    {
        QFETCH(QString, text);
        QFETCH(QString, columns);
        QFETCH(int, countColumn);
        QFETCH(bool, header);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, skipped);
        const CsvLayout layout = csvLayoutFromStored(columns, countColumn, header, u";"_s);
        const CsvEntries result = csvEntries(text, layout);
        QCOMPARE(result.entries, entries);
        QCOMPARE(skippedOf(result.skipped), skipped);
    }

    // The pool never grows past the limit: the row that would cross it is skipped, later
    // rows that still fit are taken.
    void theTotalStaysWithinTheLimit()
    {
        const CsvLayout layout = csvLayoutFromStored(u"1"_s, 2, false, u","_s);
        const CsvEntries result = csvEntries(u"A,3\nB,4\nC,2\nD,1\n"_s, layout, 6);
        QCOMPARE(result.entries.size(), 6);
        QCOMPARE(skippedOf(result.skipped), QStringList{u"2:limit"_s});
        QCOMPARE(result.entries.last(), u"D"_s);
    }

    // A file nothing is stored for: the header row and the ticket count column as its first
    // records suggest.
    void aLayoutIsGuessedFromTheFirstRecords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<int>("count");
        QTest::newRow("header and counts")
            << u"Name,Lose\nAnna,2\nBert,3\nCarl,1\n"_s << true << QList<int>{0} << 1;
        QTest::newRow("counts without a header")
            << u"Anna,2\nBert,3\n"_s << false << QList<int>{0} << 1;
        QTest::newRow("names only") << u"Name\nAnna\nBert\n"_s << false << QList<int>{0} << -1;
        QTest::newRow("a running number is no count")
            << u"Nr,Name,Lose\n1,Anna,2\n2,Bert,1\n3,Carl,4\n"_s << true << QList<int>{1} << 2;
        QTest::newRow("ticket numbers only")
            << u"Los\n1001\n1002\n1007\n"_s << true << QList<int>{0} << -1;
        QTest::newRow("one mistyped count")
            << u"Name,Vorname,Lose\nMeier,Anna,2\nKurz,Bert,x\nOtto,,1\nLang,Eva,0\n"_s << true
            << QList<int>{0} << 2;
        QTest::newRow("a running number names no tickets")
            << u"Nr,Name\n1,Anna\n2,Bert\n3,Carl\n"_s << true << QList<int>{1} << -1;
        QTest::newRow("a single row") << u"Anna,2\n"_s << false << QList<int>{0} << -1;
    }
    void aLayoutIsGuessedFromTheFirstRecords()
    {
        QFETCH(QString, text);
        QFETCH(bool, header);
        QFETCH(QList<int>, columns);
        QFETCH(int, count);
        const CsvLayout guess = guessCsvLayout(csvRecords(text, u','));
        QCOMPARE(guess.header, header);
        QCOMPARE(guess.columns, columns);
        QCOMPARE(guess.countColumn, count);
    }

    void theLayoutIsStoredAndReadBack_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("separator");
        QTest::newRow("tab, two columns, count") << u"2,1"_s << 3 << u"tab"_s;
        QTest::newRow("semicolon") << u"1"_s << 0 << u";"_s;
        QTest::newRow("detect") << u"4"_s << 0 << QString();
    }
    void theLayoutIsStoredAndReadBack()
    {
        QFETCH(QString, columns);
        QFETCH(int, count);
        QFETCH(QString, separator);
        const CsvLayout layout = csvLayoutFromStored(columns, count, true, separator);
        QCOMPARE(storedCsvColumns(layout), columns);
        QCOMPARE(storedCsvCountColumn(layout), count);
        QCOMPARE(storedCsvSeparator(layout), separator);
        // Nonsense in the file falls back to the first column.
        QCOMPARE(csvLayoutFromStored(u"x,0,-2"_s, -5, false, u"|"_s).columns, QList<int>{0});
    }

    // The file as every list is read: Windows-1252 when it is no UTF-8, the separator found
    // when none is stored.
    void aFileIsReadByTheEightBitRule()
    {
        TestFolder folder;
        folder.write(u"gaeste.csv"_s, "Name;Lose\r\nM\xFCller;2\r\nStra\xDF"
                                      "e;x\r\n");
        const CsvListResult read = readCsvListFile(folder.file(u"gaeste.csv"_s),
                                                   csvLayoutFromStored(u"1"_s, 2, true, QString()));
        QVERIFY(read.list.ok());
        QCOMPARE(read.list.encoding, u"Windows-1252"_s);
        QCOMPARE(read.list.lines, (QStringList{u"Müller"_s, u"Müller"_s}));
        QCOMPARE(skippedOf(read.csv.skipped), QStringList{u"3:bad"_s});
        QCOMPARE(read.csv.headers, (QStringList{u"Name"_s, u"Lose"_s}));
        folder.write(u"binary.csv"_s, QByteArray("a,b\0c\x01", 6));
        QCOMPARE(readCsvListFile(folder.file(u"binary.csv"_s), {}).list.error,
                 ListFileError::NotText);
        QCOMPARE(readCsvListFile(folder.file(u"none.csv"_s), {}).list.error,
                 ListFileError::Missing);
    }

    void theReportCountsBlanksDuplicatesAndTheLongest()
    {
        const QString longLine(2000, u'x');
        const QStringList lines{u"Anna"_s, u""_s,     u"Bert"_s, u"  "_s, u"Anna"_s,
                                longLine,  u"Bert"_s, u"Anna"_s, u""_s};
        const PoolReport report = poolReportOfLines(lines, u"UTF-8"_s);
        QCOMPARE(report.entries, 9);
        QCOMPARE(report.blanks, (QList<qint64>{2, 4, 9}));
        QCOMPARE(report.duplicates.size(), 3); // Anna, "" and Bert; "  " is another text
        QCOMPARE(report.duplicates[0].text, u"Anna"_s);
        QCOMPARE(report.duplicates[0].count, 3);
        QCOMPARE(report.duplicates[0].where, (QList<qint64>{1, 5, 8}));
        QCOMPARE(report.longest, 2000);
        QCOMPARE(report.longestAt, 6);
        const QString summary = poolReportSummary(report);
        QVERIFY2(summary.contains(u"Anna"_s) && summary.contains(u"2000"_s), qPrintable(summary));
        QVERIFY(poolReportFindings(report).contains(u"2, 4, 9"_s));
    }

    // A buyer with three tickets is no duplicate; a buyer on two rows is.
    void csvRowsCountOnceForDuplicates()
    {
        PoolReportBuilder builder;
        const CsvLayout layout = csvLayoutFromStored(u"1"_s, 2, true, u";"_s);
        const CsvEntries result = csvEntries(
            u"Name;Lose\nAnna;3\nBert;1\nCarl;x\nBert;2\n"_s, layout, MaxListLines, {},
            [&](const CsvRowEntry &row) { builder.add(row.text, row.row, row.tickets); });
        const PoolReport report = builder.finish(u"ASCII"_s, &result.skipped);
        QCOMPARE(report.entries, result.entries.size());
        QCOMPARE(report.entries, 6);
        QCOMPARE(report.duplicates.size(), 1);
        QCOMPARE(report.duplicates[0].text, u"Bert"_s);
        QCOMPARE(report.duplicates[0].where, (QList<qint64>{3, 5}));
        QCOMPARE(report.skipped.size(), 1);
        QVERIFY(poolReportFindings(report).contains(u"\u201Ex\u201C"_s));
    }
};

QTEST_GUILESS_MAIN(TestCsvList)
#include "tst_csvlist.moc"
