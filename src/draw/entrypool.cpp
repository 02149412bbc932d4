#include "draw/entrypool.h"

#include <QBitArray>

#include <algorithm>
#include <cmath>
#include <numeric>

QString rangeEntryText(qint32 value, int width)
{
    if (width == 0)
        return QString::number(value);
    const QString digits =
        QString::number(std::abs(qint64(value))).rightJustified(width, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

EntryPool EntryPool::fromRange(const NumberRange &range, bool zeros)
{
    EntryPool pool;
    pool.m_range = true;
    pool.m_minimum = range.minimum;
    pool.m_width = zeros ? int(QString::number(range.maximum).size()) : 0;
    const qint32 count = rangeSizeOf(range);
    if (count > 0) {
        pool.m_numbers.resize(count);
        std::iota(pool.m_numbers.begin(), pool.m_numbers.end(), range.minimum);
    }
    return pool;
}

EntryPool EntryPool::fromList(QStringList lines)
{
    EntryPool pool;
    pool.m_lines = std::move(lines);
    return pool;
}

QString EntryPool::at(qsizetype index) const
{
    return m_range ? rangeEntryText(m_numbers.at(index), m_width) : m_lines.at(index);
}

QStringList EntryPool::texts() const
{
    if (!m_range)
        return m_lines;
    QStringList out;
    out.reserve(m_numbers.size());
    for (const qint32 value : m_numbers)
        out.append(rangeEntryText(value, m_width));
    return out;
}

void EntryPool::clear()
{
    m_numbers.clear();
    m_lines.clear();
}

void EntryPool::removeAt(qsizetype index)
{
    if (!m_range) {
        removeEntryAt(m_lines, index);
        return;
    }
    const qsizetype last = m_numbers.size() - 1;
    if (index != last)
        m_numbers[index] = m_numbers.at(last);
    m_numbers.removeLast();
}

std::optional<qint32> EntryPool::numberOf(QStringView text)
{
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void EntryPool::removeDrawn(const QStringList &drawn)
{
    if (!m_range) {
        removeDrawnEntries(m_lines, drawn);
        return;
    }
    removeDrawnNumbers(drawn.size(), [&drawn](qsizetype i) { return numberOf(drawn.at(i)); });
}

void EntryPool::removeDrawn(const ResultRows &rows)
{
    if (!m_range) {
        QStringList drawn;
        drawn.reserve(rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i)
            drawn.append(rows.entry(i));
        removeDrawnEntries(m_lines, drawn);
        return;
    }
    removeDrawnNumbers(rows.size(), [&rows](qsizetype i) {
        if (const std::optional<qint32> number = rows.entryNumber(i))
            return number;
        return numberOf(rows.entry(i));
    });
}

void EntryPool::removeDrawnNumbers(qsizetype count,
                                   const std::function<std::optional<qint32>(qsizetype)> &numberAt)
{
    if (count == 0 || m_numbers.isEmpty())
        return;
    // Every number stands once in a range pool. Only the drawn numbers need their places
    // known: a number nobody drew is moved but never looked for. They are marked by their
    // offset from the minimum, then their places are kept sorted by number.
    const qint64 span =
        qint64(*std::max_element(m_numbers.cbegin(), m_numbers.cend())) - m_minimum + 1;
    const auto offsetOf = [this, span](std::optional<qint32> number) -> std::optional<qsizetype> {
        if (!number)
            return std::nullopt;
        const qint64 offset = qint64(*number) - m_minimum;
        if (offset < 0 || offset >= span)
            return std::nullopt;
        return qsizetype(offset);
    };
    QBitArray drawnMark(span);
    for (qsizetype i = 0; i < count; ++i)
        if (const std::optional<qsizetype> offset = offsetOf(numberAt(i)))
            drawnMark.setBit(*offset);
    struct Place {
        qint32 number;
        qint32 index; // -1 once the number has left the pool
    };
    QList<Place> places;
    for (qsizetype i = 0; i < m_numbers.size(); ++i)
        if (drawnMark.testBit(qsizetype(qint64(m_numbers.at(i)) - m_minimum)))
            places.append({m_numbers.at(i), qint32(i)});
    drawnMark = QBitArray();
    std::sort(places.begin(), places.end(),
              [](const Place &a, const Place &b) { return a.number < b.number; });
    const auto placeOf = [&places](qint32 number) -> Place * {
        const auto it = std::lower_bound(places.begin(), places.end(), number,
                                         [](const Place &p, qint32 n) { return p.number < n; });
        return it != places.end() && it->number == number ? &*it : nullptr;
    };
    for (qsizetype i = 0; i < count; ++i) {
        const std::optional<qint32> number = numberAt(i);
        Place *const found = number ? placeOf(*number) : nullptr;
        if (!found || found->index < 0)
            continue;
        const qsizetype at = found->index;
        const qsizetype last = m_numbers.size() - 1;
        found->index = -1;
        if (at != last) {
            if (Place *const moved = placeOf(m_numbers.at(last)))
                moved->index = qint32(at);
            m_numbers[at] = m_numbers.at(last);
        }
        m_numbers.removeLast();
    }
}
