#include "draw/listfile.h"

#include "localisation/codepage.h"
#include "localisation/uitext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

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

} // namespace

ListFileResult parseListText(const QByteArray &bytes, qint32 maxLines)
{
    ListFileResult result;
    const char *data = bytes.constData();
    qsizetype size = bytes.size();
    // A NUL ends the text. Only NUL padding may follow it: anything else after a NUL is how
    // binary files and 16-bit text look, not an 8-bit list.
    if (const void *nul = std::memchr(data, 0, size_t(size))) {
        const qsizetype end = static_cast<const char *>(nul) - data;
        if (!onlyNulBytes(data + end, size - end)) {
            result.error = ListFileError::NotText;
            return result;
        }
        size = end;
    }
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) {
        data += 3;
        size -= 3;
    }
    if (!looksLikeText(data, size)) {
        result.error = ListFileError::NotText;
        return result;
    }
    // Count the entries on the bytes first (line ends are the same bytes in both encodings),
    // so an overlong list is refused before anything is decoded.
    const qsizetype entries = countLines(data, size);
    if (maxLines >= 0 && entries > maxLines) {
        result.error = ListFileError::TooManyLines;
        return result;
    }
    const QString text = DecodeEightBitText(QByteArray::fromRawData(data, size));

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

ListFileResult readListFile(const QString &path, qint32 maxLines, qint64 maxBytes)
{
    ListFileResult result;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir()) {
        result.error = ListFileError::Missing;
        return result;
    }
    // Regular files tell their size; devices and pipes are cut off while reading.
    if (info.isFile() && info.size() > maxBytes) {
        result.error = ListFileError::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = ListFileError::NotReadable;
        result.detail = file.errorString();
        return result;
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(qMin(info.size(), maxBytes)));
    constexpr qint64 Chunk = 1 << 20;
    for (;;) {
        const qint64 want = qMin(Chunk, maxBytes + 1 - qint64(bytes.size()));
        const qsizetype before = bytes.size();
        bytes.resize(before + qsizetype(want));
        const qint64 got = file.read(bytes.data() + before, want);
        if (got < 0) {
            result.error = ListFileError::NotReadable;
            result.detail = file.errorString();
            return result;
        }
        bytes.resize(before + qsizetype(got));
        if (bytes.size() > maxBytes) {
            result.error = ListFileError::TooLarge;
            return result;
        }
        if (got == 0)
            break;
    }
    return parseListText(bytes, maxLines);
}

QString listFileMessage(const ListFileResult &result, const QString &name)
{
    switch (result.error) {
    case ListFileError::None: return {};
    case ListFileError::Missing: return lngFormat("HinweisDateiNichtGefunden", {name});
    case ListFileError::NotReadable:
        return lngFormat("HinweisDateiNichtGefunden", {name}) + QStringLiteral("\r\n(") +
               result.detail + QLatin1Char(')');
    case ListFileError::TooManyLines: {
        const QString limit = QString::number(MaxListLines);
        return lngFormat("HinweisListeZuLang", {name, limit, limit});
    }
    case ListFileError::NotText: return lngFormat("HinweisListeKeinText", {name});
    case ListFileError::TooLarge:
        return lngFormat("HinweisListeZuGross",
                         {name, QString::number(MaxListFileBytes / (1024 * 1024))});
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
