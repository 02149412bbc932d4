#include "draw/drawpass.h"
#include "draw/drawpool.h"
#include "draw/mersenne.h"

#include <QTest>

#include <cmath>
#include <functional>

// Uniformity of the draw: a chi-square test of the drawn index for several pool sizes over a
// fixed set of seeds, and of the ordered pairs two draws without repetition give from three
// entries. At a significance level of 0.001 a fair chooser fails about one seed in a thousand,
// so more than two failures among all the seeds of one family mean a biased draw. The seeds
// are fixed, so the outcome never changes from run to run.

namespace {

constexpr double Alpha = 0.001;
constexpr int MaxFailures = 2;
const quint32 Seeds[] = {1u,       2u,          3u,          7u,          42u,
                         4357u,    65539u,      99991u,      123456u,     777777u,
                         1000003u, 2718281u,    3141592u,    16777216u,   20260101u,
                         0x5EEDu,  0xCAFEBABEu, 0xDEADBEEFu, 0x7FFFFFFFu, 0xFFFFFFFFu};
constexpr int SeedCount = int(sizeof(Seeds) / sizeof(Seeds[0]));
// Tick readings that end in many zero bits (2^12 .. 2^31): seeded as read, most of them give a
// state whose low bits are all zero.
const QList<quint32> RoundTicks = [] {
    QList<quint32> ticks;
    for (int bit = 12; bit < 32; ++bit)
        ticks.append(1u << bit);
    return ticks;
}();

// The regularised upper incomplete gamma function Q(a, x), by its series below a + 1 and its
// continued fraction above.
double upperGammaQ(double a, double x)
{
    if (x <= 0)
        return 1.0;
    const double logPrefix = a * std::log(x) - x - std::lgamma(a);
    if (x < a + 1) {
        double term = 1.0 / a;
        double sum = term;
        for (int n = 1; n < 10000 && std::fabs(term) > std::fabs(sum) * 1e-15; ++n) {
            term *= x / (a + n);
            sum += term;
        }
        return 1.0 - sum * std::exp(logPrefix);
    }
    constexpr double tiny = 1e-300;
    double b = x + 1 - a;
    double c = 1 / tiny;
    double d = 1 / b;
    double h = d;
    for (int i = 1; i < 10000; ++i) {
        const double an = -i * (i - a);
        b += 2;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < 1e-15)
            break;
    }
    return std::exp(logPrefix) * h;
}

// The p-value of Pearson's statistic for equally likely cells.
double uniformityPValue(const QList<qint64> &counts)
{
    qint64 total = 0;
    for (qint64 c : counts)
        total += c;
    const double expected = double(total) / double(counts.size());
    double statistic = 0;
    for (qint64 c : counts)
        statistic += (double(c) - expected) * (double(c) - expected) / expected;
    return upperGammaQ((double(counts.size()) - 1) / 2, statistic / 2);
}

using Chooser = std::function<qsizetype(TRNGenerator &, qsizetype)>;

// Tick readings, among the given ones, whose drawn indexes fail the test for a pool of n, the
// generator seeded from each as the program seeds it. Every cell expects at least 50 draws.
int failingSeeds(const Chooser &choose, qsizetype n, const QList<quint32> &readings)
{
    const qint64 draws = std::max<qint64>(5000, 50 * n);
    int failures = 0;
    for (quint32 reading : readings) {
        TRNGenerator generator;
        generator.Seed(TRNGenerator::seedFromTicks(reading));
        QList<qint64> counts(n, 0);
        for (qint64 i = 0; i < draws; ++i) {
            const qsizetype index = choose(generator, n);
            if (index < 0 || index >= n)
                return int(readings.size()); // out of the pool: as bad as it gets
            ++counts[index];
        }
        if (uniformityPValue(counts) < Alpha)
            ++failures;
    }
    return failures;
}

int failingSeedsAcross(const Chooser &choose,
                       const QList<quint32> &readings = QList<quint32>(std::begin(Seeds),
                                                                       std::end(Seeds)))
{
    int failures = 0;
    for (qsizetype n : {2, 3, 49, 900})
        failures += failingSeeds(choose, n, readings);
    return failures;
}

} // namespace

class TestFairness : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theStatisticsAgreeWithKnownValues()
    {
        // Critical values of the chi-square distribution at 0.001 for 1, 2 and 100 degrees.
        QVERIFY(std::fabs(upperGammaQ(0.5, 10.828 / 2) - 0.001) < 2e-6);
        QVERIFY(std::fabs(upperGammaQ(1.0, 13.816 / 2) - 0.001) < 2e-6);
        QVERIFY(std::fabs(upperGammaQ(100.0 / 2, 149.449 / 2) - 0.001) < 2e-6);
        QCOMPARE(uniformityPValue({500, 500, 500}), 1.0);
    }

    void theDrawnIndexIsUniform()
    {
        const int failures = failingSeedsAcross(chooseEntryIndex);
        qInfo("chi-square failures of the drawn index: %d of %d", failures, 4 * SeedCount);
        QVERIFY2(failures <= MaxFailures, qPrintable(QString::number(failures)));
    }

    // A tick reading that ends in many zero bits draws as fairly as any other.
    void roundTickReadingsDrawUniformly()
    {
        const int failures = failingSeedsAcross(chooseEntryIndex, RoundTicks);
        qInfo("chi-square failures of round tick readings: %d of %lld", failures,
              4 * qlonglong(RoundTicks.size()));
        QVERIFY2(failures <= MaxFailures, qPrintable(QString::number(failures)));
    }

    // The test must be able to fail: a chooser that reduces a 12-bit number modulo the pool
    // size favours some entries by a quarter in a pool of 900, and cannot reach the last ones
    // of a larger pool.
    void aBiasedChooserFails()
    {
        const Chooser narrowModulo = [](TRNGenerator &generator, qsizetype n) {
            return qsizetype((generator.NextWord() >> 20) % quint32(n));
        };
        const int failures = failingSeedsAcross(narrowModulo);
        qInfo("chi-square failures of the biased chooser: %d of %d", failures, 4 * SeedCount);
        QVERIFY(failures > MaxFailures);
    }

    // Two draws of one pass from three entries: each of the six ordered pairs equally often.
    void orderedPairsFromThreeAreUniform()
    {
        const QStringList entries{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        int failures = 0;
        for (quint32 seed : Seeds) {
            DrawPass pass([] { return 1u; });
            pass.generator().Seed(TRNGenerator::seedFromTicks(seed));
            QList<qint64> counts(9, 0);
            for (int i = 0; i < 6000; ++i) {
                pass.setPool(EntryPool::fromList(entries), false);
                const auto first = pass.drawEntry({});
                const auto second = pass.drawEntry({});
                QVERIFY(first && second);
                QVERIFY(first->Gezogen != second->Gezogen);
                ++counts[entries.indexOf(first->Gezogen) * 3 + entries.indexOf(second->Gezogen)];
                pass.clear();
            }
            const QList<qint64> pairs{counts[1], counts[2], counts[3],
                                      counts[5], counts[6], counts[7]};
            if (uniformityPValue(pairs) < Alpha)
                ++failures;
        }
        qInfo("chi-square failures of the ordered pairs: %d of %d", failures, SeedCount);
        QVERIFY(failures <= MaxFailures);
    }
};

QTEST_GUILESS_MAIN(TestFairness)
#include "tst_fairness.moc"
