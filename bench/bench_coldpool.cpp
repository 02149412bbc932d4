// The first build of a 999,999-entry range pool in a fresh process, as start-up meets it: no
// warm allocator, no pages touched before. The benchmark starts itself once per run with
// --child; each child builds the pool once and reports the time and its peak memory.
// Run: build/bench/bench_coldpool [RUNS]   (default 11)
#include "benchstats.h"
#include "draw/entrypool.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstring>

namespace {

int child()
{
    const NumberRange range{1, 999999};
    QElapsedTimer timer;
    timer.start();
    const EntryPool pool = EntryPool::fromRange(range, true);
    const double ms = elapsedMs(timer);
    std::printf("%.3f %ld %lld\n", ms, procStatusKiB("VmHWM"), qlonglong(pool.size()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        return child();
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    std::vector<double> buildMs;
    std::vector<double> peakMiB;
    std::vector<double> processMs;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            std::printf("the child run failed\n");
            return 1;
        }
        processMs.push_back(elapsedMs(timer));
        const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 3 || fields[2].toLongLong() != 999999) {
            std::printf("the child built a wrong pool\n");
            return 1;
        }
        buildMs.push_back(fields[0].toDouble());
        peakMiB.push_back(fields[1].toDouble() / 1024.0);
    }
    printSpread("range pool 1..999999, first build in a fresh process", buildMs, "ms", 1);
    printSpread("  whole child process, exec to exit", processMs, "ms", 1);
    printSpread("  peak resident memory of the child", peakMiB, "MiB", 1);
    return 0;
}
