#pragma once

#include "draw/listfile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// Draw lists kept as spreadsheets: CSV or TSV files with one row per buyer. A chosen column (or
// several, joined by a blank) is the entry; an optional column holds the buyer's ticket count,
// and a row with 3 there gives three entries. Cells are read as RFC 4180 says: a quoted cell
// may hold separators, line breaks and doubled quotes.

// How the rows of a CSV list become entries. Columns count from 0.
struct CsvLayout {
    QChar separator = u',';
    bool header = false;        // the first row names the columns and gives no entry
    QList<int> columns{0};      // joined into the entry, in this order
    int countColumn = -1;       // the ticket count; -1: every row is one ticket
    bool separatorKnown = true; // false: detect it from the file
    bool layoutKnown = true;    // false: guess the header row and the count column (a new file)

    friend bool operator==(const CsvLayout &, const CsvLayout &) = default;
};

// The separators offered: comma, semicolon, tab.
inline constexpr char16_t CsvSeparators[] = {u',', u';', u'\t'};

// Whether a list path names a CSV list (.csv or .tsv, in any case).
bool isCsvListPath(const QString &path);

// The layout as the settings store it: columns as "1,2" (counted from 1), the count column from
// 1 (0 for none), the separator as ",", ";" or "tab" (empty: detect).
CsvLayout csvLayoutFromStored(const QString &columns, int countColumn, bool header,
                              const QString &separator);
QString storedCsvColumns(const CsvLayout &layout);
int storedCsvCountColumn(const CsvLayout &layout);
QString storedCsvSeparator(const CsvLayout &layout);

// Reads records of RFC 4180 text one by one. A record ends at CR LF, LF or CR outside quotes;
// a final line end adds no record. A quote inside an unquoted cell, or after a closing quote,
// is kept as it stands; a quote left open runs to the end of the text.
class CsvReader {
public:
    CsvReader(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}
    // The next record's cells; false at the end of the text.
    bool next(QStringList &cells);
    // Characters read so far, for progress.
    qsizetype position() const { return m_pos; }
    // Records read so far.
    qint64 records() const { return m_records; }

private:
    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    qint64 m_records = 0;
};

// All records of a text (for small texts and previews; `limit` < 0 reads them all).
QList<QStringList> csvRecords(QStringView text, QChar separator, qsizetype limit = -1);

// The separator of a CSV text: of comma, semicolon and tab the one that splits the first rows
// into the same number of cells (more than one); `fallback` when none does.
QChar detectCsvSeparator(QStringView text, QChar fallback = u',');

// A first guess at the layout of a file nothing is stored for, from its first records: the first
// row is a header when a column holds whole numbers below it but not in it; the entry is the
// first column that is not all whole numbers, the ticket count the next column that is (and is
// no running number 1, 2, 3 ...). The operator confirms or changes it.
CsvLayout guessCsvLayout(const QList<QStringList> &records);

// Why a row gave no entry.
enum class CsvSkip {
    MissingColumn, // the row has fewer cells than the layout needs
    BadCount,      // the count is not a whole number
    NegativeCount, // the count is below 0
    OverLimit,     // the count would take the list over MaxListLines entries
};

struct CsvSkippedRow {
    qint64 row = 0; // counted from 1, the header row included, as a spreadsheet shows it
    CsvSkip reason = CsvSkip::MissingColumn;
    QString cell; // the count as it stood, when the count was the reason
};

// One row's contribution, for the report on the pool.
struct CsvRowEntry {
    qint64 row = 0;
    QString text;
    qint64 tickets = 0;
};

struct CsvEntries {
    QStringList entries;
    QList<CsvSkippedRow> skipped;
    QStringList headers; // the first row's cells when it is a header
    qint64 rows = 0;     // rows read, the header not counted
    int columnCount = 0; // cells of the widest row
    bool cancelled = false;
};

// Called now and then while a long text is read: the share read so far (0 to 1000); returning
// false stops the reading (the result is then marked cancelled).
using CsvProgress = std::function<bool(int permille)>;
// Called with every row that gave entries.
using CsvRowSink = std::function<void(const CsvRowEntry &)>;

// The entries of a CSV text. The total never exceeds `maxEntries`: a row whose count would
// take it further is skipped.
CsvEntries csvEntries(QStringView text, const CsvLayout &layout, qint32 maxEntries = MaxListLines,
                      const CsvProgress &progress = {}, const CsvRowSink &rows = {});

// A CSV list file read as a draw list: the entries in `lines`, the rows skipped beside them.
struct CsvListResult {
    ListFileResult list;
    CsvEntries csv;
    CsvLayout layout; // as read: a separator to detect is the one found
};
CsvListResult readCsvListFile(const QString &path, const CsvLayout &layout,
                              const CsvProgress &progress = {}, const CsvRowSink &rows = {});
