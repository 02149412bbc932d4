#include "draw/drawpass.h"
#include "platform/printspooler.h"
#include "results/resultsoutput.h"
#include "results/resultstable.h"

#include "localisation/uitext.h"
#include "support/cupssandbox.h"
#include "support/fakeplatform.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <unistd.h>

// Printing through a CUPS scheduler of the test's own, with a cups-pdf queue: what arrives on
// paper, and what the operator is told when the print system refuses the job, is paused, is
// stopped, or accepts connections and never answers.

namespace {
const QString Queue = QStringLiteral("TivrelPDF");

// Long names with the ticket number at their end, the part that used to be lost on paper.
QString entry(int i)
{
    return QStringLiteral("Familie Müller-Lüdenscheidt-Großkopf aus Oberammergau, Losnummer %1")
        .arg(i, 4, 10, QLatin1Char('0'));
}

// The letters of a text, without its blanks and line breaks, ligatures read as their letters.
QString withoutBlanks(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC).remove(blanks);
}

struct Fixture {
    TestFolder folder;
    FakePlatform platform{folder.programPath()};
    CupsSpooler spooler;
    DrawPass pass{[] { return 4357u; }};
    ResultsTable table{pass};
    ResultsOutput output{platform, table, folder.file(QStringLiteral("tivrel")),
                         [] { return false; }, QStringLiteral("Tivrel")};
    QList<bool> busy;

    explicit Fixture(int rows)
    {
        platform.spooler = &spooler;
        ResultRows list;
        for (int i = 1; i <= rows; ++i)
            list.append({i, QString(), entry(i)});
        pass.setRows(list);
        output.setBusyIndicator([this](bool on) { busy.append(on); });
    }
};
} // namespace

class TestCupsPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void theOnlyQueuePrintsEveryWholeEntry();
    void whatThePrintSystemAnsweredIsSaid_data();
    void whatThePrintSystemAnsweredIsSaid();
    void aStoppedServerGivesThePdf();

private:
    std::unique_ptr<CupsSandbox> m_cups;
};

void TestCupsPrinting::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    m_cups = std::make_unique<CupsSandbox>(QDir::currentPath() +
                                           QStringLiteral("/cups-%1").arg(getpid()));
    const QString why = m_cups->start();
    if (!why.isEmpty()) {
        m_cups.reset();
        QSKIP(qPrintable(QStringLiteral("no CUPS scheduler of our own: %1").arg(why)));
    }
    const QString added = m_cups->addPdfQueue(Queue);
    QVERIFY2(added.isEmpty(), qPrintable(added));
}

void TestCupsPrinting::cleanupTestCase()
{
    if (!m_cups)
        return;
    m_cups->stop();
    QDir(m_cups->folder()).removeRecursively();
    m_cups.reset();
}

void TestCupsPrinting::init()
{
    // Each test starts from one accepting, printing queue and no other.
    if (!m_cups || !m_cups->running())
        return;
    m_cups->tool(QStringLiteral("cupsaccept"), {Queue});
    m_cups->tool(QStringLiteral("cupsenable"), {Queue});
    m_cups->tool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Second")});
}

void TestCupsPrinting::theOnlyQueuePrintsEveryWholeEntry()
{
    if (geteuid() != 0)
        QSKIP("the cups-pdf backend writes its documents only when the scheduler runs as root");
    constexpr int Rows = 120;
    Fixture fx(Rows);
    const QDateTime pressed = QDateTime::currentDateTime().addSecs(-1);
    const QStringList before = m_cups->completedJobs(Queue);
    fx.output.BTDruckenClick();
    QTRY_VERIFY_WITH_TIMEOUT(!fx.output.printing(), 15000);
    // The one queue, though not the default, took the job without a word.
    QCOMPARE(fx.platform.messages.size(), 0);
    QCOMPARE(fx.platform.opened, QStringList());
    QCOMPARE(fx.busy, (QList<bool>{true, false}));

    QStringList done;
    QTRY_VERIFY_WITH_TIMEOUT((done = m_cups->completedJobs(Queue)).size() == before.size() + 1,
                             60000);
    const QString job = done.first(); // the newest first
    const QString number = job.section(QLatin1Char('-'), -1);
    const QString pdf =
        CupsSandbox::pdfOutputFolder() + QStringLiteral("/Tivrel-job_%1.pdf").arg(number);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(pdf), 10000);
    QVERIFY(QFileInfo(pdf).lastModified() >= pressed);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QFile::remove(pdf);

    // Every entry whole, in the table's order.
    const QString flat = withoutBlanks(printed);
    qsizetype at = 0;
    for (int i = 1; i <= Rows; ++i) {
        const qsizetype found = flat.indexOf(withoutBlanks(entry(i)), at);
        QVERIFY2(found >= 0, qPrintable(QStringLiteral("entry %1 missing or cut").arg(i)));
        at = found + 1;
    }
    QVERIFY(printed.contains(lngFormat("StrSeiteVon", {1, 2}).section(QLatin1Char(' '), 0, 0)));
}

void TestCupsPrinting::whatThePrintSystemAnsweredIsSaid_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<bool>("pdf");
    QTest::newRow("rejecting queue, PDF declined")
        << QStringLiteral("reject") << int(Platform::Answer::No)
        << QStringList{Queue, QStringLiteral("not accepting jobs")} << false;
    QTest::newRow("rejecting queue, PDF taken")
        << QStringLiteral("reject") << int(Platform::Answer::Yes)
        << QStringList{Queue, QStringLiteral("not accepting jobs")} << true;
    QTest::newRow("paused queue") << QStringLiteral("pause") << -1
                                  << QStringList{Queue, Queue + QStringLiteral("-")} << false;
    QTest::newRow("two queues, no default")
        << QStringLiteral("second") << -1 << QStringList{lngFormat("StrDruckKeinStandard", {2})}
        << true;
    QTest::newRow("server accepts and never answers")
        << QStringLiteral("silent") << -1 << QStringList{lngFormat("StrDruckKeineAntwort", {5})}
        << true;
}

void TestCupsPrinting::whatThePrintSystemAnsweredIsSaid()
{
    QFETCH(QString, setUp);
    QFETCH(int, answer);
    QFETCH(QStringList, said);
    QFETCH(bool, pdf);
    Fixture fx(30);
    if (answer >= 0)
        fx.platform.answers.enqueue(Platform::Answer(answer));
    QLocalServer silent;
    if (setUp == QLatin1String("reject")) {
        QCOMPARE(m_cups->tool(QStringLiteral("cupsreject"), {Queue}).exitCode, 0);
    } else if (setUp == QLatin1String("pause")) {
        QCOMPARE(m_cups->tool(QStringLiteral("cupsdisable"), {Queue}).exitCode, 0);
    } else if (setUp == QLatin1String("second")) {
        QVERIFY(m_cups->addPdfQueue(QStringLiteral("Second")).isEmpty());
    } else if (setUp == QLatin1String("silent")) {
        // Takes every connection and never says a word.
        const QString path = m_cups->folder() + QStringLiteral("/silent.sock");
        QLocalServer::removeServer(path);
        QVERIFY(silent.listen(path));
        qputenv("CUPS_SERVER", path.toLocal8Bit());
    }
    // The window goes on working while the print system is asked.
    int ticksWhileBusy = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (fx.output.printing())
            ++ticksWhileBusy;
    });
    ticker.start(100);

    fx.output.BTDruckenClick();
    QTRY_VERIFY_WITH_TIMEOUT(!fx.output.printing(), 8000);
    qputenv("CUPS_SERVER", m_cups->socketPath().toLocal8Bit());
    if (setUp == QLatin1String("silent"))
        QVERIFY2(ticksWhileBusy > 10, qPrintable(QString::number(ticksWhileBusy)));
    QCOMPARE(fx.busy, (QList<bool>{true, false}));

    QVERIFY(!fx.platform.messages.isEmpty());
    const FakePlatform::MessageCall &first = fx.platform.messages.first();
    for (const QString &words : said)
        QVERIFY2(first.text.contains(words), qPrintable(first.text));
    if (answer >= 0) {
        // The error box of a failed printout, offering the PDF.
        QCOMPARE(first.caption, QStringLiteral("Tivrel"));
        QCOMPARE(first.icon, Platform::Icon::Stop);
        QCOMPARE(first.buttons, Platform::Buttons::YesNo);
    }
    const QString path = fx.folder.file(QStringLiteral("tivrel.pdf"));
    QCOMPARE(QFileInfo::exists(path), pdf);
    QCOMPARE(fx.platform.opened, pdf ? QStringList{path} : QStringList());
    if (pdf)
        QVERIFY2(fx.platform.messages.last().text.contains(path),
                 qPrintable(fx.platform.messages.last().text));
    if (setUp == QLatin1String("pause")) {
        QCOMPARE(m_cups->pendingJobs(Queue).size(), 1);
        m_cups->tool(QStringLiteral("cancel"), {QStringLiteral("-a"), Queue});
    }
}

void TestCupsPrinting::aStoppedServerGivesThePdf()
{
    Fixture fx(5);
    m_cups->stop();
    fx.output.BTDruckenClick();
    QTRY_VERIFY_WITH_TIMEOUT(!fx.output.printing(), 8000);
    const QString path = fx.folder.file(QStringLiteral("tivrel.pdf"));
    QCOMPARE(fx.platform.messages.size(), 1);
    const QString text = fx.platform.messages.first().text;
    QVERIFY2(text.contains(path), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("not running")), qPrintable(text));
    QCOMPARE(fx.platform.opened, QStringList{path});
}

QTEST_MAIN(TestCupsPrinting)
#include "tst_cupsprinting.moc"
