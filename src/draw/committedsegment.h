#pragma once

#include "draw/drawjournal.h"

#include <QByteArray>
#include <QDateTime>

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
