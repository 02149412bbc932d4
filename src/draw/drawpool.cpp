#include "draw/drawpool.h"

#include "draw/mersenne.h"

#include <QHash>

#include <cmath>
#include <map>
#include <set>

NumberRange consistentRange(qint32 minimum, qint32 maximum)
{
    if (minimum > maximum)
        minimum = maximum;
    if (maximum < minimum)
        maximum = minimum;
    return {minimum, maximum};
}

qint32 rangeSizeOf(const NumberRange &range)
{
    return range.maximum - range.minimum + 1;
}

QStringList buildRangePool(const NumberRange &range, bool zeros)
{
    const qint32 count = rangeSizeOf(range);
    QStringList pool;
    if (count <= 0)
        return pool;
    pool.reserve(count);
    const int width = zeros ? int(QString::number(range.maximum).size()) : 0;
    for (qint32 i = 0; i < count; ++i) {
        const qint32 value = range.minimum + i;
        if (width == 0) {
            pool.append(QString::number(value));
        } else {
            // "%.<w>d": at least w digits, zero-padded after the sign.
            QString digits =
                QString::number(std::abs(qint64(value))).rightJustified(width, QLatin1Char('0'));
            pool.append(value < 0 ? QLatin1Char('-') + digits : digits);
        }
    }
    return pool;
}

qint32 quotaFromPercent(double percent, qint32 rangeSize)
{
    const qint64 tenths = std::llround(percent * 10.0);
    const qint64 product = tenths * qint64(rangeSize);
    // Floor division, also for negative values.
    qint64 quota = product / 1000;
    if (product % 1000 != 0 && product < 0)
        --quota;
    return qint32(quota);
}

qint32 quotaFromCount(double count)
{
    return qint32(std::ceil(count));
}

bool drawAllowed(qint32 drawCount, qint32 drawQuota, qint32 rangeSize, qsizetype poolSize)
{
    return drawCount < drawQuota && drawCount < rangeSize && poolSize > 0;
}

void removeDrawnEntries(QStringList &pool, const QStringList &drawn)
{
    if (drawn.isEmpty() || pool.isEmpty())
        return;
    // Only texts that some row asks for need their places known. Texts that stand once keep
    // one index; repeated texts keep the ordered set of their indexes, so "the first entry
    // equal to the row" is the lowest of them.
    constexpr qsizetype Untracked = -1;
    constexpr qsizetype Repeated = -2;
    QHash<QString, qsizetype> place; // index, Untracked (asked for, not found yet) or Repeated
    place.reserve(drawn.size());
    for (const QString &row : drawn)
        place.insert(row, Untracked);
    std::map<QString, std::set<qsizetype>> repeated;
    for (qsizetype i = 0; i < pool.size(); ++i) {
        auto it = place.find(pool.at(i));
        if (it == place.end())
            continue;
        if (it.value() == Untracked) {
            it.value() = i;
        } else if (it.value() == Repeated) {
            repeated[it.key()].insert(i);
        } else {
            repeated[it.key()] = {it.value(), i};
            it.value() = Repeated;
        }
    }
    auto firstPlace = [&](const QString &text) -> qsizetype {
        const auto it = place.constFind(text);
        if (it == place.constEnd() || it.value() == Untracked)
            return -1;
        if (it.value() != Repeated)
            return it.value();
        const auto &indexes = repeated[text];
        return indexes.empty() ? -1 : *indexes.begin();
    };
    auto setPlace = [&](const QString &text, qsizetype from, qsizetype to) {
        auto it = place.find(text);
        if (it == place.end())
            return; // nobody asks for this text
        if (it.value() != Repeated) {
            it.value() = to;
        } else {
            auto &indexes = repeated[text];
            indexes.erase(from);
            if (to != Untracked)
                indexes.insert(to);
        }
    };

    for (const QString &row : drawn) {
        const qsizetype found = firstPlace(row);
        if (found < 0)
            continue;
        const qsizetype last = pool.size() - 1;
        setPlace(row, found, Untracked);
        if (found != last) {
            setPlace(pool.at(last), last, found);
            pool[found] = pool.at(last);
        }
        pool.removeLast();
    }
}

qsizetype chooseEntryIndex(TRNGenerator &generator, qsizetype poolSize)
{
    const qsizetype index = generator.RandomInt(qint32(poolSize));
    return index >= poolSize ? poolSize - 1 : index;
}

void removeEntryAt(QStringList &pool, qsizetype index)
{
    const qsizetype last = pool.size() - 1;
    if (index != last)
        pool[index] = pool.at(last);
    pool.removeLast();
}
