#include "draw/entrypool.h"

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

std::optional<qint32> EntryPool::numberOf(const QString &text)
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
    if (drawn.isEmpty() || m_numbers.isEmpty())
        return;
    // Every number stands once in a range pool: its place, by its offset from the minimum.
    // Numbers that have left the pool have no place.
    const qint64 span =
        qint64(*std::max_element(m_numbers.cbegin(), m_numbers.cend())) - m_minimum + 1;
    // A range pool's size fits a qint32, as the range's size does: four bytes a place.
    QList<qint32> place(span, -1);
    for (qsizetype i = 0; i < m_numbers.size(); ++i)
        place[qsizetype(qint64(m_numbers.at(i)) - m_minimum)] = qint32(i);
    for (const QString &text : drawn) {
        const std::optional<qint32> number = numberOf(text);
        if (!number)
            continue;
        const qint64 offset = qint64(*number) - m_minimum;
        if (offset < 0 || offset >= span || place.at(offset) < 0)
            continue;
        const qsizetype found = place.at(offset);
        const qsizetype last = m_numbers.size() - 1;
        place[offset] = -1;
        if (found != last) {
            place[qsizetype(qint64(m_numbers.at(last)) - m_minimum)] = qint32(found);
            m_numbers[found] = m_numbers.at(last);
        }
        m_numbers.removeLast();
    }
}
