#pragma once

#include "draw/drawpool.h"
#include "draw/resultrows.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

// The entries still drawable in a pass. A pool built from a number range holds the numbers and
// writes an entry's text only when it is shown, logged or exported; a pool built from a list
// holds its lines. Either way the order carries no meaning: a removal moves the last entry into
// the freed place.
class EntryPool {
public:
    EntryPool() = default;
    // Minimum .. Maximum; with zeros every text is padded to the digit count of Maximum.
    static EntryPool fromRange(const NumberRange &range, bool zeros);
    static EntryPool fromList(QStringList lines);

    qsizetype size() const { return m_range ? m_numbers.size() : m_lines.size(); }
    bool isEmpty() const { return size() == 0; }
    bool isRange() const { return m_range; }
    // The text entry `index` shows and is logged with.
    QString at(qsizetype index) const;
    // Every entry's text, in pool order.
    QStringList texts() const;

    void clear();
    // Removes entry `index` in constant time: the last entry moves into its place.
    void removeAt(qsizetype index);
    // Removes, for every drawn entry in order, the first pool entry equal to it, as removeAt
    // does. A range pool compares numbers, so "07" and "7" are the same ticket whatever the
    // padding; a list pool compares the exact text. Drawn texts that match nothing remove
    // nothing.
    void removeDrawn(const QStringList &drawn);
    // The same for the entries of drawn rows, in the rows' order. An entry a row holds as a
    // number is compared as that number by a range pool.
    void removeDrawn(const ResultRows &rows);

    // The number a range entry's text stands for, if it is one.
    static std::optional<qint32> numberOf(QStringView text);

private:
    // Removes the drawn numbers of a range pool, given as the number of each drawn entry (none
    // for an entry that is no number).
    void removeDrawnNumbers(qsizetype count,
                            const std::function<std::optional<qint32>(qsizetype)> &numberAt);

    bool m_range = false;
    int m_width = 0;      // digits of a padded range entry; 0 without padding
    qint32 m_minimum = 0; // of the range the pool was built from
    QList<qint32> m_numbers;
    QStringList m_lines;
};

// The text of a range entry: decimal, with `width` digits at least (zero-padded after the sign).
QString rangeEntryText(qint32 value, int width);
