#pragma once

#include "draw/entrypool.h"
#include "draw/mersenne.h"
#include "platform/savefile.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// The verifiable draw. Before the first draw of a segment the program takes a random seed,
// seeds a generator of its own from it and publishes the commitment: SHA-256 of the seed and
// the pool's fingerprint. Every draw then goes into the journal, one JSON object a line, each
// line carrying the SHA-256 of the line before it; when the segment closes, its seed is
// written there too. Anyone can then replay the segment and check every draw.

inline constexpr int SeedBytes = 32;

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
    // The hex SHA-256 of the last line written: the head of the chain.
    QByteArray chainHead() const { return m_prev; }

    // Opens the next segment: keeps the seed, then writes the segment's first line. The pass
    // and segment numbers of `start` are set here; its commitment must be filled in.
    SaveResult beginSegment(SegmentStart &start, const QByteArray &seed, const QDateTime &now);
    SaveResult appendDraw(qint32 draw, const QString &entry, const QString &prize,
                          const QDateTime &now);
    // Writes the open segment's seed and closes it.
    SaveResult reveal(const QDateTime &now);

private:
    SaveResult appendLine(QJsonObject object);

    QString m_path;
    QByteArray m_prev;
    qint32 m_lastPass = 0;
    qint32 m_lastSegment = 0;
    qint32 m_openPass = 0;
    QByteArray m_seed;
};

// Checks a journal: replays every revealed segment from its seed and pool with the program's
// own generator and draw step, and follows the chain of line hashes.
struct JournalCheck {
    bool ok = true;
    qint32 draws = 0;    // draws replayed and found as journaled
    qint32 segments = 0; // segments begun
    qint32 waiting = 0;  // draws of a last segment whose seed is not revealed yet
    bool cut = false;    // the last line was cut off unfinished
    qint64 badLine = 0;  // the first line that does not match, from 1
    QString reason;
    QStringList notes;

    // What the command prints.
    QString report() const;
};

// `listLines` are the lines of the draw list the segments drew from, when they drew from one.
JournalCheck verifyJournal(const QByteArray &journal, const QStringList *listLines = nullptr);

// tivrel --verify JOURNAL [LIST]: prints the report and returns the exit code.
int runVerifyCommand(const QString &journalPath, const QString &listPath);
