#include "draw/mersenne.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

TRNGenerator::TRNGenerator(TickSource ticks) : m_ticks(std::move(ticks)) {}

void TRNGenerator::Seed(quint32 seed)
{
    mt[0] = seed;
    for (int i = 1; i < N; ++i)
        mt[i] = 69069u * mt[i - 1];
    mti = N;
}

void TRNGenerator::SeedByArray(const quint32 *key, int length)
{
    mt[0] = 19650218u;
    for (int j = 1; j < N; ++j)
        mt[j] = 1812433253u * (mt[j - 1] ^ (mt[j - 1] >> 30)) + quint32(j);
    int i = 1;
    int j = 0;
    for (int k = std::max(N, length); k > 0; --k) {
        mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525u)) + key[j] + quint32(j);
        ++i;
        ++j;
        if (i >= N) {
            mt[0] = mt[N - 1];
            i = 1;
        }
        if (j >= length)
            j = 0;
    }
    for (int k = N - 1; k > 0; --k) {
        mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941u)) - quint32(i);
        ++i;
        if (i >= N) {
            mt[0] = mt[N - 1];
            i = 1;
        }
    }
    mt[0] = 0x80000000u; // the state is never all zero
    mti = N;
}

void TRNGenerator::regenerate()
{
    constexpr quint32 upper = 0x80000000u;
    constexpr quint32 lower = 0x7FFFFFFFu;
    auto twist = [](quint32 y) { return (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u); };
    int i = 0;
    for (; i < N - M; ++i)
        mt[i] = mt[i + M] ^ twist((mt[i] & upper) | (mt[i + 1] & lower));
    for (; i < N - 1; ++i)
        mt[i] = mt[i + (M - N)] ^ twist((mt[i] & upper) | (mt[i + 1] & lower));
    mt[N - 1] = mt[M - 1] ^ twist((mt[N - 1] & upper) | (mt[0] & lower));
}

quint32 TRNGenerator::NextWord()
{
    if (mti >= N) {
        if (mti == NeverSeeded)
            Seed(seedFromTicks(m_ticks ? m_ticks() : 0u));
        regenerate();
        mti = 0;
    }
    quint32 y = mt[mti++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

double TRNGenerator::unitValueOfWord(quint32 word)
{
    const auto s = static_cast<qint32>(word);
    // The quotient is taken in extended precision and rounded once to double.
    const long double q = static_cast<long double>(s) / 2147483647.0L;
    return static_cast<double>(std::fabs(q));
}

qint32 TRNGenerator::scaleToInt(double unit, qint32 n)
{
    const long double product = static_cast<long double>(unit) * n;
    return static_cast<qint32>(std::trunc(product));
}

double TRNGenerator::UnitValue()
{
    return unitValueOfWord(NextWord());
}

qint32 TRNGenerator::RandomInt(qint32 n)
{
    return scaleToInt(UnitValue(), n);
}
