#include "draw/committedsegment.h"

#include "draw/drawpass.h"

QByteArray beginCommittedSegment(DrawPass &pass, DrawJournal &journal, const QByteArray &random,
                                 const std::function<QDateTime()> &clock, const QString &word,
                                 SaveResult *failure)
{
    const QByteArray seed = seedWithWord(random, word);
    // The pool in the order a replay builds it: as built, without the rows in their order.
    // Draws remove entries in draw order, and the rows may stand in another.
    pass.rebuildPool();
    SegmentStart start;
    // Restored rows continue their pass; an empty table begins the next one.
    start.pass = pass.rows().isEmpty() ? journal.lastPass() + 1 : qMax(1, journal.lastPass());
    start.source = pass.source();
    start.quota = pass.drawQuota();
    start.drawn = pass.drawnEntries();
    start.word = word;
    start.commitment = commitmentOf(seed, poolFingerprint(pass.pool().texts(), start.quota));
    const SaveResult begun = journal.beginSegment(start, random, clock());
    if (!begun.ok) {
        if (failure)
            *failure = begun;
        return {};
    }
    auto generator = std::make_unique<TRNGenerator>();
    seedCommitted(*generator, seed);
    pass.commitDraws(
        std::move(generator), [&journal, clock](const ResultRow &row, qint32 drawCount) {
            return journal.appendDraw(drawCount, row.Durchgang, row.Gezogen, row.Spiel, clock()).ok;
        });
    return start.commitment;
}

QList<ResultRow> rowsMissingFromPass(const DrawJournal &journal, const DrawPass &pass)
{
    const QList<DrawJournal::PassDraw> &journaled = journal.lastPassDraws();
    const SegmentStart &last = journal.lastSegmentStart();
    const PoolSource &source = pass.source();
    const bool sameSource = last.source.list == source.list &&
                            (source.list ? last.source.listDigest == source.listDigest
                                         : last.source.minimum == source.minimum &&
                                               last.source.maximum == source.maximum &&
                                               last.source.zeros == source.zeros);
    if (journaled.isEmpty() || !sameSource ||
        (pass.rows().isEmpty() && journaled.last().draw >= last.quota))
        return {};
    // The table must belong to that pass: each of its rows one the pass drew.
    QStringList known = journal.lastPassEarlier();
    for (const DrawJournal::PassDraw &draw : journaled)
        known << draw.entry;
    QStringList rows = pass.drawnEntries();
    for (const QString &entry : std::as_const(rows))
        if (!known.removeOne(entry))
            return {};
    QList<ResultRow> missing;
    for (const DrawJournal::PassDraw &draw : journaled)
        if (!rows.removeOne(draw.entry))
            missing.append({draw.row, draw.prize, draw.entry});
    return missing;
}
