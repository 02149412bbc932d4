// Figures of the draw engine at the largest range: building the pool, restoring a pass from
// the draw log's rows, and single draw steps. Run: build/bench/bench_draw
#include "draw/drawpool.h"
#include "draw/mersenne.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main()
{
    const NumberRange range{1, 999999};

    std::vector<double> buildMs;
    long poolKiB = 0;
    for (int run = 0; run < 5; ++run) {
        const long before = residentKiB();
        QElapsedTimer timer;
        timer.start();
        QStringList pool = buildRangePool(range, true);
        buildMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        poolKiB = std::max(poolKiB, residentKiB() - before);
    }
    std::printf("build range pool 999999 (zeros): %.1f ms (median of 5)\n", median(buildMs));
    std::printf("range pool memory: %.1f MiB resident\n", double(poolKiB) / 1024.0);

    // A pass of 100,000 draws, as the restore reads them from the log.
    TRNGenerator generator;
    generator.Seed(4357);
    QStringList rows;
    {
        QStringList pool = buildRangePool(range, true);
        for (int i = 0; i < 100000; ++i) {
            const qsizetype index = chooseEntryIndex(generator, pool.size());
            rows.append(pool.at(index));
            removeEntryAt(pool, index);
        }
    }
    std::vector<double> restoreMs;
    for (int run = 0; run < 3; ++run) {
        QStringList pool = buildRangePool(range, true);
        QElapsedTimer timer;
        timer.start();
        removeDrawnEntries(pool, rows);
        restoreMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (pool.size() != 999999 - 100000) {
            std::printf("restore removed the wrong number of entries\n");
            return 1;
        }
    }
    std::printf("restore 100000 rows into 999999: %.1f ms (median of 3)\n", median(restoreMs));

    QStringList pool = buildRangePool(range, true);
    constexpr int steps = 100000;
    QElapsedTimer timer;
    timer.start();
    qsizetype checksum = 0;
    for (int i = 0; i < steps; ++i) {
        const qsizetype index = chooseEntryIndex(generator, pool.size());
        checksum += pool.at(index).size();
        removeEntryAt(pool, index);
    }
    std::printf("draw step on a pool of up to 999999: %.3f us per draw (%lld chars)\n",
                double(timer.nsecsElapsed()) / 1e3 / steps, static_cast<long long>(checksum));
    return 0;
}
