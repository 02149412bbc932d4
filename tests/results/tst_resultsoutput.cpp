#include "draw/drawpass.h"
#include "results/resultsoutput.h"
#include "results/resultstable.h"

#include "localisation/uitext.h"
#include "support/fakeplatform.h"
#include "support/testfolder.h"

#include <QDir>
#include <QPrinterInfo>
#include <QTest>

namespace {
enum class Button { Txt, Csv, Html, Print };

struct Fixture {
    TestFolder folder;
    FakePlatform platform{folder.programPath()};
    DrawPass pass{[] { return 4357u; }};
    ResultsTable table{pass};
    bool prizeList = false;
    ResultsOutput output{platform, table, folder.file(QStringLiteral("tivrel")),
                         [this] { return prizeList; }, QStringLiteral("Tivrel")};

    Fixture()
    {
        pass.setRows({{1, QStringLiteral("Gewinn Nr. 1"), QStringLiteral("17")},
                      {2, QStringLiteral("Gewinn Nr. 2"), QStringLiteral("4")}});
    }
    void click(Button button)
    {
        switch (button) {
        case Button::Txt: output.BTTxTClick(); break;
        case Button::Csv: output.BTCSVClick(); break;
        case Button::Html: output.BTHTMLClick(); break;
        case Button::Print: output.BTDruckenClick(); break;
        }
    }
};

bool printerInstalled()
{
    return !QPrinterInfo::defaultPrinter().isNull();
}
} // namespace

class TestResultsOutput : public QObject {
    Q_OBJECT
private slots:
    void writesBesideTheProgramAndOpens_data();
    void writesBesideTheProgramAndOpens();
    void failureShowsTheErrorAndOpensNothing_data();
    void failureShowsTheErrorAndOpensNothing();
    void headerFollowsSpielAndPrizeList_data();
    void headerFollowsSpielAndPrizeList();
    void txtTimeStampIsTheClocksTime();
};

static void addButtons(bool withPrint)
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("file");
    QTest::newRow("TXT") << int(Button::Txt) << QStringLiteral("tivrel.txt");
    QTest::newRow("CSV") << int(Button::Csv) << QStringLiteral("tivrel.csv");
    QTest::newRow("HTML") << int(Button::Html) << QStringLiteral("tivrel.htm");
    if (withPrint && !printerInstalled())
        QTest::newRow("print to PDF") << int(Button::Print) << QStringLiteral("tivrel.pdf");
}

void TestResultsOutput::writesBesideTheProgramAndOpens_data()
{
    addButtons(true);
}

void TestResultsOutput::writesBesideTheProgramAndOpens()
{
    QFETCH(int, button);
    QFETCH(QString, file);
    Fixture fx;
    fx.click(Button(button));
    QCOMPARE(fx.platform.messages.size(), 0);
    QCOMPARE(fx.platform.opened, QStringList{fx.folder.file(file)});
    QVERIFY(!fx.folder.read(file).isEmpty());
}

void TestResultsOutput::failureShowsTheErrorAndOpensNothing_data()
{
    addButtons(true);
}

void TestResultsOutput::failureShowsTheErrorAndOpensNothing()
{
    QFETCH(int, button);
    QFETCH(QString, file);
    Fixture fx;
    // A folder in the file's place: nothing can be written there.
    QVERIFY(QDir(fx.folder.path()).mkdir(file));
    fx.click(Button(button));
    QCOMPARE(fx.platform.opened, QStringList());
    QCOMPARE(fx.platform.messages.size(), 1);
    const FakePlatform::MessageCall &box = fx.platform.messages.first();
    QCOMPARE(box.caption, QStringLiteral("Tivrel"));
    QCOMPARE(box.icon, Platform::Icon::Stop);
    QCOMPARE(box.buttons, Platform::Buttons::Ok);
    QVERIFY(box.text.size() > 1 && box.text.endsWith(QLatin1Char('.')));
}

void TestResultsOutput::headerFollowsSpielAndPrizeList_data()
{
    QTest::addColumn<bool>("spielShown");
    QTest::addColumn<bool>("prizeList");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("firstRow");
    QTest::newRow("plain") << false << false << lng("StrZiehungCSV2")
                           << QStringLiteral("\"1\",\"17\"");
    QTest::newRow("prize list on, Spiel hidden")
        << false << true << lng("StrZiehungCSV2") << QStringLiteral("\"1\",\"17\"");
    QTest::newRow("lottery") << true << false << lng("StrZiehungCSV3")
                             << QStringLiteral("\"1\",\"Gewinn Nr. 1\",\"17\"");
    QTest::newRow("prize") << true << true << lng("StrZiehungCSV4")
                           << QStringLiteral("\"1\",\"Gewinn Nr. 1\",\"17\"");
}

void TestResultsOutput::headerFollowsSpielAndPrizeList()
{
    QFETCH(bool, spielShown);
    QFETCH(bool, prizeList);
    QFETCH(QString, header);
    QFETCH(QString, firstRow);
    Fixture fx;
    fx.table.setColumnShown(ResultsModel::Spiel, spielShown);
    fx.prizeList = prizeList;
    fx.output.BTCSVClick();
    const QStringList lines = QString::fromUtf8(fx.folder.read(QStringLiteral("tivrel.csv")))
                                  .split(QLatin1String("\r\n"));
    QCOMPARE(lines.value(0), header);
    QCOMPARE(lines.value(1), firstRow);
}

void TestResultsOutput::txtTimeStampIsTheClocksTime()
{
    Fixture fx;
    fx.platform.clock = QDateTime(QDate(2026, 12, 24), QTime(18, 30, 15));
    fx.output.BTTxTClick();
    const QString header = QString::fromUtf8(fx.folder.read(QStringLiteral("tivrel.txt")))
                               .section(QLatin1String("\r\n"), 0, 0);
    QVERIFY2(header.startsWith(lng("StrTXTausgabe2")), qPrintable(header));
    QVERIFY2(header.endsWith(QStringLiteral("18:30:15")), qPrintable(header));
}

QTEST_MAIN(TestResultsOutput)
#include "tst_resultsoutput.moc"
