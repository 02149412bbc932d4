#include "localisation/codepage.h"

#include <QStringDecoder>

namespace {

// Unicode for the bytes 0x80..0x9F of Windows-1252; the other bytes equal Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

quint32 CodePageOfLanguage(quint16 languageId)
{
    Q_UNUSED(languageId)
    return CodePageUtf8;
}

QString DecodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kWindows1252High[byte - 0x80])
                                                : QChar(char16_t(byte));
    }
    return text;
}

QString DecodeEightBitText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeWindows1252(bytes) : text;
}

QString DecodeAnsiText(const QByteArray &bytes, quint32 codePage)
{
    switch (codePage) {
    case CodePageWindows1252: return DecodeWindows1252(bytes);
    case CodePageLatin1: return QString::fromLatin1(bytes);
    default: return DecodeEightBitText(bytes);
    }
}
