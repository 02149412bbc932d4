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
            QString digits = QString::number(std::abs(qint64(value)))
                                 .rightJustified(width, QLatin1Char('0'));
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
    // Where each text stands. Texts that stand once keep one index; repeated texts keep the
    // ordered set of their indexes, so "the first entry equal to the row" stays the lowest.
    QHash<QString, qsizetype> single;
    std::map<QString, std::set<qsizetype>> repeated;
    single.reserve(pool.size());
    for (qsizetype i = 0; i < pool.size(); ++i) {
        const QString &text = pool.at(i);
        auto it = single.find(text);
        if (it != single.end()) {
            repeated[text] = {it.value(), i};
            single.erase(it);
        } else if (auto r = repeated.find(text); r != repeated.end()) {
            r->second.insert(i);
        } else {
            single.insert(text, i);
        }
    }
    auto moveIndex = [&](const QString &text, qsizetype from, qsizetype to) {
        if (auto it = single.find(text); it != single.end()) {
            it.value() = to;
        } else {
            auto &indexes = repeated[text];
            indexes.erase(from);
            indexes.insert(to);
        }
    };
    auto forgetIndex = [&](const QString &text, qsizetype index) {
        if (single.remove(text) == 0)
            repeated[text].erase(index);
    };

    for (const QString &row : drawn) {
        qsizetype found = -1;
        if (auto it = single.constFind(row); it != single.constEnd()) {
            found = it.value();
        } else if (auto r = repeated.find(row); r != repeated.end() && !r->second.empty()) {
            found = *r->second.begin();
        }
        if (found < 0)
            continue;
        const qsizetype last = pool.size() - 1;
        forgetIndex(row, found);
        if (found != last) {
            moveIndex(pool.at(last), last, found);
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
