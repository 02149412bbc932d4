#include "draw/resultrows.h"

#include <algorithm>
#include <limits>

namespace {
// The number a text is the plain decimal form of, if it is one: digits only, no sign, no
// leading zero but for "0", and within qint32.
std::optional<qint32> plainNumberOf(QStringView text)
{
    if (text.isEmpty() || text.size() > 10 || (text.size() > 1 && text.front() == u'0'))
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}
} // namespace

ResultRows::ResultRows(std::initializer_list<ResultRow> rows)
{
    reserve(qsizetype(rows.size()));
    for (const ResultRow &row : rows)
        append(row);
}

ResultRows::ResultRows(const QList<ResultRow> &rows)
{
    reserve(rows.size());
    for (const ResultRow &row : rows)
        append(row);
}

QList<ResultRow> ResultRows::toList() const
{
    QList<ResultRow> rows;
    rows.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        rows.append(at(i));
    return rows;
}

ResultRow ResultRows::at(qsizetype i) const
{
    return {drawNumber(i), game(i), entry(i)};
}

qint32 ResultRows::textPlace(QStringView text)
{
    m_texts.append(text.toString());
    return qint32(m_texts.size() - 1);
}

ResultRows::Slot ResultRows::slotOf(qint32 drawNumber, QStringView game, QStringView entry)
{
    Slot slot{drawNumber, 0, NoGame};
    if (const std::optional<qint32> number = plainNumberOf(entry))
        slot.entry = *number;
    else
        slot.entry = ~textPlace(entry);
    if (!game.isEmpty())
        slot.game = textPlace(game);
    return slot;
}

void ResultRows::append(qint32 drawNumber, QStringView game, QStringView entry)
{
    m_slots.push_back(slotOf(drawNumber, game, entry));
}

void ResultRows::insert(qsizetype i, const ResultRow &row)
{
    m_slots.insert(m_slots.begin() + i, slotOf(row.Durchgang, row.Spiel, row.Gezogen));
}

void ResultRows::clear()
{
    m_slots = {};
    m_texts = {};
}

void ResultRows::sortByDrawNumber(Qt::SortOrder order)
{
    if (order == Qt::AscendingOrder)
        std::stable_sort(m_slots.begin(), m_slots.end(),
                         [](const Slot &a, const Slot &b) { return a.drawNumber < b.drawNumber; });
    else
        std::stable_sort(m_slots.begin(), m_slots.end(),
                         [](const Slot &a, const Slot &b) { return a.drawNumber > b.drawNumber; });
}

bool operator==(const ResultRows &a, const ResultRows &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const ResultRows::Slot &x = a.m_slots[size_t(i)];
        const ResultRows::Slot &y = b.m_slots[size_t(i)];
        if (x.drawNumber != y.drawNumber || a.game(i) != b.game(i))
            return false;
        // A text is held as a number exactly when it is a number's plain form, so a number
        // and a text never stand for the same entry.
        if (x.entry >= 0 || y.entry >= 0) {
            if (x.entry != y.entry)
                return false;
        } else if (a.m_texts.at(~x.entry) != b.m_texts.at(~y.entry)) {
            return false;
        }
    }
    return true;
}
