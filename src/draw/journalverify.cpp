// The replay of a journal: every segment from its revealed seed and its pool, with the same
// generator and mapping the program draws with.

#include "draw/csvlist.h"
#include "draw/drawjournal.h"
#include "draw/listfile.h"
#include "platform/boundedread.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

struct Segment {
    SegmentStart start;
    qint64 line = 0;
    EntryPool pool;
    std::optional<TRNGenerator> generator; // without a revealed seed that fits: no replay
    qint32 draws = 0;
    qint64 lastDrawLine = 0;
};

struct Journaled {
    QString entry;
    qint64 line;
};

QString text(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

// A hash or seed as the journal writes them: lowercase hex digits, nothing else.
bool isHex(const QString &value, qsizetype digits)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]*$"));
    return value.size() == digits && hex.match(value).hasMatch();
}

} // namespace

JournalCheck::Verdict JournalCheck::verdict() const
{
    if (!ok)
        return Verdict::Failed;
    return open ? Verdict::Incomplete : Verdict::Verified;
}

int JournalCheck::exitCode() const
{
    switch (verdict()) {
    case Verdict::Verified: return 0;
    case Verdict::Failed: return 1;
    case Verdict::Incomplete: return 2;
    }
    return 1;
}

QString JournalCheck::report() const
{
    QString out;
    for (const QString &note : notes)
        out += QStringLiteral("note: ") + note + QLatin1Char('\n');
    switch (verdict()) {
    case Verdict::Failed:
        if (badLine == 0)
            return out + QStringLiteral("not a journal: %1\n").arg(reason);
        return out + QStringLiteral("line %1: %2\n").arg(badLine).arg(reason);
    case Verdict::Incomplete:
        return out + QStringLiteral("incomplete: %1 draws verified, %2 wait for a seed that is "
                                    "not revealed\n")
                         .arg(draws)
                         .arg(waiting);
    case Verdict::Verified: break;
    }
    return out + QStringLiteral("verified: %1 draws in %2 segments\n").arg(draws).arg(segments);
}

JournalCheck verifyJournal(const QByteArray &journal, const QStringList *listLines,
                           const ListReader &readList)
{
    JournalCheck check;
    QList<QByteArray> lines = journal.split('\n');
    // After the last line feed: nothing, or a line a crash cut short.
    const QByteArray tail = lines.takeLast();
    if (!tail.isEmpty()) {
        check.cut = true;
        check.notes << QStringLiteral("line %1 was cut off unfinished and is left out")
                           .arg(lines.size() + 1);
    }
    const auto fail = [&check](qint64 line, const QString &reason) {
        check.ok = false;
        check.badLine = line;
        check.reason = reason;
        return check;
    };
    if (lines.isEmpty())
        return fail(1, QStringLiteral("no whole line: not a journal"));

    // The revealed seeds, by segment, so each draw can be checked at its own line.
    QHash<qint32, QByteArray> seeds;
    for (const QByteArray &line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.contains(QStringLiteral("reveal")) && isHex(text(o, "reveal"), 2 * SeedBytes))
            seeds.insert(o.value(QStringLiteral("segment")).toInt(),
                         QByteArray::fromHex(text(o, "reveal").toLatin1()));
    }

    QByteArray prev = firstPrev();
    QByteArray lastReveal = firstPrev();
    std::optional<Segment> open;
    qint32 lastPass = 0;
    QList<Journaled> passDraws; // the draws of the current pass, in journal order
    std::optional<Journaled> lastOfSegment;
    for (qint64 n = 1; n <= lines.size(); ++n) {
        const QByteArray &line = lines.at(n - 1);
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        if (error.error != QJsonParseError::NoError || !document.isObject())
            return fail(n, QStringLiteral("not a journal record"));
        const QJsonObject o = document.object();
        if (text(o, "prev").toLatin1() != prev)
            return fail(n, QStringLiteral("does not follow the line before it (its hash of "
                                          "that line does not match: a line was changed, "
                                          "removed, inserted or moved)"));
        const QByteArray previous = prev;
        prev = lineHash(line);
        const qint32 pass = o.value(QStringLiteral("pass")).toInt();

        if (o.contains(QStringLiteral("commit"))) {
            if (open)
                return fail(n, QStringLiteral("segment %1 (line %2) begins a new segment without "
                                              "its seed being revealed")
                                   .arg(open->start.segment)
                                   .arg(open->line));
            Segment s;
            s.start = segmentStartOf(o);
            s.line = n;
            const int format = s.start.format;
            if (format < 1 || format > JournalFormat)
                return fail(n, QStringLiteral("format %1 is not known").arg(format));
            if (s.start.segment != check.segments + 1)
                return fail(n, QStringLiteral("segment %1 where segment %2 was due")
                                   .arg(s.start.segment)
                                   .arg(check.segments + 1));
            if (format >= 2 && s.start.after != lastReveal)
                return fail(n, QStringLiteral("does not name the reveal of the segment before it "
                                              "(a segment was removed or changed)"));
            if (pass < lastPass)
                return fail(n, QStringLiteral("pass %1 after pass %2").arg(pass).arg(lastPass));
            if (!isHex(text(o, "commit"), 64))
                return fail(n, QStringLiteral("the commitment is not 64 hex digits"));
            if (const std::optional<CsvLayout> &csv = s.start.source.csv;
                csv && (csv->columns.isEmpty() ||
                        *std::min_element(csv->columns.cbegin(), csv->columns.cend()) < 0 ||
                        csv->countColumn < -1))
                return fail(n, QStringLiteral("the list layout names no valid column"));
            QStringList entries;
            if (s.start.source.list) {
                if (readList) {
                    const std::optional<QStringList> read = readList(s.start.source);
                    if (read)
                        entries = *read;
                    else
                        return fail(n, QStringLiteral("the list file cannot be read as the "
                                                      "segment's list"));
                } else if (listLines) {
                    entries = *listLines;
                } else {
                    return fail(n, QStringLiteral("the segment draws from a list: give the list "
                                                  "file after the journal"));
                }
                if (QString::fromLatin1(listDigest(entries).toHex()) != text(o, "list") ||
                    entries.size() != s.start.source.lines)
                    return fail(n, QStringLiteral("the list file is not the list this segment "
                                                  "drew from"));
            }
            if (pass != lastPass) {
                passDraws.clear();
                lastOfSegment.reset();
            }
            // Every entry journaled earlier in this pass must stay out of the pool. In the first
            // format only the last draw of the segment before may be missing: the program ended
            // after journaling it and before it reached the results, and drew without it.
            QStringList left = s.start.drawn;
            for (qsizetype i = 0; i < passDraws.size(); ++i) {
                const Journaled &d = passDraws.at(i);
                if (left.removeOne(d.entry))
                    continue;
                if (format < 2 && lastOfSegment && d.line == lastOfSegment->line) {
                    check.notes << QStringLiteral("the draw of line %1 (%2) never reached the "
                                                  "results; segment %3 draws without it")
                                       .arg(d.line)
                                       .arg(d.entry)
                                       .arg(s.start.segment);
                    passDraws.removeAt(i--);
                    continue;
                }
                return fail(n, QStringLiteral("the entry %1 drawn at line %2 is back in the pool")
                                   .arg(d.entry)
                                   .arg(d.line));
            }
            s.pool = segmentPool(s.start, entries);
            const QByteArray random = seeds.value(s.start.segment);
            const QByteArray seed = random.isEmpty() ? random : seedWithWord(random, s.start.word);
            if (!seed.isEmpty() &&
                commitmentOf(seed, poolFingerprint(s.pool.texts(), s.start.quota)) ==
                    s.start.commitment) {
                s.generator.emplace();
                seedCommitted(*s.generator, seed);
            }
            lastPass = pass;
            check.segments += 1;
            open = std::move(s);
        } else if (o.contains(QStringLiteral("entry"))) {
            if (!open)
                return fail(n, QStringLiteral("a draw outside a segment"));
            Segment &s = *open;
            if (pass != s.start.pass)
                return fail(
                    n, QStringLiteral("a draw of pass %1 in pass %2").arg(pass).arg(s.start.pass));
            const qint32 draw = o.value(QStringLiteral("draw")).toInt();
            const qint32 due = qint32(s.start.drawn.size()) + s.draws + 1;
            if (draw != due)
                return fail(n, QStringLiteral("draw %1 where draw %2 was due").arg(draw).arg(due));
            if (draw > s.start.quota)
                return fail(n, QStringLiteral("draw %1 is beyond the quota of %2")
                                   .arg(draw)
                                   .arg(s.start.quota));
            if (s.pool.isEmpty())
                return fail(n, QStringLiteral("a draw from an empty pool"));
            const QString entry = text(o, "entry");
            if (s.generator) {
                const qsizetype index = committedIndex(*s.generator, s.pool.size(), s.start.format);
                const QString expected = s.pool.at(index);
                if (entry != expected)
                    return fail(
                        n, QStringLiteral("entry %1, but the seed draws %2").arg(entry, expected));
                s.pool.removeAt(index);
                check.draws += 1;
            }
            s.draws += 1;
            s.lastDrawLine = n;
            passDraws.append({entry, n});
        } else if (o.contains(QStringLiteral("reveal"))) {
            if (!open || o.value(QStringLiteral("segment")).toInt() != open->start.segment)
                return fail(n, QStringLiteral("reveals a seed of no open segment"));
            if (!isHex(text(o, "reveal"), 2 * SeedBytes))
                return fail(
                    n,
                    QStringLiteral("the seed is not %1 lowercase hex digits").arg(2 * SeedBytes));
            if (!open->generator)
                return fail(n, QStringLiteral("the seed and the pool do not give the commitment "
                                              "of line %1")
                                   .arg(open->line));
            // The anchor: the seed's segment made this many draws and ended with this line.
            const bool anchored = open->start.format >= 2;
            if ((anchored || o.contains(QStringLiteral("draws"))) &&
                o.value(QStringLiteral("draws")).toInt(-1) != open->draws)
                return fail(n, QStringLiteral("the segment made %1 draws, the journal holds %2")
                                   .arg(o.value(QStringLiteral("draws")).toInt(-1))
                                   .arg(open->draws));
            if ((anchored || o.contains(QStringLiteral("last"))) &&
                text(o, "last").toLatin1() != previous)
                return fail(n, QStringLiteral("the segment's last line is not the line before "
                                              "the reveal"));
            lastOfSegment.reset();
            if (open->draws > 0)
                lastOfSegment = Journaled{passDraws.last().entry, open->lastDrawLine};
            lastReveal = prev;
            open.reset();
        } else {
            return fail(n, QStringLiteral("neither a segment, a draw nor a seed"));
        }
    }
    if (open) {
        check.open = true;
        check.waiting = open->draws;
    }
    return check;
}

std::optional<QByteArray> readJournalFile(const QString &path, QString &error)
{
    if (QFileInfo(path).isSymLink()) {
        error = QStringLiteral("is a symbolic link, not a journal the program wrote");
        return std::nullopt;
    }
    // A pipe, a device or a file beyond what 999,999 draws can take is not read.
    const FileRead journal = readFileBounded(path, MaxJournalBytes);
    switch (journal.refusal) {
    case ReadRefusal::None: break;
    case ReadRefusal::Missing: error = QStringLiteral("no such file"); return std::nullopt;
    case ReadRefusal::Folder:
    case ReadRefusal::Pipe:
    case ReadRefusal::Device: error = QStringLiteral("not a plain file"); return std::nullopt;
    case ReadRefusal::TooLarge:
        error = QStringLiteral("larger than %1 bytes").arg(journal.limit);
        return std::nullopt;
    case ReadRefusal::Unreadable: error = journal.detail; return std::nullopt;
    }
    if (journal.bytes.contains('\0')) {
        error = QStringLiteral("holds NUL bytes: not a journal");
        return std::nullopt;
    }
    return journal.bytes;
}

JournalCheck verifyJournalFile(const QString &journalPath, const QString &listPath)
{
    JournalCheck check;
    QString error;
    const std::optional<QByteArray> content = readJournalFile(journalPath, error);
    if (!content) {
        check.ok = false;
        check.reason = error;
        return check;
    }
    // The list is read as each segment recorded it: a CSV list by its layout.
    ListReader readList;
    std::optional<CsvLayout> readLayout;
    std::optional<QStringList> read;
    if (!listPath.isEmpty())
        readList = [&](const PoolSource &source) -> std::optional<QStringList> {
            if (read && readLayout == source.csv)
                return read;
            readLayout = source.csv;
            if (source.csv) {
                CsvListResult csv = readCsvListFile(listPath, *source.csv);
                read = csv.list.ok() ? std::optional(std::move(csv.list.lines)) : std::nullopt;
            } else {
                ListFileResult plain = readListFile(listPath);
                read = plain.ok() ? std::optional(std::move(plain.lines)) : std::nullopt;
            }
            return read;
        };
    return verifyJournal(*content, nullptr, readList);
}

int runVerifyCommand(const QString &journalPath, const QString &listPath)
{
    const JournalCheck check = verifyJournalFile(journalPath, listPath);
    std::fputs(check.report().toLocal8Bit().constData(), stdout);
    return check.exitCode();
}
