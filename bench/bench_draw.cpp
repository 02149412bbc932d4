// Figures of the draw engine at the largest range, in one warm process: building the pool,
// restoring a pass from the draw log's rows, and single draw steps (bench_coldpool times the
// first build in a fresh process). Run: build/bench/bench_draw
#include "benchstats.h"
#include "draw/drawpool.h"
#include "draw/entrypool.h"
#include "draw/mersenne.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    const NumberRange range{1, 999999};

    std::vector<double> buildMs;
    long poolKiB = 0;
    for (int run = 0; run < 5; ++run) {
        const long before = procStatusKiB("VmRSS");
        QElapsedTimer timer;
        timer.start();
        EntryPool pool = EntryPool::fromRange(range, true);
        buildMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        poolKiB = std::max(poolKiB, procStatusKiB("VmRSS") - before);
    }
    printSpread("build range pool 999999 (zeros), warm", buildMs, "ms", 1);
    std::printf("range pool memory: %.1f MiB resident\n", double(poolKiB) / 1024.0);

    // A pass of 100,000 draws, as the restore reads them from the log.
    TRNGenerator generator;
    generator.Seed(4357);
    QStringList rows;
    {
        EntryPool pool = EntryPool::fromRange(range, true);
        for (int i = 0; i < 100000; ++i) {
            const qsizetype index = chooseEntryIndex(generator, pool.size());
            rows.append(pool.at(index));
            pool.removeAt(index);
        }
    }
    std::vector<double> restoreMs;
    for (int run = 0; run < 3; ++run) {
        EntryPool pool = EntryPool::fromRange(range, true);
        QElapsedTimer timer;
        timer.start();
        pool.removeDrawn(rows);
        restoreMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (pool.size() != 999999 - 100000) {
            std::printf("restore removed the wrong number of entries\n");
            return 1;
        }
    }
    printSpread("restore 100000 rows into 999999", restoreMs, "ms", 1);

    EntryPool pool = EntryPool::fromRange(range, true);
    constexpr int steps = 100000;
    QElapsedTimer timer;
    timer.start();
    qsizetype checksum = 0;
    for (int i = 0; i < steps; ++i) {
        const qsizetype index = chooseEntryIndex(generator, pool.size());
        checksum += pool.at(index).size();
        pool.removeAt(index);
    }
    std::printf("draw step on a pool of up to 999999: %.3f us per draw (%lld chars)\n",
                double(timer.nsecsElapsed()) / 1e3 / steps, static_cast<long long>(checksum));
    return 0;
}
