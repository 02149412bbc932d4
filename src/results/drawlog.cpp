#include "results/drawlog.h"

#include "localisation/codepage.h"
#include "localisation/filerefusal.h"
#include "platform/savefile.h"

#include <QStringDecoder>
#include <QStringView>
#include <QSysInfo>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
bool needsWork(const QString &text)
{
    for (const QChar c : text)
        if (c == u'"' || c == u',' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

// Appends a cell as written: quotes doubled, CR as "|", LF left out, quoted when needed.
void appendCell(QString &out, const QString &text)
{
    if (!needsWork(text)) {
        out += text;
        return;
    }
    QString cell;
    cell.reserve(text.size() + 2);
    bool quote = false;
    for (const QChar c : text) {
        if (c == u'"') {
            cell += QStringLiteral("\"\"");
            quote = true;
        } else if (c == u'\r') {
            cell += u'|';
        } else if (c == u'\n') {
            continue;
        } else {
            if (c == u',')
                quote = true;
            cell += c;
        }
    }
    if (quote)
        out += QLatin1Char('"') + cell + QLatin1Char('"');
    else
        out += cell;
}
} // namespace

QString encodeDrawLogCell(const QString &text)
{
    QString out;
    appendCell(out, text);
    return out;
}

namespace {
// Writes UTF-16 code units as little-endian byte pairs into a byte array that was given room
// for the usual case and grows only for the unusual one.
class LittleEndianUtf16 {
public:
    explicit LittleEndianUtf16(qsizetype units) : m_bytes(units * 2, Qt::Uninitialized) {}

    void put(QStringView text)
    {
        if (text.isEmpty())
            return; // an empty cell may have no data at all to copy from
        room(text.size());
        std::memcpy(m_bytes.data() + m_used * 2, text.utf16(), size_t(text.size()) * 2);
        m_used += text.size();
    }
    void put(char16_t unit) { put(QStringView(&unit, 1)); }
    void put(qint32 number)
    {
        char16_t digits[12];
        char16_t *end = digits + std::size(digits);
        char16_t *at = end;
        quint32 rest = number < 0 ? 0u - quint32(number) : quint32(number);
        // Two digits at a time: most numbers of a log are entries of six digits or so.
        while (rest >= 10) {
            const quint32 pair = rest % 100;
            rest /= 100;
            *--at = char16_t(u'0' + pair % 10);
            *--at = char16_t(u'0' + pair / 10);
        }
        if (rest != 0 || at == end)
            *--at = char16_t(u'0' + rest);
        if (number < 0)
            *--at = u'-';
        put(QStringView(at, end));
    }

    QByteArray take()
    {
        m_bytes.truncate(m_used * 2);
        if constexpr (QSysInfo::ByteOrder != QSysInfo::LittleEndian) {
            for (qsizetype i = 0; i + 1 < m_bytes.size(); i += 2)
                std::swap(m_bytes[i], m_bytes[i + 1]);
        }
        return std::move(m_bytes);
    }

private:
    void room(qsizetype units)
    {
        if ((m_used + units) * 2 > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 3 / 2, (m_used + units) * 2));
    }

    QByteArray m_bytes;
    qsizetype m_used = 0; // code units written
};
} // namespace

namespace {
// A cell as written, quoted and doubled where it needs to be.
void putCell(LittleEndianUtf16 &out, const QString &text)
{
    if (needsWork(text))
        out.put(encodeDrawLogCell(text));
    else
        out.put(QStringView(text));
}

// A row's line: draw number, game, entry, CR LF.
void putRow(LittleEndianUtf16 &out, const ResultRow &row)
{
    out.put(row.Durchgang);
    out.put(u',');
    putCell(out, row.Spiel);
    out.put(u',');
    putCell(out, row.Gezogen);
    out.put(QStringView(u"\r\n"));
}
} // namespace

QByteArray encodeDrawLog(const ResultRows &rows)
{
    // One pass into a buffer sized for rows whose cells need no quoting: the mark, then per
    // row the draw number (11 units at most), two commas, the cells and CR LF; an entry held
    // as a number has 10 digits at most.
    qsizetype units = 1;
    for (qsizetype i = 0; i < rows.size(); ++i)
        units += rows.game(i).size() + (rows.entryNumber(i) ? 10 : rows.entry(i).size()) + 15;
    LittleEndianUtf16 out(units);
    out.put(char16_t(0xFEFF));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        out.put(rows.drawNumber(i));
        out.put(u',');
        putCell(out, rows.game(i));
        out.put(u',');
        if (const std::optional<qint32> number = rows.entryNumber(i))
            out.put(*number);
        else
            putCell(out, rows.entry(i));
        out.put(QStringView(u"\r\n"));
    }
    return out.take();
}

QByteArray encodeDrawLogLine(const ResultRow &row)
{
    LittleEndianUtf16 out(row.Spiel.size() + row.Gezogen.size() + 15);
    putRow(out, row);
    return out.take();
}

void DrawLogImage::invalidate()
{
    m_store = QByteArray();
    m_begin = m_end = 0;
    m_valid = false;
}

void DrawLogImage::assign(const QByteArray &content)
{
    // Room for a good many lines at either end, whichever way the table grows.
    const qsizetype room = content.size() / 4 + 4096;
    m_store = QByteArray(room + content.size() + room, Qt::Uninitialized);
    std::memcpy(m_store.data() + room, content.constData(), size_t(content.size()));
    m_begin = room;
    m_end = room + content.size();
    m_valid = true;
}

void DrawLogImage::addFirst(const QByteArray &line)
{
    if (m_begin < line.size())
        relocate((m_end - m_begin) / 4 + line.size() + 4096, m_store.size() - m_end);
    // The mark moves ahead by the line's length and the line takes the place behind it.
    constexpr qsizetype mark = 2;
    char *const start = m_store.data() + m_begin - line.size();
    std::memmove(start, start + line.size(), mark);
    std::memcpy(start + mark, line.constData(), size_t(line.size()));
    m_begin -= line.size();
}

void DrawLogImage::addLast(const QByteArray &line)
{
    if (m_store.size() - m_end < line.size())
        relocate(m_begin, (m_end - m_begin) / 4 + line.size() + 4096);
    std::memcpy(m_store.data() + m_end, line.constData(), size_t(line.size()));
    m_end += line.size();
}

QByteArray DrawLogImage::content() const
{
    return QByteArray::fromRawData(m_store.constData() + m_begin, m_end - m_begin);
}

void DrawLogImage::relocate(qsizetype front, qsizetype back)
{
    const qsizetype used = m_end - m_begin;
    QByteArray store(front + used + back, Qt::Uninitialized);
    if (used > 0)
        std::memcpy(store.data() + front, m_store.constData() + m_begin, size_t(used));
    m_store = std::move(store);
    m_begin = front;
    m_end = front + used;
}

namespace {
QString decodeText(const QByteArray &content)
{
    if (content.size() > 1 && uchar(content[0]) == 0xFF && uchar(content[1]) == 0xFE) {
        QStringDecoder decoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        return decoder(content.mid(2));
    }
    if (content.size() > 1 && uchar(content[0]) == 0xFE && uchar(content[1]) == 0xFF) {
        QStringDecoder decoder(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
        return decoder(content.mid(2));
    }
    return DecodeEightBitText(content);
}

// The cells of the line being read, once its first cell has ended. A cell is a piece of the
// decoded text, or a text of its own when it had quotes or CRs taken out.
struct LineCells {
    qint32 drawNumber = 0;
    bool numbered = false; // whether the draw number is a number
    QStringView game;
    QStringView entry;
    QString builtGame;
    QString builtEntry;

    // Puts the cell into its column: a piece of the text, or the text `built` (which is taken).
    void put(int column, QStringView piece, QString *built)
    {
        switch (column) {
        case ResultsModel::Durchgang:
            *this = LineCells{};
            drawNumber = (built ? QStringView(*built) : piece).trimmed().toInt(&numbered);
            break;
        case ResultsModel::Spiel: game = keep(piece, built, builtGame); break;
        case ResultsModel::Gezogen: entry = keep(piece, built, builtEntry); break;
        default: break; // cells beyond the three columns are dropped
        }
    }

private:
    static QStringView keep(QStringView piece, QString *built, QString &store)
    {
        if (!built)
            return piece;
        store = std::move(*built);
        return store;
    }
};
} // namespace

DrawLogContent decodeDrawLog(const QByteArray &bytes)
{
    // A log as this program writes it (UTF-16LE behind its mark) is read where it lies on a
    // little-endian machine; anything else is decoded into a text first.
    QString decoded;
    QStringView text;
    const bool inPlace = QSysInfo::ByteOrder == QSysInfo::LittleEndian && bytes.size() % 2 == 0 &&
                         bytes.size() > 1 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xFE;
    if (inPlace) {
        text = QStringView(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                           (bytes.size() - 2) / 2);
    } else {
        decoded = decodeText(bytes);
        text = decoded;
    }

    DrawLogContent content;
    content.rows.reserve(std::count(text.cbegin(), text.cend(), u'\n') + 1);
    LineCells line;
    int column = 0; // column the next ended cell of this line fills
    bool quoted = false;
    qsizetype cellStart = 0; // a cell without quotes or CR is a piece of the text itself
    QString cell;            // else it is built here
    bool built = false;
    const auto putCell = [&](qsizetype end) {
        if (built)
            line.put(column, {}, &cell);
        else
            line.put(column, text.sliced(cellStart, end - cellStart), nullptr);
    };
    const auto endCell = [&](qsizetype end) {
        putCell(end);
        ++column;
        cell.clear();
        built = false;
        cellStart = end + 1;
    };
    // A line whose draw number is not a number is no draw: a blank line, or a file that is
    // no draw log at all, would otherwise fill the table with draws numbered 0.
    const auto endRow = [&] {
        if (line.numbered)
            content.rows.append(line.drawNumber, line.game, line.entry);
        else
            ++content.skippedLines;
        line = LineCells{};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u',' && !quoted) {
            endCell(i);
            continue;
        }
        if (c == u'\n') {
            endCell(i);
            endRow();
            column = 0;
            quoted = false;
            continue;
        }
        if (c != u'"' && c != u'\r') {
            if (built)
                cell += c;
            continue;
        }
        if (!built) {
            cell = text.sliced(cellStart, i - cellStart).toString();
            built = true;
        }
        if (c == u'\r')
            continue;
        if (quoted && i + 1 < text.size() && text.at(i + 1) == u'"') {
            cell += u'"';
            ++i;
        } else {
            quoted = !quoted;
        }
    }
    // Text after the last line end becomes the next cell of that line's row; a line that has
    // not ended a cell yet is dropped.
    if (column > 0) {
        if (built ? !cell.isEmpty() : cellStart < text.size())
            putCell(text.size());
        endRow();
    }
    return content;
}

void DrawLogFile::rowAdded(const ResultRow &row, qsizetype place, qsizetype rowCount)
{
    // The row's line joins the kept content where the row joined the rows; anywhere else the
    // content is encoded again.
    if (m_image.isValid() && place == 0)
        m_image.addFirst(encodeDrawLogLine(row));
    else if (m_image.isValid() && place == rowCount - 1)
        m_image.addLast(encodeDrawLogLine(row));
    else
        m_image.invalidate();
}

SaveResult DrawLogFile::write(const ResultRows &rows)
{
    if (!m_image.isValid())
        m_image.assign(encodeDrawLog(rows));
    const QByteArray content = m_image.content();
    const SaveResult written = saveFileAtomically(m_path, content);
    if (written.ok)
        m_pending.reset();
    else // a copy: the image's store changes with the next draw
        m_pending = QByteArray(content.constData(), content.size());
    return written;
}

SaveResult DrawLogFile::writePending()
{
    if (!m_pending)
        return {};
    const SaveResult written = saveFileAtomically(m_path, *m_pending);
    if (written.ok)
        m_pending.reset();
    return written;
}

SaveResult DrawLogFile::writeCopy(const QString &path, const ResultRows &rows) const
{
    return saveFileAtomically(path, m_pending ? *m_pending : encodeDrawLog(rows));
}

SaveResult writeDrawLog(const QString &path, const ResultRows &rows)
{
    return saveFileAtomically(path, encodeDrawLog(rows));
}

std::optional<DrawLogContent> readDrawLog(const QString &path, QString *refusal)
{
    const FileRead read = readFileBounded(path, MaxDrawLogBytes);
    if (!read.ok()) {
        // A log that may not be read is passed over without a word; something that is no
        // draw log at all is named.
        if (refusal && refusedForWhatItIs(read.refusal))
            *refusal = fileRefusalMessage(path, read);
        return std::nullopt;
    }
    return decodeDrawLog(read.bytes);
}

bool readDrawLog(const QString &path, ResultRows &rows)
{
    std::optional<DrawLogContent> content = readDrawLog(path);
    if (!content)
        return false;
    rows = std::move(content->rows);
    return true;
}
