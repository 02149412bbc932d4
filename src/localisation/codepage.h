#pragma once

#include <QByteArray>
#include <QString>

// 8-bit text: Windows code page numbers for the encodings the program meets.
inline constexpr quint32 CodePageWindows1252 = 1252;
inline constexpr quint32 CodePageLatin1 = 28591;
inline constexpr quint32 CodePageUtf8 = 65001;

// The 8-bit code page used for texts of a language. This program keeps its texts
// in the system's 8-bit encoding, which on the desktops it runs on is UTF-8 for
// every language.
quint32 CodePageOfLanguage(quint16 languageId);

// Decodes 8-bit text of the given code page. For UTF-8 (and any code page we do
// not know) bytes that are valid UTF-8 are read as UTF-8 and anything else as
// Windows-1252, so texts made on either kind of system read right.
QString DecodeAnsiText(const QByteArray &bytes, quint32 codePage);

// The program's one reader of 8-bit text files (lists, settings, logs without a byte-order
// mark): valid UTF-8 as UTF-8, anything else as Windows-1252.
QString DecodeEightBitText(const QByteArray &bytes);

// Windows-1252 to Unicode; the five bytes without a character map to the C1
// controls of the same value, as Windows' own conversion does.
QString DecodeWindows1252(const QByteArray &bytes);
