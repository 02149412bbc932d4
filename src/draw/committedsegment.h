#pragma once

#include "draw/drawjournal.h"

#include "draw/resultrow.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>

#include <functional>

class DrawPass;

// Begins a segment of the verifiable draw over the pass as it stands now: its pool (in its
// order), quota and the entries already drawn are committed with the seed made of `random` and
// the audience's `word` (seedWithWord), the journal gets the segment's first line, and from
// then on the pass draws with a generator seeded from that seed and journals every draw before
// it is logged or shown. Returns the commitment, or an empty
// one (with the reason in `failure`) when the journal could not be written; the pass then
// draws as before.
QByteArray beginCommittedSegment(DrawPass &pass, DrawJournal &journal, const QByteArray &random,
                                 const std::function<QDateTime()> &clock,
                                 const QString &word = QString(), SaveResult *failure = nullptr);

// The rows the journal holds for the pass it ended with and `pass` lacks: the journal is
// written before the draw log, so a crash or a full disk can leave the log behind it. None
// unless every row of `pass` is one of that pass's entries and the pool was built from the
// same source; none either for an empty table after a pass that was used up (a new pass).
QList<ResultRow> rowsMissingFromPass(const DrawJournal &journal, const DrawPass &pass);
