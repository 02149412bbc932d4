// Figures of the results output: 100,000 rows to TXT, CSV and HTML (content and write), and
// 10,000 rows printed to a PDF. Run: QT_QPA_PLATFORM=offscreen build/bench/bench_exports [FOLDER]
// With FOLDER the files stay there (tivrel.txt, .csv, .htm, .pdf) to be looked at.
#include "draw/drawpass.h"
#include "results/exports.h"
#include "results/printing.h"
#include "results/resultstable.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {
QList<ResultRow> rows(int count)
{
    QList<ResultRow> out;
    out.reserve(count);
    for (int i = 1; i <= count; ++i)
        out.append({i, QStringLiteral("Gewinn Nr. %1").arg(i),
                    QStringLiteral("Mustermann, Erika \"%1\" & Co <%2>").arg(i).arg(i * 7)});
    return out;
}

// CPU time of this thread: on a shared machine the wall time also counts the other programs.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void report(const char *what, int runs, const std::function<bool()> &step)
{
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        const double cpuStart = threadCpuMs();
        timer.start();
        if (!step()) {
            std::printf("%s: FAILED\n", what);
            return;
        }
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - cpuStart);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%s: min %.1f ms, median %.1f ms, max %.1f ms (%d runs; CPU median %.1f ms)\n",
                what, ms.front(), ms[ms.size() / 2], ms.back(), runs, cpu[cpu.size() / 2]);
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir temp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    QDir().mkpath(folder);
    const auto file = [&](const char *name) -> QString {
        return folder + QLatin1Char('/') + QLatin1String(name);
    };

    ResultsExport data;
    data.layout = ExportLayout::Prize;
    data.rows = rows(100000);
    data.captions = exportCaptions(data.layout);
    data.time = QDateTime::currentDateTime();
    data.locale = QLocale::system();

    // The TXT file grows with every run, as repeated exports make it do.
    QFile::remove(file("tivrel.txt"));
    report("TXT export, 100,000 rows (appended)", 5,
           [&] { return appendTxtExport(file("tivrel.txt"), data).ok; });
    report("CSV export, 100,000 rows", 5,
           [&] { return writeCsvExport(file("tivrel.csv"), data).ok; });
    report("HTML export, 100,000 rows", 5,
           [&] { return writeHtmlExport(file("tivrel.htm"), data).ok; });

    DrawPass pass([] { return 4357u; });
    pass.setRows(ResultRows(rows(10000)));
    ResultsTable table(pass);
    table.setColumnShown(ResultsModel::Spiel, true);
    report("print 10,000 rows to PDF", 3,
           [&] { return printTableToPdf(printTableOf(table), file("tivrel.pdf")).ok; });
    std::printf("PDF size: %.1f KiB\n", double(QFile(file("tivrel.pdf")).size()) / 1024.0);
    return 0;
}
