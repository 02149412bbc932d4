// The replay of a journal: every segment from its revealed seed and its pool, with the same
// generator and draw step the program draws with.

#include "draw/drawjournal.h"
#include "draw/listfile.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

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
    QString lastEntry;
};

struct Journaled {
    QString entry;
    qint64 line;
};

QString hex(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

} // namespace

QString JournalCheck::report() const
{
    QString text;
    for (const QString &note : notes)
        text += QStringLiteral("note: ") + note + QLatin1Char('\n');
    if (!ok)
        return text + QStringLiteral("line %1: %2\n").arg(badLine).arg(reason);
    text += QStringLiteral("verified: %1 draws in %2 segments").arg(draws).arg(segments);
    if (waiting > 0)
        text += QStringLiteral(" (%1 draws of the last segment wait for its seed)").arg(waiting);
    return text + QLatin1Char('\n');
}

JournalCheck verifyJournal(const QByteArray &journal, const QStringList *listLines)
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

    // The revealed seeds, by segment, so each draw can be checked at its own line.
    QHash<qint32, QByteArray> seeds;
    for (const QByteArray &line : lines) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        if (o.contains(QStringLiteral("reveal")))
            seeds.insert(o.value(QStringLiteral("segment")).toInt(),
                         QByteArray::fromHex(hex(o, "reveal").toLatin1()));
    }

    const auto fail = [&check](qint64 line, const QString &reason) {
        check.ok = false;
        check.badLine = line;
        check.reason = reason;
        return check;
    };

    QByteArray prev = firstPrev();
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
        if (hex(o, "prev").toLatin1() != prev)
            return fail(n, QStringLiteral("does not follow the line before it (its hash of "
                                          "that line does not match: a line was changed, "
                                          "removed, inserted or moved)"));
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
            if (s.start.segment != check.segments + 1)
                return fail(n, QStringLiteral("segment %1 where segment %2 was due")
                                   .arg(s.start.segment)
                                   .arg(check.segments + 1));
            if (pass < lastPass)
                return fail(n, QStringLiteral("pass %1 after pass %2").arg(pass).arg(lastPass));
            if (s.start.source.list) {
                if (!listLines)
                    return fail(n, QStringLiteral("the segment draws from a list: give the list "
                                                  "file after the journal"));
                if (listDigest(*listLines) != s.start.source.listDigest ||
                    listLines->size() != s.start.source.lines)
                    return fail(n, QStringLiteral("the list file is not the list this segment "
                                                  "drew from"));
            }
            if (pass != lastPass) {
                passDraws.clear();
                lastOfSegment.reset();
            }
            // Every entry journaled earlier in this pass must stay out of the pool. Only the
            // last draw of the segment before may be missing: the program ended after
            // journaling it and before it reached the results and the display.
            // Such a draw stays out of the pass from then on.
            QStringList left = s.start.drawn;
            for (qsizetype i = 0; i < passDraws.size(); ++i) {
                const Journaled &d = passDraws.at(i);
                if (left.removeOne(d.entry))
                    continue;
                if (lastOfSegment && d.line == lastOfSegment->line) {
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
            s.pool = segmentPool(s.start, listLines ? *listLines : QStringList());
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
            const QString entry = o.value(QStringLiteral("entry")).toString();
            if (s.generator) {
                // The program's own draw step.
                const qsizetype index = chooseEntryIndex(*s.generator, s.pool.size());
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
            const QByteArray seed = QByteArray::fromHex(hex(o, "reveal").toLatin1());
            if (seed.size() != SeedBytes)
                return fail(n, QStringLiteral("the seed is not %1 bytes").arg(SeedBytes));
            if (!open->generator)
                return fail(n, QStringLiteral("the seed and the pool do not give the commitment "
                                              "of line %1")
                                   .arg(open->line));
            lastOfSegment.reset();
            if (open->draws > 0)
                lastOfSegment = Journaled{passDraws.last().entry, open->lastDrawLine};
            open.reset();
        } else {
            return fail(n, QStringLiteral("neither a segment, a draw nor a seed"));
        }
    }
    if (open)
        check.waiting = open->draws;
    return check;
}

int runVerifyCommand(const QString &journalPath, const QString &listPath)
{
    const FileRead journal = readFileBounded(journalPath, MaxJournalBytes);
    if (!journal.ok()) {
        QString reason = journal.detail;
        switch (journal.refusal) {
        case ReadRefusal::Missing: reason = QStringLiteral("no such file"); break;
        case ReadRefusal::Folder:
        case ReadRefusal::Pipe:
        case ReadRefusal::Device: reason = QStringLiteral("not a plain file"); break;
        case ReadRefusal::TooLarge:
            reason = QStringLiteral("larger than %1 bytes").arg(journal.limit);
            break;
        case ReadRefusal::None:
        case ReadRefusal::Unreadable: break;
        }
        std::fprintf(stderr, "tivrel: cannot read %s: %s\n", qPrintable(journalPath),
                     qPrintable(reason));
        return 1;
    }
    std::optional<QStringList> list;
    if (!listPath.isEmpty()) {
        ListFileResult read = readListFile(listPath);
        if (!read.ok()) {
            std::fprintf(stderr, "tivrel: cannot read the list %s\n", qPrintable(listPath));
            return 1;
        }
        list = std::move(read.lines);
    }
    const JournalCheck check = verifyJournal(journal.bytes, list ? &*list : nullptr);
    std::fputs(check.report().toLocal8Bit().constData(), stdout);
    return check.ok ? 0 : 1;
}
