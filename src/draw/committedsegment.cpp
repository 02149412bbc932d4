#include "draw/committedsegment.h"

#include "draw/drawpass.h"

QByteArray beginCommittedSegment(DrawPass &pass, DrawJournal &journal, const QByteArray &random,
                                 const std::function<QDateTime()> &clock, const QString &word,
                                 SaveResult *failure)
{
    const QByteArray seed = seedWithWord(random, word);
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
    pass.commitDraws(std::move(generator),
                     [&journal, clock](const ResultRow &row, qint32 drawCount) {
                         return journal.appendDraw(drawCount, row.Gezogen, row.Spiel, clock()).ok;
                     });
    return start.commitment;
}
