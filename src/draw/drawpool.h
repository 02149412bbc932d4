#pragma once

#include <QStringList>

class TRNGenerator;

// Range of the pool kept consistent: a minimum above the maximum is pulled down to it.
struct NumberRange {
    qint32 minimum = 100;
    qint32 maximum = 999;
};
NumberRange consistentRange(qint32 minimum, qint32 maximum);
qint32 rangeSizeOf(const NumberRange &range);

// Entries Minimum .. Maximum as decimal text; with zeros, padded to the digit count of Maximum.
QStringList buildRangePool(const NumberRange &range, bool zeros);

// The quota in percent of the range (the field holds one decimal). Computed on whole tenths,
// so a product that is mathematically whole is never floored to one less.
qint32 quotaFromPercent(double percent, qint32 rangeSize);
// The quota as a count: the field value raised to the next whole number.
qint32 quotaFromCount(double count);

// True while another draw may be made in this pass.
bool drawAllowed(qint32 drawCount, qint32 drawQuota, qint32 rangeSize, qsizetype poolSize);

// Removes, for every drawn entry in order, the first pool entry with exactly that text by
// moving the last entry into its place. Entries that match nothing remove nothing. The result,
// order included, is that of a linear search per entry, in time linear in pool and rows.
void removeDrawnEntries(QStringList &pool, const QStringList &drawn);

// Index of the entry to draw or flash: uniform over the pool; the generator's rare result equal
// to the pool size is taken as the last index. The pool must not be empty.
qsizetype chooseEntryIndex(TRNGenerator &generator, qsizetype poolSize);

// Removes entry `index` in constant time: the last entry moves into its place.
void removeEntryAt(QStringList &pool, qsizetype index);
