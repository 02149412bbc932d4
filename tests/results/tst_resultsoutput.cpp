#include "draw/drawpass.h"
#include "results/resultsoutput.h"
#include "results/resultstable.h"

#include "localisation/uitext.h"
#include "platform/printspooler.h"
#include "support/fakeplatform.h"
#include "support/fakespooler.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

Q_DECLARE_METATYPE(PrinterLookup)
Q_DECLARE_METATYPE(JobAnswer)

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
    void noPrinterReachedAnnouncesThePdf_data();
    void noPrinterReachedAnnouncesThePdf();
    void thePrintersAnswerIsTold_data();
    void thePrintersAnswerIsTold();
    void oneQueueAtATime();
};

static void addButtons(bool withPrint)
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("file");
    QTest::newRow("TXT") << int(Button::Txt) << QStringLiteral("tivrel.txt");
    QTest::newRow("CSV") << int(Button::Csv) << QStringLiteral("tivrel.csv");
    QTest::newRow("HTML") << int(Button::Html) << QStringLiteral("tivrel.htm");
    // Without a print system the printout goes to a PDF.
    if (withPrint)
        QTest::newRow("print to PDF") << int(Button::Print) << QStringLiteral("tivrel.pdf");
}

void TestResultsOutput::writesBesideTheProgramAndOpens_data()
{
    addButtons(false);
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

void TestResultsOutput::noPrinterReachedAnnouncesThePdf_data()
{
    QTest::addColumn<bool>("printSystem");
    QTest::addColumn<PrinterLookup>("lookup");
    QTest::addColumn<QString>("reason");
    using O = PrinterLookup::Outcome;
    QTest::newRow("no print system") << false << PrinterLookup{} << lng("StrDruckKeinSystem");
    QTest::newRow("no print client") << true << PrinterLookup{} << lng("StrDruckKeinSystem");
    QTest::newRow("server failed")
        << true
        << PrinterLookup{O::ServerFailed, {}, false, QStringLiteral("Scheduler gone."), 0, 0}
        << lngFormat("StrDruckServer", {QStringLiteral("Scheduler gone")});
    QTest::newRow("server silent") << true << PrinterLookup{O::ServerSilent, {}, false, {}, 5, 0}
                                   << lngFormat("StrDruckKeineAntwort", {5});
    QTest::newRow("no printer") << true << PrinterLookup{O::NoPrinter, {}, false, {}, 0, 0}
                                << lng("StrDruckKeinDrucker");
    QTest::newRow("no default") << true << PrinterLookup{O::NoDefault, {}, false, {}, 0, 3}
                                << lngFormat("StrDruckKeinStandard", {3});
}

void TestResultsOutput::noPrinterReachedAnnouncesThePdf()
{
    QFETCH(bool, printSystem);
    QFETCH(PrinterLookup, lookup);
    QFETCH(QString, reason);
    Fixture fx;
    FakeSpooler spooler;
    if (printSystem) {
        spooler.lookups.enqueue(lookup);
        fx.platform.spooler = &spooler;
    }
    QList<bool> busy;
    fx.output.setBusyIndicator([&busy](bool on) { busy.append(on); });
    fx.click(Button::Print);
    QTRY_VERIFY(!fx.output.printing());
    QCOMPARE(busy, (QList<bool>{true, false}));
    const QString path = fx.folder.file(QStringLiteral("tivrel.pdf"));
    QVERIFY(fx.folder.read(QStringLiteral("tivrel.pdf")).startsWith("%PDF"));
    QCOMPARE(fx.platform.messages.size(), 1);
    const FakePlatform::MessageCall &box = fx.platform.messages.first();
    QCOMPARE(box.caption, lng("StrTivrelHinweis"));
    QCOMPARE(box.buttons, Platform::Buttons::Ok);
    QVERIFY2(box.text.contains(reason + QLatin1Char('.')), qPrintable(box.text));
    QVERIFY2(box.text.contains(path), qPrintable(box.text));
    QCOMPARE(fx.platform.opened, QStringList{path});
    QCOMPARE(spooler.jobs.size(), 0);
}

void TestResultsOutput::thePrintersAnswerIsTold_data()
{
    QTest::addColumn<bool>("paused");
    QTest::addColumn<JobAnswer>("answer");
    QTest::addColumn<int>("choice"); // -1: no question
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<bool>("pdf");
    using O = JobAnswer::Outcome;
    const JobAnswer taken{O::Accepted, QStringLiteral("Büro-17"), {}, 0};
    const JobAnswer refused{O::Refused, {}, QStringLiteral("Not accepting jobs."), 0};
    QTest::newRow("taken") << false << taken << -1 << QStringList() << false;
    QTest::newRow("taken by a paused printer")
        << true << taken << -1 << QStringList{QStringLiteral("Büro"), QStringLiteral("Büro-17")}
        << false;
    QTest::newRow("refused, PDF declined")
        << false << refused << int(Platform::Answer::No)
        << QStringList{QStringLiteral("Büro"), QStringLiteral("Not accepting jobs.")} << false;
    QTest::newRow("refused, PDF taken")
        << false << refused << int(Platform::Answer::Yes)
        << QStringList{QStringLiteral("Büro"), QStringLiteral("Not accepting jobs.")} << true;
    QTest::newRow("no answer to the job")
        << false << JobAnswer{O::Silent, {}, {}, 10} << int(Platform::Answer::Yes)
        << QStringList{QStringLiteral("Büro"), lngFormat("StrDruckKeineAntwort", {10})} << true;
}

void TestResultsOutput::thePrintersAnswerIsTold()
{
    QFETCH(bool, paused);
    QFETCH(JobAnswer, answer);
    QFETCH(int, choice);
    QFETCH(QStringList, said);
    QFETCH(bool, pdf);
    Fixture fx;
    FakeSpooler spooler;
    fx.platform.spooler = &spooler;
    spooler.lookups.enqueue(
        {PrinterLookup::Outcome::Found, QStringLiteral("Büro"), paused, {}, 0, 0});
    spooler.answers.enqueue(answer);
    if (choice >= 0)
        fx.platform.answers.enqueue(Platform::Answer(choice));
    fx.click(Button::Print);
    QTRY_VERIFY(!fx.output.printing());

    QCOMPARE(spooler.jobs.size(), 1);
    QCOMPARE(spooler.jobs.first().printer, QStringLiteral("Büro"));
    QCOMPARE(spooler.jobs.first().title, QStringLiteral("Tivrel"));
    QVERIFY(spooler.jobs.first().pdf.startsWith("%PDF"));
    QCOMPARE(fx.platform.messages.isEmpty(), said.isEmpty());
    if (!said.isEmpty()) {
        const FakePlatform::MessageCall &box = fx.platform.messages.first();
        for (const QString &words : said)
            QVERIFY2(box.text.contains(words), qPrintable(box.text));
        if (choice >= 0) {
            QCOMPARE(box.caption, QStringLiteral("Tivrel"));
            QCOMPARE(box.icon, Platform::Icon::Stop);
            QCOMPARE(box.buttons, Platform::Buttons::YesNo);
        }
    }
    const QString path = fx.folder.file(QStringLiteral("tivrel.pdf"));
    QCOMPARE(QFileInfo::exists(path), pdf);
    QCOMPARE(fx.platform.opened, pdf ? QStringList{path} : QStringList());
    if (pdf)
        QVERIFY(fx.platform.messages.last().text.contains(path));
}

void TestResultsOutput::oneQueueAtATime()
{
    Fixture fx;
    FakeSpooler spooler;
    fx.platform.spooler = &spooler;
    spooler.lookups.enqueue(
        {PrinterLookup::Outcome::Found, QStringLiteral("Büro"), false, {}, 0, 0});
    spooler.answers.enqueue({JobAnswer::Outcome::Accepted, QStringLiteral("Büro-1"), {}, 0});
    // The second press comes while the print system is still asked: it starts nothing.
    fx.click(Button::Print);
    fx.click(Button::Print);
    QTRY_VERIFY(!fx.output.printing());
    QCOMPARE(spooler.lookupCount, 1);
    QCOMPARE(spooler.jobs.size(), 1);
}

QTEST_MAIN(TestResultsOutput)
#include "tst_resultsoutput.moc"
