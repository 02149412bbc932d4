#pragma once

// Shared by the benchmarks: every figure is printed as min / median / max of its runs.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

struct Spread {
    double min = 0;
    double median = 0;
    double max = 0;
};

inline Spread spreadOf(std::vector<double> values)
{
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

// One line: "name: min / median / max unit (n runs)".
inline void printSpread(const char *name, const std::vector<double> &values,
                        const char *unit = "ms", int decimals = 2)
{
    const Spread s = spreadOf(values);
    std::printf("%s: %.*f / %.*f / %.*f %s (min / median / max of %zu)\n", name, decimals, s.min,
                decimals, s.median, decimals, s.max, unit, values.size());
    std::fflush(stdout);
}

inline double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"), -1 where there is none.
inline long procStatusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// CPU time of the calling thread in ms: on a machine shared with other work this moves far
// less than the wall clock, so the benchmarks print it beside the wall-clock figures.
inline double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
