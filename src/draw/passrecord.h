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
    // Keeps `rows` now; the outcome of the write.
    virtual SaveResult write(const ResultRows &rows) = 0;
};
