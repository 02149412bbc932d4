#include "draw/drawpass.h"
#include "results/printing.h"
#include "results/resultstable.h"

#include "support/testfolder.h"

#include "localisation/uitext.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {
// The text of a PDF, one entry per page, as pdftotext extracts it.
QStringList pdfPages(const QString &path, const QString &mode = QStringLiteral("-layout"))
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {mode, path, QStringLiteral("-")});
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
    void longEntriesPrintWhole_data();
    void longEntriesPrintWhole();
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
        // The header row: a header wraps between its words in a narrow column.
        const QString head = page.trimmed().section(QLatin1Char('\n'), 0, 2).simplified();
        for (const char *word : {"Ziehung", "Nr.", "Gezogen"})
            QVERIFY2(head.contains(QLatin1String(word)), qPrintable(page));
        QCOMPARE(head.contains(QStringLiteral("Spiel")), spielShown);
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

void TestPrinting::longEntriesPrintWhole_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("spielShown");
    QTest::addColumn<QString>("prize");
    const QString name =
        QStringLiteral("Familie Müller-Lüdenscheidt-Großkopf aus Oberammergau, Losnummer %1");
    QTest::newRow("long names") << name << false << QString();
    // A word wider than the column breaks inside itself.
    QTest::newRow("one long word")
        << QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitänsmützenabzeichenherstellungs"
                          "betriebsangehörigenausweisnummer%1")
        << false << QString();
    QTest::newRow("long prize beside a long winner")
        << name << true
        << QStringLiteral("Ein Wochenende für zwei Personen im Hotel am See mit Halbpension");
}

void TestPrinting::longEntriesPrintWhole()
{
    QFETCH(QString, entry);
    QFETCH(bool, spielShown);
    QFETCH(QString, prize);
    constexpr int Rows = 60;
    DrawPass pass([] { return 4357u; });
    ResultsTable table(pass);
    ResultRows list;
    for (int i = 1; i <= Rows; ++i)
        list.append({i, prize, entry.arg(i, 4, 10, QLatin1Char('0'))});
    pass.setRows(list);
    table.setColumnShown(ResultsModel::Spiel, spielShown);
    PrintTable print = printTableOf(table);
    print.footer = QStringLiteral("24.12.26 18:30");
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.pdf"));
    QVERIFY(printTableToPdf(print, path).ok);

    const QStringList pages = pdfPages(path, QStringLiteral("-raw"));
    QVERIFY(!pages.isEmpty());
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString flat;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const QString &page = pages.at(p);
        QVERIFY2(page.contains(print.footer), qPrintable(page));
        QVERIFY2(page.contains(lngFormat("StrSeiteVon", {int(p + 1), int(pages.size())})),
                 qPrintable(page));
        // Ligatures ("ff" as one glyph) read back as their letters.
        flat += page.normalized(QString::NormalizationForm_KC).remove(blanks);
    }
    // Every entry whole, in the table's order; the draw numbers are not cut either.
    qsizetype at = 0;
    for (int i = 1; i <= Rows; ++i) {
        const QString whole = entry.arg(i, 4, 10, QLatin1Char('0')).remove(blanks);
        const qsizetype found = flat.indexOf(whole, at);
        QVERIFY2(found >= 0, qPrintable(QStringLiteral("entry %1 missing or cut").arg(i)));
        at = found + whole.size();
    }
    if (spielShown)
        QCOMPARE(flat.count(QString(prize).remove(blanks)), Rows);
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
