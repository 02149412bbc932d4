#pragma once

#include "draw/listfile.h"
#include "draw/passrecord.h"
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
// One row's line as the file holds it, CR LF included, without the byte-order mark.
QByteArray encodeDrawLogLine(const ResultRow &row);

// The content of the draw log kept between writes. A draw adds its row at the top or at the
// bottom of the table, so the next content is the previous one with one line put before or
// after the others; room is kept at both ends, so that costs the copy of that line alone
// instead of encoding every row again.
class DrawLogImage {
public:
    bool isValid() const { return m_valid; }
    // Forgets the content; the next write encodes the rows again.
    void invalidate();
    // The whole content, byte-order mark included, as encodeDrawLog gives it.
    void assign(const QByteArray &content);
    // A line put right behind the byte-order mark, or at the end.
    void addFirst(const QByteArray &line);
    void addLast(const QByteArray &line);
    // The content; it stays valid until the image next changes.
    QByteArray content() const;

private:
    // Moves the content into a new store with `front` and `back` bytes of room around it.
    void relocate(qsizetype front, qsizetype back);

    QByteArray m_store;
    qsizetype m_begin = 0; // the content is m_store[m_begin, m_end)
    qsizetype m_end = 0;
    bool m_valid = false;
};

// The draw log as the pass's record: the file at `path`, its content kept between draws, so a
// draw that adds its row at the top or the bottom of the table writes the previous content
// with one line more; any other change encodes the rows again.
class DrawLogFile final : public PassRecord {
public:
    explicit DrawLogFile(QString path) : m_path(std::move(path)) {}
    QString path() const { return m_path; }
    void rowsReplaced() override { m_image.invalidate(); }
    void rowAdded(const ResultRow &row, qsizetype place, qsizetype rowCount) override;
    SaveResult write(const ResultRows &rows) override;
    bool pending() const override { return m_pending.has_value(); }
    SaveResult writePending() override;
    SaveResult writeCopy(const QString &path, const ResultRows &rows) const override;

private:
    QString m_path;
    DrawLogImage m_image;
    std::optional<QByteArray> m_pending; // a failed write's content, until it is kept
};

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

// The largest draw log a pass can write, and the bound it is read within: 999,999 rows (the
// most a pass can draw), each framed by a draw number of up to ten digits, two commas, two
// pairs of quotes and CR LF; the entries and prize texts of all rows come from a draw list and
// a prize list of at most MaxListFileBytes each, and each of their bytes takes at most two
// UTF-16 units (a quote is doubled) of two bytes.
inline constexpr qint64 MaxDrawLogBytes =
    2 + qint64(MaxListLines) * 2 * (10 + 2 + 4 + 2) + 2 * (2 * 2 * MaxListFileBytes);

// Reads the log at `path`; nothing when there is no such file or it cannot be read. A file that
// is not a plain file, or is larger than MaxDrawLogBytes, is not read: `refusal` (when given)
// then gets the operator's message naming the file and the reason.
std::optional<DrawLogContent> readDrawLog(const QString &path, QString *refusal = nullptr);
// The same, the rows only; false when there is no such file or it cannot be read.
bool readDrawLog(const QString &path, ResultRows &rows);
