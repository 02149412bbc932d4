#include "results/drawlog.h"

#include "localisation/codepage.h"
#include "platform/savefile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringView>
#include <QSysInfo>

#include <algorithm>

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

QByteArray encodeDrawLog(const QList<ResultRow> &rows)
{
    // One pass into a text of about the right size, then its UTF-16 units as little-endian
    // bytes behind the byte-order mark.
    qsizetype size = 0;
    for (const ResultRow &row : rows)
        size += row.Spiel.size() + row.Gezogen.size() + 16;
    QString text;
    text.reserve(size + 1);
    text += QChar(0xFEFF);
    for (const ResultRow &row : rows) {
        text += QString::number(row.Durchgang);
        text += u',';
        appendCell(text, row.Spiel);
        text += u',';
        appendCell(text, row.Gezogen);
        text += QLatin1String("\r\n");
    }
    if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        bytes.append(char(u & 0xFF)).append(char(u >> 8));
    }
    return bytes;
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

// Puts the cell into its column; false for a draw number that is not a number.
bool putCell(ResultRow &row, int column, QStringView text)
{
    bool ok = true;
    switch (column) {
    case ResultsModel::Durchgang: row.Durchgang = text.trimmed().toInt(&ok); break;
    case ResultsModel::Spiel: row.Spiel = text.toString(); break;
    case ResultsModel::Gezogen: row.Gezogen = text.toString(); break;
    default: break; // cells beyond the three columns are dropped
    }
    return ok;
}
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
    ResultRow row;         // the row of the current line, once its first cell has ended
    bool numbered = false; // whether that row's draw number is a number
    int column = 0;        // column the next ended cell of this line fills
    bool quoted = false;
    qsizetype cellStart = 0; // a cell without quotes or CR is a piece of the text itself
    QString cell;            // else it is built here
    bool built = false;
    const auto cellText = [&](qsizetype end) {
        return built ? QStringView(cell) : text.sliced(cellStart, end - cellStart);
    };
    const auto endCell = [&](qsizetype end) {
        if (column == 0) {
            row = ResultRow{};
            numbered = putCell(row, column, cellText(end));
        } else {
            putCell(row, column, cellText(end));
        }
        ++column;
        cell.clear();
        built = false;
        cellStart = end + 1;
    };
    // A line whose draw number is not a number is no draw: a blank line, or a file that is
    // no draw log at all, would otherwise fill the table with draws numbered 0.
    const auto endRow = [&] {
        if (numbered)
            content.rows.append(std::move(row));
        else
            ++content.skippedLines;
        row = ResultRow{};
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
        if (!cellText(text.size()).isEmpty())
            putCell(row, column, cellText(text.size()));
        endRow();
    }
    return content;
}

SaveResult writeDrawLog(const QString &path, const QList<ResultRow> &rows)
{
    return saveFileAtomically(path, encodeDrawLog(rows));
}

std::optional<DrawLogContent> readDrawLog(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeDrawLog(file.readAll());
}

bool readDrawLog(const QString &path, QList<ResultRow> &rows)
{
    std::optional<DrawLogContent> content = readDrawLog(path);
    if (!content)
        return false;
    rows = std::move(content->rows);
    return true;
}
