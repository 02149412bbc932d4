#include "draw/csvlist.h"

#include <QFileInfo>

#include <algorithm>
#include <map>

bool isCsvListPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(u"csv", Qt::CaseInsensitive) == 0 ||
           suffix.compare(u"tsv", Qt::CaseInsensitive) == 0;
}

CsvLayout csvLayoutFromStored(const QString &columns, int countColumn, bool header,
                              const QString &separator)
{
    CsvLayout layout;
    layout.header = header;
    layout.columns.clear();
    for (const QString &part : columns.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int column = part.trimmed().toInt(&ok);
        if (ok && column >= 1 && !layout.columns.contains(column - 1))
            layout.columns.append(column - 1);
    }
    if (layout.columns.isEmpty())
        layout.columns.append(0);
    layout.countColumn = countColumn >= 1 ? countColumn - 1 : -1;
    const QString sep = separator.trimmed();
    if (sep.compare(u"tab", Qt::CaseInsensitive) == 0)
        layout.separator = u'\t';
    else if (sep.size() == 1 && (sep[0] == u',' || sep[0] == u';'))
        layout.separator = sep[0];
    else
        layout.separatorKnown = false;
    return layout;
}

QString storedCsvColumns(const CsvLayout &layout)
{
    QStringList parts;
    for (int column : layout.columns)
        parts.append(QString::number(column + 1));
    return parts.join(u',');
}

int storedCsvCountColumn(const CsvLayout &layout)
{
    return layout.countColumn + 1;
}

QString storedCsvSeparator(const CsvLayout &layout)
{
    if (!layout.separatorKnown)
        return {};
    return layout.separator == u'\t' ? QStringLiteral("tab") : QString(layout.separator);
}

bool CsvReader::next(QStringList &cells)
{
    cells.clear();
    const qsizetype length = m_text.size();
    if (m_pos >= length)
        return false;
    const QChar *chars = m_text.data();
    QString cell;
    for (;;) {
        // One cell, starting at m_pos.
        cell.clear();
        if (m_pos < length && chars[m_pos] == u'"') {
            ++m_pos;
            for (;;) {
                const qsizetype quote = m_text.indexOf(u'"', m_pos);
                if (quote < 0) { // left open: the rest of the text
                    cell.append(chars + m_pos, length - m_pos);
                    m_pos = length;
                    break;
                }
                cell.append(chars + m_pos, quote - m_pos);
                m_pos = quote + 1;
                if (m_pos < length && chars[m_pos] == u'"') {
                    cell.append(u'"');
                    ++m_pos;
                    continue;
                }
                break;
            }
        }
        // Unquoted text, or what follows a closing quote, up to a separator or a line end.
        qsizetype end = m_pos;
        while (end < length) {
            const QChar c = chars[end];
            if (c == m_separator || c == u'\n' || c == u'\r')
                break;
            ++end;
        }
        cell.append(chars + m_pos, end - m_pos);
        cells.append(cell);
        m_pos = end;
        if (m_pos >= length)
            break;
        if (chars[m_pos] == m_separator) {
            ++m_pos;
            if (m_pos >= length) { // a separator at the very end opens one more, empty cell
                cells.append(QString());
                break;
            }
            continue;
        }
        // A line end closes the record.
        if (chars[m_pos] == u'\r' && m_pos + 1 < length && chars[m_pos + 1] == u'\n')
            ++m_pos;
        ++m_pos;
        break;
    }
    ++m_records;
    return true;
}

QList<QStringList> csvRecords(QStringView text, QChar separator, qsizetype limit)
{
    QList<QStringList> records;
    CsvReader reader(text, separator);
    QStringList cells;
    while ((limit < 0 || records.size() < limit) && reader.next(cells))
        records.append(cells);
    return records;
}

QChar detectCsvSeparator(QStringView text, QChar fallback)
{
    // The first rows only; a row cut off by the sample's end is not counted.
    constexpr qsizetype SampleChars = 64 * 1024;
    constexpr qsizetype SampleRows = 50;
    const QStringView sample = text.left(SampleChars);
    QChar best = fallback;
    qsizetype bestAgreeing = 0;
    int bestCells = 1;
    for (char16_t candidate : CsvSeparators) {
        CsvReader reader(sample, QChar(candidate));
        QStringList cells;
        std::map<int, qsizetype> rowsWithCells;
        while (reader.records() < SampleRows && reader.next(cells)) {
            if (reader.position() >= sample.size() && sample.size() < text.size())
                break;
            if (cells.size() == 1 && cells.first().isEmpty())
                continue; // an empty line says nothing
            ++rowsWithCells[int(cells.size())];
        }
        // The cell count most rows agree on.
        for (const auto &[count, rows] : rowsWithCells) {
            if (count < 2)
                continue;
            if (rows > bestAgreeing || (rows == bestAgreeing && count > bestCells)) {
                best = QChar(candidate);
                bestAgreeing = rows;
                bestCells = count;
            }
        }
    }
    return best;
}

namespace {
// A ticket count: a whole number, blanks around it allowed.
std::optional<CsvSkip> parseCount(const QString &cell, qint64 &count)
{
    const QString text = cell.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return CsvSkip::BadCount;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return CsvSkip::BadCount;
        // Anything beyond the largest list is too large; stop growing there.
        value = qMin<qint64>(value * 10 + (text[i].unicode() - u'0'), qint64(1) << 40);
    }
    if (negative && value > 0)
        return CsvSkip::NegativeCount;
    count = value;
    return std::nullopt;
}
} // namespace

namespace {
// Whether the cells of a column, from `first` on, are whole numbers: at least three in four of
// them, so that one mistyped count does not hide the column. A running number 1, 2, 3 is one,
// but no ticket count unless `running` allows it.
bool numberColumn(const QList<QStringList> &records, qsizetype first, int column, bool running)
{
    qsizetype cells = 0;
    qsizetype counts = 0;
    bool ascending = true;
    for (qsizetype r = first; r < records.size(); ++r) {
        if (column >= records[r].size())
            continue;
        ++cells;
        qint64 value = 0;
        if (parseCount(records[r][column], value))
            continue;
        ascending = ascending && value == qint64(counts) + 1;
        ++counts;
    }
    return counts > 0 && 4 * counts >= 3 * cells && (running || !(ascending && counts > 1));
}

bool countColumn(const QList<QStringList> &records, qsizetype first, int column)
{
    return numberColumn(records, first, column, false);
}

bool wholeNumber(const QString &cell)
{
    qint64 value = 0;
    return !parseCount(cell, value);
}
} // namespace

CsvLayout guessCsvLayout(const QList<QStringList> &records)
{
    CsvLayout guess;
    int columns = 0;
    for (const QStringList &record : records)
        columns = qMax(columns, int(record.size()));
    if (records.size() < 2 || columns == 0)
        return guess;
    const QStringList &first = records.first();
    for (int c = 0; c < columns && !guess.header; ++c)
        guess.header = c < first.size() && !first[c].trimmed().isEmpty() &&
                       !wholeNumber(first[c]) && numberColumn(records, 1, c, true);
    const qsizetype body = guess.header ? 1 : 0;
    int entry = -1;
    for (int c = 0; c < columns && entry < 0; ++c)
        if (!numberColumn(records, body, c, true))
            entry = c;
    if (entry < 0)
        return guess; // numbers only: each row is one entry
    guess.columns = {entry};
    for (int c = entry + 1; c < columns && guess.countColumn < 0; ++c)
        if (countColumn(records, body, c))
            guess.countColumn = c;
    return guess;
}

CsvEntries csvEntries(QStringView text, const CsvLayout &layout, qint32 maxEntries,
                      const CsvProgress &progress, const CsvRowSink &rows)
{
    CsvEntries result;
    CsvReader reader(text, layout.separator);
    QStringList cells;
    int needed = layout.countColumn + 1;
    for (int column : layout.columns)
        needed = qMax(needed, column + 1);
    qint64 row = 0;
    QString entry;
    while (reader.next(cells)) {
        ++row;
        result.columnCount = qMax(result.columnCount, int(cells.size()));
        if (progress && row % 4096 == 0 && text.size() > 0 &&
            !progress(int(reader.position() * 1000 / text.size()))) {
            result.cancelled = true;
            return result;
        }
        if (row == 1 && layout.header) {
            result.headers = cells;
            continue;
        }
        ++result.rows;
        if (cells.size() < needed) {
            result.skipped.append({row, CsvSkip::MissingColumn, {}});
            continue;
        }
        qint64 tickets = 1;
        if (layout.countColumn >= 0) {
            if (const auto bad = parseCount(cells[layout.countColumn], tickets)) {
                result.skipped.append({row, *bad, cells[layout.countColumn]});
                continue;
            }
        }
        if (tickets > qint64(maxEntries) - result.entries.size()) {
            result.skipped.append(
                {row, CsvSkip::OverLimit,
                 layout.countColumn >= 0 ? cells[layout.countColumn] : QString()});
            continue;
        }
        // The chosen cells joined by a blank; empty cells add nothing.
        entry.clear();
        for (int column : layout.columns) {
            const QString &cell = cells[column];
            if (cell.isEmpty())
                continue;
            if (!entry.isEmpty())
                entry.append(u' ');
            entry.append(cell);
        }
        for (qint64 t = 0; t < tickets; ++t)
            result.entries.append(entry);
        if (rows)
            rows({row, entry, tickets});
    }
    if (progress)
        progress(1000);
    return result;
}

CsvListResult readCsvListFile(const QString &path, const CsvLayout &layout,
                              const CsvProgress &progress, const CsvRowSink &rows)
{
    CsvListResult result;
    const QByteArray bytes = readListBytes(path, result.list);
    if (!result.list.ok())
        return result;
    ListText text = decodeListText(bytes);
    if (text.error != ListFileError::None) {
        result.list.error = text.error;
        return result;
    }
    result.list.encoding = text.encoding;
    result.list.mixedLine = text.mixedLine;
    CsvLayout used = layout;
    if (!used.separatorKnown) {
        const bool tsv = QFileInfo(path).suffix().compare(u"tsv", Qt::CaseInsensitive) == 0;
        used.separator = detectCsvSeparator(text.text, tsv ? u'\t' : u',');
        used.separatorKnown = true;
    }
    result.layout = used;
    result.csv = csvEntries(text.text, used, MaxListLines, progress, rows);
    result.list.lines = std::move(result.csv.entries);
    result.csv.entries = QStringList();
    return result;
}
