#include "draw/listfile.h"

#include "localisation/codepage.h"
#include "localisation/filerefusal.h"
#include "localisation/uitext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Control bytes a text file may hold: tab, the line and page ends, and the old end-of-file
// mark some editors still append.
bool allowedControl(unsigned char byte)
{
    return byte == '\t' || byte == '\n' || byte == '\v' || byte == '\f' || byte == '\r' ||
           byte == 0x1A;
}

// True when the bytes hold no control character a text would not hold.
bool looksLikeText(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if ((byte < 0x20 && !allowedControl(byte)) || byte == 0x7F)
            return false;
    }
    return true;
}

bool onlyNulBytes(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] != '\0')
            return false;
    }
    return true;
}

// Entries in the text: one per line end, plus a last line without one.
qsizetype countLines(const char *data, qsizetype size)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            ++count;
        } else if (data[i] == '\r') {
            ++count;
            if (i + 1 < size && data[i + 1] == '\n')
                ++i;
        }
    }
    const char last = size > 0 ? data[size - 1] : '\n';
    return count + (last != '\n' && last != '\r' ? 1 : 0);
}

// The bytes of the text itself, without what a NUL ends and without a byte-order mark; nothing
// when the bytes are no 8-bit text. The result points into `bytes`.
std::optional<QByteArray> textBytes(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype size = bytes.size();
    // A NUL ends the text. Only NUL padding may follow it: anything else after a NUL is how
    // binary files and 16-bit text look, not an 8-bit list.
    if (const void *nul = std::memchr(data, 0, size_t(size))) {
        const qsizetype end = static_cast<const char *>(nul) - data;
        if (!onlyNulBytes(data + end, size - end))
            return std::nullopt;
        size = end;
    }
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) {
        data += 3;
        size -= 3;
    }
    if (!looksLikeText(data, size))
        return std::nullopt;
    return QByteArray::fromRawData(data, size);
}

// The first line (counted as the entries are) whose bytes beyond ASCII are valid UTF-8, or 0:
// in a file read as Windows-1252 such a line was saved as UTF-8 and reads garbled ("JÃ¼rgen").
qint64 firstUtf8Line(const QByteArray &raw)
{
    const char *data = raw.constData();
    const qsizetype size = raw.size();
    qint64 line = 1;
    qsizetype start = 0;
    bool high = false;
    for (qsizetype i = 0; i <= size; ++i) {
        const char c = i < size ? data[i] : '\n';
        if (c != '\n' && c != '\r') {
            high = high || static_cast<unsigned char>(c) >= 0x80;
            continue;
        }
        if (high) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = utf8.decode(QByteArrayView(data + start, i - start));
            if (!utf8.hasError())
                return line;
        }
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        ++line;
        start = i + 1;
        high = false;
    }
    return 0;
}

// Valid UTF-8 as UTF-8, anything else as Windows-1252; the name of what was read, and the
// first line that was saved as UTF-8 when the file as a whole is no UTF-8.
void decodeInto(const QByteArray &raw, QString &text, QString &encoding, qint64 &mixedLine)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8.decode(raw);
    mixedLine = 0;
    if (utf8.hasError()) {
        text = DecodeWindows1252(raw);
        encoding = QStringLiteral("Windows-1252");
        mixedLine = firstUtf8Line(raw);
        return;
    }
    const bool ascii = std::all_of(raw.begin(), raw.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    encoding = ascii ? QStringLiteral("ASCII") : QStringLiteral("UTF-8");
}
} // namespace

ListText decodeListText(const QByteArray &bytes)
{
    ListText result;
    const std::optional<QByteArray> raw = textBytes(bytes);
    if (!raw)
        result.error = ListFileError::NotText;
    else
        decodeInto(*raw, result.text, result.encoding, result.mixedLine);
    return result;
}

ListFileResult parseListText(const QByteArray &bytes, qint32 maxLines)
{
    ListFileResult result;
    const std::optional<QByteArray> raw = textBytes(bytes);
    if (!raw) {
        result.error = ListFileError::NotText;
        return result;
    }
    // Count the entries on the bytes first (line ends are the same bytes in both encodings),
    // so an overlong list is refused before anything is decoded.
    const qsizetype entries = countLines(raw->constData(), raw->size());
    if (maxLines >= 0 && entries > maxLines) {
        result.error = ListFileError::TooManyLines;
        return result;
    }
    QString text;
    decodeInto(*raw, text, result.encoding, result.mixedLine);

    QStringList &lines = result.lines;
    lines.reserve(entries);
    const QChar *chars = text.constData();
    const qsizetype length = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = chars[i].unicode();
        if (c != u'\n' && c != u'\r')
            continue;
        lines.append(QString(chars + start, i - start));
        if (c == u'\r' && i + 1 < length && chars[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    // A last line without its line end is an entry too; a final line end adds nothing.
    if (start < length)
        lines.append(QString(chars + start, length - start));
    return result;
}

QByteArray readListBytes(const QString &path, ListFileResult &result, qint64 maxBytes)
{
    // Only a plain file is read, and only within the bound: a pipe or a device in the list's
    // place is refused at once instead of holding the program.
    FileRead read = readFileBounded(path, maxBytes);
    switch (read.refusal) {
    case ReadRefusal::None: return std::move(read.bytes);
    case ReadRefusal::Missing: result.error = ListFileError::Missing; break;
    case ReadRefusal::TooLarge: result.error = ListFileError::TooLarge; break;
    case ReadRefusal::Unreadable:
        result.error = ListFileError::NotReadable;
        result.detail = read.detail;
        break;
    case ReadRefusal::Folder:
    case ReadRefusal::Pipe:
    case ReadRefusal::Device:
        result.error = ListFileError::NotAFile;
        result.refusal = read.refusal;
        break;
    }
    return {};
}

ListFileResult readListFile(const QString &path, qint32 maxLines, qint64 maxBytes)
{
    ListFileResult result;
    const QByteArray bytes = readListBytes(path, result, maxBytes);
    if (!result.ok())
        return result;
    return parseListText(bytes, maxLines);
}

QString listFileMessage(const ListFileResult &result, const QString &name, const QString &kind)
{
    switch (result.error) {
    case ListFileError::None: return {};
    case ListFileError::Missing: return lngFormat("HinweisDateiNichtGeladen", {kind, name});
    case ListFileError::NotReadable:
        return lngFormat("HinweisDateiNichtGeladen", {kind, name}) + QStringLiteral("\r\n(") +
               result.detail + QLatin1Char(')');
    case ListFileError::TooManyLines: {
        const QString limit = QString::number(MaxListLines);
        return lngFormat("HinweisListeZuLang", {name, limit, limit});
    }
    case ListFileError::NotText: return lngFormat("HinweisListeKeinText", {name});
    case ListFileError::TooLarge:
        return lngFormat("HinweisListeZuGross",
                         {name, QString::number(MaxListFileBytes / (1024 * 1024))});
    case ListFileError::NotAFile:
        return lngFormat("HinweisDateiNichtGelesen", {name, fileRefusalReason(result.refusal, 0)});
    }
    return {};
}

bool listPathSet(const QString &stored)
{
    return QString::compare(stored, QStringLiteral(" "), Qt::CaseSensitive) > 0;
}

QString resolveListPath(const QString &programFolder, const QString &stored)
{
    if (QDir::isAbsolutePath(stored))
        return stored;
    return programFolder + stored;
}

QString storedListPath(const QString &programFolder, const QString &chosenFile)
{
    const QString file = QDir::cleanPath(QFileInfo(chosenFile).absoluteFilePath());
    const QString relative = QDir(programFolder).relativeFilePath(file);
    if (relative.startsWith(QStringLiteral("../")) || relative == QStringLiteral("..") ||
        QDir::isAbsolutePath(relative))
        return QDir::toNativeSeparators(file);
    return QDir::toNativeSeparators(relative);
}

QString paintedEntryText(const QString &entry, bool fromFile, int displayLength)
{
    qsizetype shown = entry.size();
    if (fromFile && displayLength > 0)
        shown = qMin(shown, qsizetype(displayLength));
    shown = qMin(shown, MaxPaintedChars);
    if (shown == entry.size())
        return entry;
    if (shown > 0 && entry.at(shown - 1).isHighSurrogate())
        --shown;
    return entry.left(shown);
}
