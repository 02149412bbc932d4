#pragma once

#include "platform/boundedread.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Draw lists and prize lists: text files with one entry per line.
//
// A line ends at CR LF, a lone LF or a lone CR; a final line end adds no entry. Lines are taken
// whole (no trimming, no comments, empty lines are entries). The text ends at the first NUL.
// The bytes are 8-bit text, read as UTF-8 when they are valid UTF-8 and as Windows-1252
// otherwise; a UTF-8 byte-order mark is dropped.

// The most entries a draw list may hold: the largest value the range accepts.
inline constexpr qint32 MaxListLines = 999999;
// Larger files are refused before they are read.
inline constexpr qint64 MaxListFileBytes = qint64(128) * 1024 * 1024;

enum class ListFileError {
    None,
    Missing,      // no such file (or a folder)
    NotReadable,  // exists but could not be opened or read
    TooManyLines, // more entries than the limit
    NotText,      // control characters or data after the end of the text: not a list
    TooLarge,     // over MaxListFileBytes
    NotAFile,     // a folder, a pipe or a device: not read at all (`refusal` says which)
};

struct ListFileResult {
    QStringList lines;
    ListFileError error = ListFileError::None;
    QString detail;   // the system's reason when the file was not readable
    QString encoding; // how the bytes were read: "ASCII", "UTF-8" or "Windows-1252"
    ReadRefusal refusal = ReadRefusal::None; // what stood in the file's place, for NotAFile
    // Read as Windows-1252, the file still holds lines saved as UTF-8: the first of them.
    qint64 mixedLine = 0;

    bool ok() const { return error == ListFileError::None; }
};

// An 8-bit text as every list file is read: a NUL ends it, a UTF-8 byte-order mark is dropped,
// control characters other than tab, line and page ends make it no text (error NotText).
struct ListText {
    QString text;
    QString encoding;
    qint64 mixedLine = 0; // as in ListFileResult
    ListFileError error = ListFileError::None;
};
ListText decodeListText(const QByteArray &bytes);

// The entries of a list held in memory. `maxLines` < 0 means no limit on entries.
ListFileResult parseListText(const QByteArray &bytes, qint32 maxLines = MaxListLines);

// Reads a list file. The size is checked before anything is read, so a huge or endless file
// is refused at once.
ListFileResult readListFile(const QString &path, qint32 maxLines = MaxListLines,
                            qint64 maxBytes = MaxListFileBytes);

// The bytes of a list file, with the checks of readListFile; on failure `result` holds the
// reason and the bytes are empty.
QByteArray readListBytes(const QString &path, ListFileResult &result,
                         qint64 maxBytes = MaxListFileBytes);

// The operator's message for a list that could not be read; `name` is how the message names
// the file (its stored path), `kind` what it is (the word for a draw list or a prize list).
QString listFileMessage(const ListFileResult &result, const QString &name, const QString &kind);

// A stored list path counts as set when its text compares greater than a single blank.
bool listPathSet(const QString &stored);

// Where a stored path points: an absolute path stands for itself, anything else is looked up
// in the program folder (given with its trailing '/').
QString resolveListPath(const QString &programFolder, const QString &stored);

// The text to store for a file chosen in the dialog: relative to the program folder when the
// file lies in it or below it, else the absolute path, so that the file is found again.
QString storedListPath(const QString &programFolder, const QString &chosenFile);

// The text the number display may paint for a list entry: with `fromFile` and a display length
// above 0 the first `displayLength` characters; never more than MaxPaintedChars, so a line of
// a megabyte cannot stall the painting. Surrogate pairs are not split.
inline constexpr qsizetype MaxPaintedChars = 4096;
QString paintedEntryText(const QString &entry, bool fromFile, int displayLength);
