#include "results/exports.h"

#include "draw/drawpass.h"

#include "settings/filesizelimit.h"
#include "support/testfolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {
enum class Format { Txt, Csv, Html };

// Entries as list files hold them: separators, quotes, markup, a line break, accents.
QList<ResultRow> awkwardRows(ExportLayout layout)
{
    const bool spiel = layout != ExportLayout::Plain;
    const auto prize = [&](const char *text) {
        return spiel ? QString::fromUtf8(text) : QString();
    };
    return {
        {1, prize("1. Preis: Fahrrad, rot"), QStringLiteral("Meier, Hans")},
        {2, prize("Buch \"Der Boss\""), QStringLiteral("Er sagte \"Hallo\"")},
        {3, prize("<b>Gutschein</b> &lt;3"),
         QStringLiteral("<b>Tom & \"Jerry\"</b> &amp; > 5 < 7")},
        {4, prize("Korb | Wein"), QStringLiteral("A|B")},
        {5, prize("Zwei\nZeilen"), QStringLiteral("Zeile 1\r\nZeile 2")},
        {12, prize("Kühlschrank"), QString::fromUtf8("Jürgen Müller")},
    };
}

// The values a row carries in a layout.
QStringList values(const ResultRow &row, ExportLayout layout)
{
    if (layout == ExportLayout::Plain)
        return {QString::number(row.Durchgang), row.Gezogen};
    return {QString::number(row.Durchgang), row.Spiel, row.Gezogen};
}

ResultsExport exportOf(ExportLayout layout, const QList<ResultRow> &rows)
{
    ResultsExport data;
    data.layout = layout;
    data.rows = rows;
    data.captions = exportCaptions(layout);
    data.time = QDateTime(QDate(2026, 12, 9), QTime(14, 3, 5));
    data.locale = QLocale(QLocale::German, QLocale::Germany);
    return data;
}

QJsonDocument runReader(const char *kind, const QString &path)
{
    // The system's interpreter first: it starts at once, without a version manager's shim.
    QString python = QStandardPaths::findExecutable(
        QStringLiteral("python3"), {QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin")});
    if (python.isEmpty())
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return {};
    QProcess reader;
    reader.start(python, {QStringLiteral(EXPORT_READER), QLatin1String(kind), path});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
        qWarning().noquote() << reader.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(reader.readAllStandardOutput());
}

QList<QStringList> cellsOf(const QJsonArray &records)
{
    QList<QStringList> cells;
    for (const QJsonValue &record : records) {
        QStringList line;
        for (const QJsonValue &cell : record.toArray())
            line.append(cell.toString());
        cells.append(line);
    }
    return cells;
}
} // namespace

class TestExports : public QObject {
    Q_OBJECT
private slots:
    void layoutFollowsSpielAndPrizeList_data();
    void layoutFollowsSpielAndPrizeList();
    void csvReadsBackAsTheSameCells_data();
    void csvReadsBackAsTheSameCells();
    void htmlShowsTheCellsLiterally_data();
    void htmlShowsTheCellsLiterally();
    void txtRowsCarryTheLayoutsValues_data();
    void txtRowsCarryTheLayoutsValues();
    void txtExportsStack();
    void exportsFollowTheTableOrder();
    void timeStampUsesTheLocalesFormats_data();
    void timeStampUsesTheLocalesFormats();
    void failedWriteKeepsThePreviousFile_data();
    void failedWriteKeepsThePreviousFile();
};

void TestExports::layoutFollowsSpielAndPrizeList_data()
{
    QTest::addColumn<bool>("spielShown");
    QTest::addColumn<bool>("winnings");
    QTest::addColumn<ExportLayout>("layout");
    QTest::newRow("plain") << false << false << ExportLayout::Plain;
    QTest::newRow("prize list on, Spiel hidden") << false << true << ExportLayout::Plain;
    QTest::newRow("lottery") << true << false << ExportLayout::Game;
    QTest::newRow("prize") << true << true << ExportLayout::Prize;
}

void TestExports::layoutFollowsSpielAndPrizeList()
{
    QFETCH(bool, spielShown);
    QFETCH(bool, winnings);
    QFETCH(ExportLayout, layout);
    QCOMPARE(exportLayoutOf(spielShown, winnings), layout);
}

static void addLayoutRows()
{
    QTest::addColumn<ExportLayout>("layout");
    QTest::addColumn<QList<ResultRow>>("rows");
    QTest::addColumn<int>("headerValues");
    for (const auto &[name, layout, headers] :
         {std::tuple{"plain", ExportLayout::Plain, 2}, std::tuple{"game", ExportLayout::Game, 2},
          std::tuple{"prize", ExportLayout::Prize, 3}}) {
        QTest::addRow("%s", name) << layout << awkwardRows(layout) << headers;
        QTest::addRow("%s, empty table", name) << layout << QList<ResultRow>() << headers;
    }
}

void TestExports::csvReadsBackAsTheSameCells_data()
{
    addLayoutRows();
}

void TestExports::csvReadsBackAsTheSameCells()
{
    QFETCH(ExportLayout, layout);
    QFETCH(QList<ResultRow>, rows);
    QFETCH(int, headerValues);
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.csv"));
    QVERIFY(writeCsvExport(path, exportOf(layout, rows)).ok);

    const QJsonDocument doc = runReader("csv", path);
    QVERIFY2(doc.isArray(), "python3 could not read the CSV file back");
    const QList<QStringList> records = cellsOf(doc.array());
    QCOMPARE(records.size(), rows.size() + 1);
    QCOMPARE(records.first().size(), headerValues);
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(records.at(i + 1), values(rows.at(i), layout));
    // Every line ends with CR LF, the last one included.
    QVERIFY(folder.read(QStringLiteral("tivrel.csv")).endsWith("\r\n"));
}

void TestExports::htmlShowsTheCellsLiterally_data()
{
    addLayoutRows();
}

void TestExports::htmlShowsTheCellsLiterally()
{
    QFETCH(ExportLayout, layout);
    QFETCH(QList<ResultRow>, rows);
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.htm"));
    const ResultsExport data = exportOf(layout, rows);
    QVERIFY(writeHtmlExport(path, data).ok);

    const QByteArray bytes = folder.read(QStringLiteral("tivrel.htm"));
    QVERIFY(bytes.contains("charset=UTF-8"));
    QVERIFY(bytes.startsWith("<!DOCTYPE HTML PUBLIC"));
    QVERIFY(bytes.endsWith("</table></body></html>\r\n"));

    const QJsonDocument doc = runReader("html", path);
    QVERIFY2(doc.isObject(), "python3 could not read the HTML page back");
    const QList<QStringList> cells = cellsOf(doc.object().value(QLatin1String("rows")).toArray());
    QCOMPARE(cells.size(), rows.size() + 1);
    QCOMPARE(cells.first(), data.captions.htmlColumns);
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(cells.at(i + 1), values(rows.at(i), layout));
    // The markup in the entries stays text: no element besides the page's own.
    const QVariantList tags = doc.object().value(QLatin1String("tags")).toArray().toVariantList();
    QVERIFY(!tags.contains(QStringLiteral("b")));
}

void TestExports::txtRowsCarryTheLayoutsValues_data()
{
    addLayoutRows();
}

void TestExports::txtRowsCarryTheLayoutsValues()
{
    QFETCH(ExportLayout, layout);
    QFETCH(QList<ResultRow>, rows);
    // A line break inside an entry is written as it stands; here the rows keep to one line each.
    for (ResultRow &row : rows) {
        row.Spiel.remove(QLatin1Char('\n'));
        row.Gezogen.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    }
    const ResultsExport data = exportOf(layout, rows);
    const QStringList lines =
        QString::fromUtf8(txtExportContent(data)).split(QLatin1String("\r\n"));
    QCOMPARE(lines.size(), rows.size() + 2);
    QVERIFY(lines.last().isEmpty());
    QCOMPARE(lines.first(), data.captions.txtHeader + QLatin1String("\t\t") +
                                exportTimeStamp(data.time, data.locale));
    for (qsizetype i = 0; i < rows.size(); ++i)
        QCOMPARE(lines.at(i + 1).split(QLatin1String("\t\t")), values(rows.at(i), layout));
}

void TestExports::txtExportsStack()
{
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.txt"));
    QList<ResultRow> rows = {{1, {}, QStringLiteral("17")}, {2, {}, QStringLiteral("4")}};
    ResultsExport first = exportOf(ExportLayout::Plain, rows);
    QVERIFY(appendTxtExport(path, first).ok);
    rows.append({3, {}, QStringLiteral("23")});
    ResultsExport second = exportOf(ExportLayout::Plain, rows);
    second.time = first.time.addSecs(75);
    QVERIFY(appendTxtExport(path, second).ok);

    const QStringList lines =
        QString::fromUtf8(folder.read(QStringLiteral("tivrel.txt"))).split(QLatin1String("\r\n"));
    const QString header = first.captions.txtHeader + QLatin1String("\t\t");
    QCOMPARE(lines,
             (QStringList{header + QStringLiteral("09.12.26   14:03:05"), QStringLiteral("1\t\t17"),
                          QStringLiteral("2\t\t4"), header + QStringLiteral("09.12.26   14:04:20"),
                          QStringLiteral("1\t\t17"), QStringLiteral("2\t\t4"),
                          QStringLiteral("3\t\t23"), QString()}));
}

void TestExports::exportsFollowTheTableOrder()
{
    DrawPass pass([] { return 4357u; });
    pass.setRows({{1, {}, QStringLiteral("40")},
                  {2, {}, QStringLiteral("7")},
                  {3, {}, QStringLiteral("123")}});
    ResultsModel model(pass);
    model.sort(ResultsModel::Gezogen, Qt::AscendingOrder);
    const QStringList lines =
        QString::fromUtf8(csvExportContent(exportOf(ExportLayout::Plain, model.shownRows())))
            .split(QLatin1String("\r\n"));
    QCOMPARE(lines.mid(1),
             (QStringList{QStringLiteral("\"2\",\"7\""), QStringLiteral("\"1\",\"40\""),
                          QStringLiteral("\"3\",\"123\""), QString()}));
}

void TestExports::timeStampUsesTheLocalesFormats_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                            << QStringLiteral("09.12.26   14:03:05");
    QTest::newRow("English (UK)") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                  << QStringLiteral("09/12/2026   14:03:05");
}

void TestExports::timeStampUsesTheLocalesFormats()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, stamp);
    QCOMPARE(exportTimeStamp(QDateTime(QDate(2026, 12, 9), QTime(14, 3, 5)), locale), stamp);
}

void TestExports::failedWriteKeepsThePreviousFile_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("txt") << int(Format::Txt);
    QTest::newRow("csv") << int(Format::Csv);
    QTest::newRow("html") << int(Format::Html);
}

void TestExports::failedWriteKeepsThePreviousFile()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a per-process file size limit");
#else
    QFETCH(int, format);
    const auto write = [&](const QString &path, const ResultsExport &data) {
        switch (Format(format)) {
        case Format::Txt: return appendTxtExport(path, data);
        case Format::Csv: return writeCsvExport(path, data);
        case Format::Html: return writeHtmlExport(path, data);
        }
        return SaveResult{false, {}};
    };
    TestFolder folder;
    const QString path = folder.file(QStringLiteral("tivrel.out"));
    QVERIFY(write(path, exportOf(ExportLayout::Prize, awkwardRows(ExportLayout::Prize))).ok);
    const QByteArray before = folder.read(QStringLiteral("tivrel.out"));

    QList<ResultRow> many;
    for (int i = 1; i <= 5000; ++i)
        many.append({i, QStringLiteral("Preis %1").arg(i), QStringLiteral("Los %1").arg(i)});
    SaveResult result;
    {
        // A disk that is full after a few more kilobytes.
        const FileSizeLimit limit(rlim_t(before.size()) + 4096);
        result = write(path, exportOf(ExportLayout::Prize, many));
    }
    QVERIFY(!result.ok);
    QCOMPARE(result.problem, SaveResult::Problem::FileTooLarge);
    QCOMPARE(folder.read(QStringLiteral("tivrel.out")), before);

    // A folder that does not exist.
    QVERIFY(
        !write(folder.file(QStringLiteral("missing/tivrel.out")), exportOf(ExportLayout::Plain, {}))
             .ok);
#endif
}

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
