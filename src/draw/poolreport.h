#pragma once

#include "draw/csvlist.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// What the operator should know about a draw list before the first draw: how many entries,
// which are blank, which occur more than once, how long the longest is, how the file was read,
// and for a CSV list the rows that gave no entry and why.
struct PoolReport {
    struct Duplicate {
        QString text;
        qint64 count = 0;    // lines (or rows) it stands on
        QList<qint64> where; // the first of them, in file order
    };

    qint64 entries = 0;
    QList<qint64> blanks;        // lines (rows) whose entry is empty or only blanks
    QList<Duplicate> duplicates; // in the order of their first line
    qint64 longest = 0;          // characters of the longest entry
    qint64 longestAt = 0;        // its line (row)
    QString encoding;
    qint64 mixedLine = 0; // read as Windows-1252, yet this line (the first such) is UTF-8
    bool csv = false;
    QList<CsvSkippedRow> skipped;

    // Findings listed in full are cut here, so a list of blanks cannot grow without end.
    static constexpr qsizetype MaxListed = 1000;
    // Duplicates named in the short report.
    static constexpr qsizetype NamedDuplicates = 3;
};

// Builds the report line by line (or row by row). A CSV row counts once for duplicates, however
// many tickets it holds: a buyer with three tickets is no duplicate, a buyer on two rows is.
class PoolReportBuilder {
public:
    // Room for this many texts, when it is known beforehand.
    void reserve(qsizetype texts) { m_items.reserve(size_t(texts)); }
    void add(const QString &text, qint64 where, qint64 tickets = 1);
    PoolReport finish(const QString &encoding, const QList<CsvSkippedRow> *skipped = nullptr);

private:
    // Duplicates are found at the end by sorting the texts' hashes: on a list of a million
    // lines that is several times faster than a hash table of the texts.
    struct Item {
        size_t hash;
        qint64 where;
        QString text; // shares the entry's characters
    };
    PoolReport m_report;
    std::vector<Item> m_items;
};

// The report on a plain list: every line is one entry.
PoolReport poolReportOfLines(const QStringList &lines, const QString &encoding);

// The short report for the settings panel, and every finding in full, in the language in force.
QString poolReportSummary(const PoolReport &report);
QString poolReportFindings(const PoolReport &report);
