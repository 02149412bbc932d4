#pragma once

#include "draw/csvlist.h"
#include "draw/entrypool.h"
#include "draw/mersenne.h"
#include "platform/savefile.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The verifiable draw. Before the first draw of a segment the program takes a random seed,
// seeds a generator of its own from it and publishes the commitment: SHA-256 of the seed and
// the pool's fingerprint. Every draw then goes into the journal, one JSON object a line, each
// line carrying the SHA-256 of the line before it; when the segment closes, its seed is
// written there too. Anyone can then replay the segment and check every draw.

inline constexpr int SeedBytes = 32;

// The journal's format, recorded in every segment's first line. Format 1 (no "format" field)
// turned a generator word into an index through a floating-point unit value; format 2 maps it
// in exact integer arithmetic and anchors each segment: its reveal records how many draws it
// made and the hash of its last line, and the next segment records the hash of that reveal.
inline constexpr int JournalFormat = 2;

// The pool a segment draws from, as its first line records it.
struct PoolSource {
    bool list = false;
    // A number range.
    qint32 minimum = 0;
    qint32 maximum = 0;
    bool zeros = false;
    // A draw list: its number of lines and the SHA-256 of its lines.
    qint32 lines = 0;
    QByteArray listDigest;
    // A CSV list: the layout its entries were read with (the separator as found in the file).
    std::optional<CsvLayout> csv;
};

// The first line of a segment.
struct SegmentStart {
    qint32 pass = 1;
    qint32 segment = 1;
    PoolSource source;
    qint32 quota = 0;
    // The entries drawn earlier in this pass, in the order the results hold them; the pool
    // starts without them.
    QStringList drawn;
    QByteArray commitment; // 32 bytes
    // A word called out by the audience just before the segment began; it joins the seed, so
    // no seed could have been chosen before it was known. May be empty.
    QString word;
    int format = JournalFormat;
    // The hex hash of the journal's last reveal line before this segment; all zeros for none.
    QByteArray after;
};

// The seed a segment draws with: the random bytes alone, or with an audience word the SHA-256
// of the random bytes followed by the word as UTF-8. The journal reveals the random bytes.
QByteArray seedWithWord(const QByteArray &random, const QString &word);
// SHA-256 of the pool's entries in order (each as UTF-8 ended by a line feed) and the quota.
QByteArray poolFingerprint(const QStringList &entries, qint32 quota);
// SHA-256 of the seed followed by the fingerprint.
QByteArray commitmentOf(const QByteArray &seed, const QByteArray &fingerprint);
// SHA-256 of a draw list's lines, as the fingerprint writes entries.
QByteArray listDigest(const QStringList &lines);
// Seeds the generator from the seed's bytes, read as little-endian 32-bit words.
void seedCommitted(TRNGenerator &generator, const QByteArray &seed);
// The index of a committed draw in a pool of `poolSize` entries, as the segment's format maps
// generator words: format 2 takes the first word below the largest multiple of the pool size
// that fits in 32 bits and uses its remainder (no bias, no floating point); format 1 goes
// through the unit value as the ordinary draw does.
qsizetype committedIndex(TRNGenerator &generator, qsizetype poolSize, int format);
// The pool a segment starts with: its source, without the entries drawn earlier.
EntryPool segmentPool(const SegmentStart &start, const QStringList &listLines);
// Bytes as the window shows them: hex digits in groups of eight.
QString groupedHex(const QByteArray &commitment);

// The journal's lines.
QJsonObject segmentStartObject(const SegmentStart &start);
SegmentStart segmentStartOf(const QJsonObject &object);
// The hex SHA-256 of a line (without its line feed); all zeros before the first line.
QByteArray lineHash(const QByteArray &line);
QByteArray firstPrev();

// The bound the journal is read within: 999,999 draw lines of up to 256 bytes besides their
// entry (numbers, hashes, the time), and the entries twice (drawn, and listed again when a
// segment begins), which come from a draw list of at most MaxListFileBytes, each byte at most
// three bytes of JSON text.
inline constexpr qint64 MaxJournalBytes = qint64(999999) * 256 + 2 * 3 * (qint64(128) << 20);

// Writes the journal. Each line is written, flushed and synced before the call returns. The seed
// of the open segment is kept in a file beside the journal until it is revealed, so a segment
// that a crash left open is revealed by the next run.
class DrawJournal {
public:
    explicit DrawJournal(QString path);

    QString path() const { return m_path; }
    QString seedPath() const { return m_path + QStringLiteral(".seed"); }

    // Reads the journal's end: a last line that a crash left unfinished is cut off (it was
    // never shown), and a segment the last run left open is revealed from the kept seed.
    SaveResult open(const QDateTime &now);

    bool segmentOpen() const { return !m_seed.isEmpty(); }
    qint32 lastPass() const { return m_lastPass; }
    qint32 lastSegment() const { return m_lastSegment; }
    QByteArray seed() const { return m_seed; }
    // The outcome of the last line written.
    SaveResult lastWrite() const { return m_lastWrite; }
    // The hex SHA-256 of the last line written: the head of the chain.
    QByteArray chainHead() const { return m_prev; }

    // Opens the next segment: keeps the seed, then writes the segment's first line. The pass
    // and segment numbers of `start` are set here; its commitment must be filled in.
    SaveResult beginSegment(SegmentStart &start, const QByteArray &seed, const QDateTime &now);
    // A draw: its count in the pass, the number of its row (when the autopilot counts down it
    // differs from the count), the entry and the prize.
    SaveResult appendDraw(qint32 draw, qint32 row, const QString &entry, const QString &prize,
                          const QDateTime &now);
    // Writes the open segment's seed, with how many draws it made and the hash of its last
    // line, and closes it.
    SaveResult reveal(const QDateTime &now);

    // The draws the journal holds for its last pass, as open() read them and appendDraw wrote
    // them since, with the entries its first segment recorded as drawn before it.
    struct PassDraw {
        qint32 draw = 0;
        qint32 row = 0;
        QString entry;
        QString prize;
        QByteArray hash; // the hex hash of its line: the chain's head after this draw
    };
    const QList<PassDraw> &lastPassDraws() const { return m_passDraws; }
    const SegmentStart &lastSegmentStart() const { return m_lastStart; }
    // The chain head after the last pass's draw of `entry`; empty when it holds none.
    QByteArray chainHead(const QString &entry) const;
    // The draws of the last pass that a segment of it recorded as drawn before it began (the
    // first segment's drawn entries, from the draw log), excluding journaled ones.
    const QStringList &lastPassEarlier() const { return m_passEarlier; }

private:
    SaveResult appendLine(QJsonObject object);
    void readLine(const QByteArray &line, const QJsonObject &object, bool &revealed);

    QString m_path;
    QByteArray m_prev;
    SaveResult m_lastWrite;
    qint64 m_size = 0;         // bytes of whole lines in the file
    QByteArray m_lastReveal;   // hex hash of the last reveal line
    qint32 m_segmentDraws = 0; // draws of the open (or last) segment
    SegmentStart m_lastStart;
    QList<PassDraw> m_passDraws;
    QStringList m_passEarlier;
    qint32 m_lastPass = 0;
    qint32 m_lastSegment = 0;
    qint32 m_openPass = 0;
    QByteArray m_seed;
};

// Checks a journal: replays every revealed segment from its seed and pool with the program's
// own generator and draw step, and follows the chain of line hashes.
struct JournalCheck {
    enum class Verdict { Verified, Failed, Incomplete };
    bool ok = true;      // no line failed
    qint32 draws = 0;    // draws replayed and found as journaled
    qint32 segments = 0; // segments begun
    qint32 waiting = 0;  // draws of a last segment whose seed is not revealed yet
    bool cut = false;    // the last line was cut off unfinished
    bool open = false;   // the last segment's seed is not revealed
    qint64 badLine = 0;  // the first line that does not match, from 1; 0: not a journal file
    QString reason;
    QStringList notes;

    // Verified only when no line failed, every segment was revealed and there was a segment.
    Verdict verdict() const;
    // 0 verified, 1 failed, 2 incomplete.
    int exitCode() const;
    // What the command prints.
    QString report() const;
};

// The entries of the draw list a segment drew from, read as its source records it; none when
// the list cannot be read that way.
using ListReader = std::function<std::optional<QStringList>(const PoolSource &source)>;

// `listLines` are the entries of the draw list the segments drew from, when they drew from
// one; `readList`, when given, reads them for each segment instead.
JournalCheck verifyJournal(const QByteArray &journal, const QStringList *listLines = nullptr,
                           const ListReader &readList = {});

// The bytes of a journal file for the verifier: a symbolic link, anything but a plain file
// (a FIFO would block the reading), and bytes no journal holds (NUL) are refused, with the
// reason in `error`.
std::optional<QByteArray> readJournalFile(const QString &path, QString &error);

// Checks the journal file at `journalPath` (readJournalFile; a refused file fails with line 0)
// with the draw list at `listPath`, when given.
JournalCheck verifyJournalFile(const QString &journalPath, const QString &listPath);

// tivrel --verify JOURNAL [LIST]: prints the report and returns the exit code (exitCode()).
int runVerifyCommand(const QString &journalPath, const QString &listPath);
