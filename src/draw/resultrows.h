#pragma once

#include "draw/resultrow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>
#include <optional>
#include <vector>

// The rows of a pass, held compactly: a pass may hold hundreds of thousands of them, and most
// drawn entries are numbers. Each row is a fixed slot of three 32-bit values: its draw number,
// its entry as that number when the entry's text is the plain decimal form of a non-negative
// qint32 (digits only, no sign, no leading zero but for "0" itself), else the place of its text
// in a side list, and its game text as none (an empty text) or a place in that side list.
// Every other text ("007", "-5", a list line) is kept exactly, so each row reads back as it was
// put in.
//
// Rows are appended, inserted, re-sorted by draw number and cleared all at once; none is ever
// changed or removed alone, so no text of the side list is ever left without its row.
class ResultRows {
public:
    ResultRows() = default;
    ResultRows(std::initializer_list<ResultRow> rows);
    explicit ResultRows(const QList<ResultRow> &rows);

    QList<ResultRow> toList() const;

    qsizetype size() const { return qsizetype(m_slots.size()); }
    bool isEmpty() const { return m_slots.empty(); }

    ResultRow at(qsizetype i) const;
    ResultRow first() const { return at(0); }
    ResultRow last() const { return at(size() - 1); }

    // The parts of row i, without building the whole row.
    qint32 drawNumber(qsizetype i) const { return m_slots[size_t(i)].drawNumber; }
    QString entry(qsizetype i) const
    {
        const qint32 held = m_slots[size_t(i)].entry;
        return held >= 0 ? QString::number(held) : m_texts.at(~held);
    }
    // The entry as its number, when the row holds it as one (see above).
    std::optional<qint32> entryNumber(qsizetype i) const
    {
        const qint32 held = m_slots[size_t(i)].entry;
        return held >= 0 ? std::optional<qint32>(held) : std::nullopt;
    }
    // The game text; empty for none.
    const QString &game(qsizetype i) const
    {
        const qint32 held = m_slots[size_t(i)].game;
        return held == NoGame ? NoText : m_texts.at(held);
    }

    void append(const ResultRow &row) { append(row.Durchgang, row.Spiel, row.Gezogen); }
    void append(qint32 drawNumber, QStringView game, QStringView entry);
    void insert(qsizetype i, const ResultRow &row);
    void clear();
    void reserve(qsizetype rows) { m_slots.reserve(size_t(rows)); }

    // Sorts the rows by draw number in this order; rows with the same number keep theirs.
    void sortByDrawNumber(Qt::SortOrder order);

    friend bool operator==(const ResultRows &a, const ResultRows &b);

private:
    struct Slot {
        qint32 drawNumber;
        qint32 entry; // the number itself when >= 0, else ~(place of its text)
        qint32 game;  // NoGame, or the place of its text
    };
    static constexpr qint32 NoGame = -1;
    static inline const QString NoText;

    Slot slotOf(qint32 drawNumber, QStringView game, QStringView entry);
    qint32 textPlace(QStringView text);

    std::vector<Slot> m_slots;
    QStringList m_texts;
};
