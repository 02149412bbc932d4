#include "presentation/waveimage.h"

#include "platform/boundedread.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace {

constexpr quint16 TagPcm = 0x0001;
constexpr quint16 TagFloat = 0x0003;
constexpr quint16 TagExtensible = 0xFFFE;

quint16 le16(QByteArrayView image, qsizetype at)
{
    return qFromLittleEndian<quint16>(image.data() + at);
}

quint32 le32(QByteArrayView image, qsizetype at)
{
    return qFromLittleEndian<quint32>(image.data() + at);
}

bool hasId(QByteArrayView image, qsizetype at, const char (&id)[5])
{
    return image.sliced(at, 4) == QByteArrayView(id, 4);
}

WaveEncoding encodingOf(quint16 tag)
{
    switch (tag) {
    case TagPcm: return WaveEncoding::Pcm;
    case TagFloat: return WaveEncoding::Float;
    default: return WaveEncoding::Other;
    }
}

// Reads the "fmt " chunk body of the given size at offset.
WaveError readFormat(QByteArrayView image, qsizetype at, qsizetype size, WaveFormat &format)
{
    if (size < 16)
        return WaveError::BadFormat;
    format.formatTag = le16(image, at);
    format.channels = le16(image, at + 2);
    format.sampleRate = le32(image, at + 4);
    format.byteRate = le32(image, at + 8);
    format.blockAlign = le16(image, at + 12);
    format.bitsPerSample = le16(image, at + 14);
    quint16 tag = format.formatTag;
    // WAVE_FORMAT_EXTENSIBLE names its real format in the first two bytes of its sub-format.
    if (tag == TagExtensible && size >= 40)
        tag = le16(image, at + 24);
    format.encoding = encodingOf(tag);
    if (format.channels == 0 || format.sampleRate == 0 || format.blockAlign == 0)
        return WaveError::BadFormat;
    if (format.encoding == WaveEncoding::Other)
        return WaveError::None; // compressed formats have their own block sizes
    const quint32 bytesPerSample = (format.bitsPerSample + 7u) / 8u;
    if (bytesPerSample == 0 || format.blockAlign != format.channels * bytesPerSample ||
        format.byteRate != quint64{format.sampleRate} * format.blockAlign)
        return WaveError::BadFormat;
    return WaveError::None;
}

} // namespace

WaveParseResult parseWaveImage(QByteArrayView image)
{
    WaveParseResult result;
    const qsizetype size = image.size();
    if (size < 4 || !hasId(image, 0, "RIFF"))
        return {{}, WaveError::NotRiff};
    if (size < 12)
        return {{}, WaveError::Truncated};
    if (!hasId(image, 8, "WAVE"))
        return {{}, WaveError::NotRiff};
    const qint64 riffEnd = qint64{8} + le32(image, 4);
    if (riffEnd > size || riffEnd < 12)
        return {{}, WaveError::Truncated};

    bool haveFormat = false;
    bool haveData = false;
    qint64 at = 12;
    while (at + 8 <= riffEnd) {
        const qint64 body = at + 8;
        const qint64 chunkSize = le32(image, at + 4);
        if (body + chunkSize > riffEnd)
            return {{}, WaveError::Truncated};
        if (!haveFormat && hasId(image, at, "fmt ")) {
            const WaveError error = readFormat(image, body, chunkSize, result.layout.format);
            if (error != WaveError::None)
                return {{}, error};
            haveFormat = true;
        } else if (!haveData && hasId(image, at, "data")) {
            result.layout.dataOffset = body;
            result.layout.dataSize = chunkSize;
            haveData = true;
        }
        at = body + chunkSize + (chunkSize & 1); // chunks are padded to even sizes
    }
    if (at < riffEnd) // the RIFF chunk ends inside a chunk header
        return {{}, WaveError::Truncated};
    if (!haveFormat)
        return {{}, WaveError::BadFormat};
    if (!haveData)
        return {{}, WaveError::NoData};
    // A last frame cut in half is dropped rather than played as noise.
    WaveLayout &layout = result.layout;
    layout.dataSize -= layout.dataSize % layout.format.blockAlign;
    if (layout.dataSize == 0)
        return {{}, WaveError::NoData};
    return result;
}

WaveFileResult readWaveFile(const QString &path, qsizetype maxSize)
{
    // A plain file within the bound only: a pipe or a device is refused before it is read.
    FileRead read = readFileBounded(path, maxSize);
    if (read.refusal == ReadRefusal::TooLarge)
        return {{}, {}, WaveError::TooLarge};
    if (!read.ok())
        return {{}, {}, WaveError::Missing};
    QByteArray image = std::move(read.bytes);
    const WaveParseResult parsed = parseWaveImage(image);
    if (!parsed.ok())
        return {{}, {}, parsed.error};
    return {std::move(image), parsed.layout, WaveError::None};
}

QByteArray builtInWave(const QString &name)
{
    const QDir folder(QStringLiteral(":/WAVE"));
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QFile file(folder.filePath(entry));
        if (file.open(QIODevice::ReadOnly))
            return file.readAll();
    }
    return {};
}
