#pragma once

#include "draw/resultrows.h"
#include "platform/savefile.h"
#include "results/resultsmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The draw log: the results table of the current pass, one line per row in display order,
// three comma-separated cells (Durchgang, Spiel, Gezogen), UTF-16LE with a byte-order mark and
// CR LF line ends. A cell holding a comma or a double quote is quoted, its quotes doubled.

// One cell as written: quotes doubled, CR written as "|", LF left out, quoted when needed.
QString encodeDrawLogCell(const QString &text);
// The whole file content, byte-order mark included.
QByteArray encodeDrawLog(const ResultRows &rows);
// What a draw log holds: its rows, and how many lines were left out because their draw
// number is not a number (blank lines, a hand-edited or foreign file).
struct DrawLogContent {
    ResultRows rows;
    int skippedLines = 0;
};

// The rows of a log file's content. UTF-16 by its byte-order mark, else 8-bit text (UTF-8 when
// valid, else Windows-1252). A "|" reads as itself: no cell the program writes holds a line break.
DrawLogContent decodeDrawLog(const QByteArray &content);

// Replaces the file at `path` with the rows. The file on disk holds either its previous
// content or the complete new table, never a part: the table goes to a new file beside it,
// which is flushed to the disk and then takes the old file's place.
SaveResult writeDrawLog(const QString &path, const ResultRows &rows);

// Reads the log at `path`; nothing when there is no such file or it cannot be read.
std::optional<DrawLogContent> readDrawLog(const QString &path);
// The same, the rows only; false when there is no such file or it cannot be read.
bool readDrawLog(const QString &path, ResultRows &rows);
