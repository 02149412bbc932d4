// The time from the press on "Print results" to the job held by the print system, for 2,000
// rows of long names, through a CUPS scheduler of the benchmark's own with a cups-pdf queue:
// the printer looked up, the PDF made, the job handed over and answered. Also the PDF alone.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_printjob [RUNS] [PDF]
// With PDF the document handed to the printer is also saved there, to be looked at.
#include "benchplatform.h"
#include "benchstats.h"

#include "draw/drawpass.h"
#include "platform/printspooler.h"
#include "results/printing.h"
#include "results/resultsoutput.h"
#include "results/resultstable.h"
#include "support/cupssandbox.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir folder;
    CupsSandbox cups(folder.path() + QStringLiteral("/cups"));
    const QString why = cups.start();
    if (!why.isEmpty()) {
        std::printf("no CUPS scheduler of our own: %s\n", qPrintable(why));
        return 1;
    }
    const QString added = cups.addPdfQueue(QStringLiteral("TivrelPDF"));
    if (!added.isEmpty()) {
        std::printf("no cups-pdf queue: %s\n", qPrintable(added));
        return 1;
    }

    BenchPlatform platform(folder.path() + QStringLiteral("/tivrel"));
    CupsSpooler spooler;
    platform.spooler = &spooler;
    DrawPass pass([] { return 4357u; });
    ResultsTable table(pass);
    ResultRows rows;
    for (int i = 1; i <= 2000; ++i)
        rows.append({i, QString(),
                     QStringLiteral("Familie Müller-Lüdenscheidt-Großkopf aus Oberammergau, "
                                    "Losnummer %1")
                         .arg(i, 4, 10, QLatin1Char('0'))});
    pass.setRows(rows);
    ResultsOutput output(
        platform, table, folder.path() + QStringLiteral("/tivrel"), [] { return false; },
        QStringLiteral("Tivrel"));

    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    std::vector<double> pdf;
    std::vector<double> job;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray document = printTableAsPdf(printTableOf(table));
        pdf.push_back(elapsedMs(timer));
        if (run == 0) {
            std::printf("PDF of 2,000 rows: %lld bytes\n", qlonglong(document.size()));
            if (argc > 2) {
                QFile file(QString::fromLocal8Bit(argv[2]));
                if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size())
                    std::printf("cannot write %s\n", argv[2]);
            }
        }

        timer.restart();
        output.BTDruckenClick();
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!output.printing())
                loop.quit();
        });
        poll.start(1);
        loop.exec();
        job.push_back(elapsedMs(timer));
    }
    printSpread("PDF made, 2,000 rows", pdf);
    printSpread("press to job held by CUPS, 2,000 rows", job);
    std::printf("jobs held by CUPS: %lld\n",
                qlonglong(cups.pendingJobs(QStringLiteral("TivrelPDF")).size() +
                          cups.completedJobs(QStringLiteral("TivrelPDF")).size()));
    // The documents are not wanted: the jobs still waiting are cancelled, and what cups-pdf
    // wrote for the others is removed.
    cups.tool(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("TivrelPDF")});
    for (const QString &id : cups.completedJobs(QStringLiteral("TivrelPDF"))) {
        QDir out(CupsSandbox::pdfOutputFolder());
        const QString number = id.section(QLatin1Char('-'), -1);
        for (const QString &name : out.entryList({QStringLiteral("*-job_%1.pdf").arg(number)}))
            if (QFileInfo(out.filePath(name)).lastModified() >= started)
                out.remove(name);
    }
    cups.stop();
    return 0;
}
