// Figures of draw lists at the largest size: reading a list of 999,999 lines of 40 characters
// and building the pool from it. The first read in a fresh process is reported apart from the
// repeated reads. Run: build/bench/bench_lists
#include "draw/drawpool.h"
#include "draw/listfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Lines = 999999;

// Processor time of this process (user and system) in milliseconds: on a shared machine the
// wall time mostly measures the other processes.
double processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Timing {
    double wallMs = -1;
    double cpuMs = -1;
};

// Reads the list and fills a pool from it as the list branch of the pool build does.
Timing readAndPool(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = processorMs();
    ListFileResult result = readListFile(path);
    if (!result.ok() || result.lines.size() != Lines)
        return {};
    QStringList pool = std::move(result.lines);
    removeDrawnEntries(pool, {});
    const Timing timing{double(timer.nsecsElapsed()) / 1e6, processorMs() - cpuStart};
    return pool.size() == Lines ? timing : Timing{};
}

bool writeList(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray line(40, ' ');
    QByteArray bytes;
    bytes.reserve(qsizetype(Lines) * 42);
    for (int i = 0; i < Lines; ++i) {
        const QByteArray number = QByteArray::number(i).rightJustified(7, '0');
        line.replace(0, 7, number);
        std::fill(line.begin() + 7, line.end(), char('a' + i % 26));
        bytes += line;
        bytes += "\r\n";
    }
    return file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QStringLiteral("--once")) {
        const Timing once = readAndPool(args.at(2));
        std::printf("%.1f ms wall, %.1f ms processor\n", once.wallMs, once.cpuMs);
        return 0;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    if (!writeList(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("list: %d lines of 40 characters, %.1f MB\n", Lines,
                double(QFile(path).size()) / 1e6);

    QProcess fresh;
    fresh.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once"), path});
    fresh.waitForFinished(-1);
    std::printf("first read and pool in a fresh process: %s\n",
                fresh.readAllStandardOutput().trimmed().constData());

    std::vector<double> wall;
    std::vector<double> cpu;
    for (int run = 0; run < 7; ++run) {
        const Timing timing = readAndPool(path);
        wall.push_back(timing.wallMs);
        cpu.push_back(timing.cpuMs);
    }
    for (auto *values : {&wall, &cpu})
        std::sort(values->begin(), values->end());
    std::printf("read and pool, 7 runs, wall: min %.1f ms, median %.1f ms, max %.1f ms\n",
                wall.front(), wall[3], wall.back());
    std::printf("read and pool, 7 runs, processor: min %.1f ms, median %.1f ms, max %.1f ms\n",
                cpu.front(), cpu[3], cpu.back());
    return 0;
}
