#include "draw/drawpass.h"
#include "results/printing.h"
#include "results/resultstable.h"

#include "support/testfolder.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {
// The text of a PDF, one entry per page, as pdftotext extracts it.
QStringList pdfPages(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The drawn entries ("Los-007") on a page, top to bottom.
QStringList entriesOn(const QString &page)
{
    QStringList entries;
    static const QRegularExpression entry(QStringLiteral("Los-\\d{3}"));
    for (const QRegularExpressionMatch &m : entry.globalMatch(page))
        entries.append(m.captured());
    return entries;
}

void fill(DrawPass &pass, int rows)
{
    ResultRows list;
    for (int i = 1; i <= rows; ++i)
        list.append({i, QStringLiteral("Preis %1").arg(i),
                     QStringLiteral("Los-%1").arg(i, 3, 10, QLatin1Char('0'))});
    pass.setRows(list);
}
} // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyPageStartsWithTheHeaders_data();
    void everyPageStartsWithTheHeaders();
    void printsInTheTablesOrder();
    void withoutAPrinterTheResultsGoToAPdf();
};

void TestPrinting::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void TestPrinting::everyPageStartsWithTheHeaders_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("spielShown");
    QTest::addColumn<int>("pages");
    // A4 holds 24 rows below the header.
    QTest::newRow("empty table") << 0 << false << 1;
    QTest::newRow("100 rows") << 100 << false << 5;
    QTest::newRow("100 rows with Spiel") << 100 << true << 5;
}

void TestPrinting::everyPageStartsWithTheHeaders()
{
    QFETCH(int, rows);
    QFETCH(bool, spielShown);
    QFETCH(int, pages);
    DrawPass pass([] { return 4357u; });
    ResultsTable table(pass);
    fill(pass, rows);
    table.setColumnShown(ResultsModel::Spiel, spielShown);
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.pdf"));
    QVERIFY(printTableToPdf(printTableOf(table), path).ok);

    const QStringList text = pdfPages(path);
    QCOMPARE(text.size(), pages);
    QStringList printed;
    for (const QString &page : text) {
        const QString firstLine = page.trimmed().section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(firstLine.contains(QStringLiteral("Ziehung Nr.")), qPrintable(page));
        QVERIFY(firstLine.contains(QStringLiteral("Gezogen")));
        QCOMPARE(firstLine.contains(QStringLiteral("Spiel / Zahl")), spielShown);
        QCOMPARE(page.contains(QStringLiteral("Preis ")), spielShown && rows > 0);
        printed += entriesOn(page);
    }
    QCOMPARE(printed.size(), rows);
    QCOMPARE(printed.size() > 0 ? printed.last() : QString(),
             rows > 0 ? QStringLiteral("Los-%1").arg(rows, 3, 10, QLatin1Char('0')) : QString());
}

void TestPrinting::printsInTheTablesOrder()
{
    DrawPass pass([] { return 4357u; });
    ResultsTable table(pass);
    fill(pass, 30);
    table.sortResults(ResultsModel::Gezogen, Qt::DescendingOrder);
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.pdf"));
    QVERIFY(printTableToPdf(printTableOf(table), path).ok);
    QStringList printed;
    for (const QString &page : pdfPages(path))
        printed += entriesOn(page);
    QStringList expected;
    for (int i = 30; i >= 1; --i)
        expected.append(QStringLiteral("Los-%1").arg(i, 3, 10, QLatin1Char('0')));
    QCOMPARE(printed, expected);
}

void TestPrinting::withoutAPrinterTheResultsGoToAPdf()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("a printer is installed; this test would print on it");
    DrawPass pass([] { return 4357u; });
    ResultsTable table(pass);
    fill(pass, 3);
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.pdf"));
    const PrintResult result = printResults(printTableOf(table), path);
    QVERIFY(result.ok);
    QCOMPARE(result.pdfPath, path);
    QCOMPARE(pdfPages(path).size(), 1);

    const PrintResult failed =
        printResults(printTableOf(table), folder.file(QStringLiteral("missing/tivrel.pdf")));
    QVERIFY(!failed.ok);
    QVERIFY(!failed.error.isEmpty());
    QVERIFY(failed.pdfPath.isEmpty());
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
