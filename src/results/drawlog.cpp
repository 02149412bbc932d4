#include "results/drawlog.h"

#include "localisation/codepage.h"
#include "platform/savefile.h"

#include <QFile>
#include <QStringDecoder>
#include <QSysInfo>

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

void putCell(ResultRow &row, int column, const QString &text)
{
    switch (column) {
    case ResultsModel::Durchgang: row.Durchgang = text.trimmed().toInt(); break;
    case ResultsModel::Spiel: row.Spiel = text; break;
    case ResultsModel::Gezogen: row.Gezogen = text; break;
    default: break; // cells beyond the three columns are dropped
    }
}
} // namespace

QList<ResultRow> decodeDrawLog(const QByteArray &content)
{
    const QString text = decodeText(content);
    QList<ResultRow> rows;
    QString cell;
    int column = 0; // column the next ended cell of this line fills
    bool quoted = false;
    const auto endCell = [&] {
        if (column == 0)
            rows.append(ResultRow{});
        putCell(rows.last(), column, cell);
        ++column;
        cell.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            if (quoted && i + 1 < text.size() && text.at(i + 1) == u'"') {
                cell += u'"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == u',' && !quoted) {
            endCell();
        } else if (c == u'\r') {
            continue;
        } else if (c == u'\n') {
            endCell();
            column = 0;
            quoted = false;
        } else {
            cell += c;
        }
    }
    // Text after the last line end becomes the next cell of the last row.
    if (!cell.isEmpty() && !rows.isEmpty())
        putCell(rows.last(), column == 0 ? ResultsModel::ColumnCount : column, cell);
    return rows;
}

SaveResult writeDrawLog(const QString &path, const QList<ResultRow> &rows)
{
    return saveFileAtomically(path, encodeDrawLog(rows));
}

bool readDrawLog(const QString &path, QList<ResultRow> &rows)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    rows = decodeDrawLog(file.readAll());
    return true;
}
