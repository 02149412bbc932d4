#pragma once

#include "draw/resultrow.h"
#include "platform/savefile.h"

class ResultRows;

// Where a pass keeps its rows after each draw. The program's is the draw log (DrawLogFile in
// results/drawlog.h); the pass tells it how its rows changed, so that a writer may keep the
// previous content and add the new row's line instead of encoding every row again.
class PassRecord {
public:
    virtual ~PassRecord() = default;
    // The rows changed other than by one draw (replaced, emptied, reordered).
    virtual void rowsReplaced() = 0;
    // One draw put `row` at `place` of the rows, which now hold `rowCount` rows.
    virtual void rowAdded(const ResultRow &row, qsizetype place, qsizetype rowCount) = 0;
    // Keeps `rows` now; the outcome of the write. What a failed write was to keep stays
    // pending until a later write or writePending keeps it.
    virtual SaveResult write(const ResultRows &rows) = 0;
    // A write failed, and what it was to keep is not kept yet.
    virtual bool pending() const = 0;
    // Keeps the pending content again (nothing to do when none is pending).
    virtual SaveResult writePending() = 0;
    // Writes the pending content (or, with none pending, `rows`) to another file.
    virtual SaveResult writeCopy(const QString &path, const ResultRows &rows) const = 0;
};
