#pragma once

#include <QtGlobal>
#include <array>
#include <functional>

// 32-bit Mersenne Twister (MT19937) with the initialisation of the 1998 reference code
// (multiplier 69069). Every choice of a drawn entry, and of the entry flashed while a draw
// animates, comes from the one instance the main window keeps.
class TRNGenerator {
public:
    // Where the lazy seeding reads its seed: the system's millisecond tick counter.
    using TickSource = std::function<quint32()>;

    explicit TRNGenerator(TickSource ticks = {});

    void Seed(quint32 seed);
    // Seeds from a key of any length with the array initialisation of the 2002 reference code
    // (init_by_array), which spreads every bit of a long key over the whole state. The
    // verifiable draw seeds from 256 random bits this way.
    void SeedByArray(const quint32 *key, int length);
    quint32 NextWord();
    double UnitValue();
    qint32 RandomInt(qint32 n);

    bool isSeeded() const { return mti != NeverSeeded; }

    // The unit value of one output word: the word read as a signed 32-bit integer, divided by
    // 2^31 - 1 in extended precision, its magnitude rounded to double. Lies in [0, 1], and above
    // 1 by a hair for 0x80000000.
    static double unitValueOfWord(quint32 word);
    // Trunc(unit x n), the product taken in extended precision.
    static qint32 scaleToInt(double unit, qint32 n);

    // The seed the lazy seeding uses for a tick reading: always odd. Seeding multiplies the
    // seed along the state, so a reading with k trailing zero bits leaves the low k bits of
    // every state word zero: 0 gives a state that returns 0 forever, and a reading such as 2^24
    // gives draws that favour some entries for tens of thousands of draws. An odd seed keeps
    // the lowest bit of every word set.
    static quint32 seedFromTicks(quint32 ticks) { return ticks | 1u; }

private:
    static constexpr int N = 624;
    static constexpr int M = 397;
    static constexpr int NeverSeeded = N + 1;

    void regenerate();

    std::array<quint32, N> mt{};
    int mti = NeverSeeded;
    TickSource m_ticks;
};

// The display's effects generator: a 32-bit linear congruential generator that starts from 0
// at every program start. It only decides colours and positions of effects, never a draw.
class EffectsGenerator {
public:
    // A value in 0 .. n-1 (0 for n = 0).
    quint32 next(quint32 n)
    {
        m_state = m_state * 134775813u + 1u;
        return static_cast<quint32>((quint64(m_state) * n) >> 32);
    }
    quint32 state() const { return m_state; }

private:
    quint32 m_state = 0;
};
