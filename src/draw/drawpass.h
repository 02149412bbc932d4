#pragma once

#include "draw/drawjournal.h"
#include "draw/entrypool.h"
#include "draw/mersenne.h"
#include "draw/passrecord.h"
#include "draw/resultrows.h"
#include "platform/savefile.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// How a draw numbers and labels its row: the autopilot counts the manual part down to 1, and the
// game column holds a prize or a lottery game, or nothing.
struct DrawRowRule {
    bool autopilot = false;
    qint32 autopilotStart = 999;
    // The "Spiel" text of the row with this draw number and entry; empty without one.
    std::function<QString(qint32 drawNumber, const QString &entry)> gameText;
};

// One pass of drawing: the entries still drawable, the rows drawn so far, their count, the
// quota, the generator and the draw step, the restore from the draw log and the outcome of the
// last log write. It holds no widgets; the results table, the display and the window follow it
// through its signals.
//
// The rows stand in the draw log's order: by draw number, as the table is sorted after each
// draw (ascending while the autopilot still counts down, else newest on top).
class DrawPass : public QObject {
    Q_OBJECT
public:
    // `ticks` seeds the generator lazily, at the first number it gives.
    explicit DrawPass(std::function<quint32()> ticks, QObject *parent = nullptr);
    ~DrawPass() override;

    const EntryPool &pool() const { return m_pool; }
    const ResultRows &rows() const { return m_rows; }
    Qt::SortOrder rowOrder() const { return m_order; }
    // The drawn entries, in row order.
    QStringList drawnEntries() const;

    qint32 drawCount() const { return DrawCount; } // draws made in this pass
    qint32 drawQuota() const { return DrawQuota; } // draws one pass may make
    qint32 rangeSize() const { return RangeSize; } // Maximum - Minimum + 1
    const PoolSource &source() const { return Source; }

    // The quota: how many draws this pass may make.
    void setQuota(qint32 quota) { DrawQuota = quota; }
    // The range Minimum .. Maximum changed to this many numbers.
    void setRangeSize(qint32 size) { RangeSize = size; }
    // What the pool was built from (the verifiable draw commits to it).
    void setSource(const PoolSource &source) { Source = source; }
    // A lottery run begins: it may make `draws` draws, counted from none.
    void beginLotteryRun(qint32 draws);
    // A game of a lottery run begins on its own pool; its draws are counted from none.
    void beginLotteryGame(EntryPool pool);

    // True while another draw may be made.
    bool drawAllowed() const;

    // Where the pass keeps its rows after each draw (the draw log); none keeps them nowhere.
    void setRecord(std::unique_ptr<PassRecord> record);
    SaveResult lastLogWrite() const { return m_lastLogWrite; }

    // A freshly built pool. With removeDrawn the entries of the rows leave it and DrawCount
    // counts the rows.
    void setPool(EntryPool pool, bool removeDrawn);
    // The rows of a restored pass, in the order the log holds them; the pool is left alone.
    void setRows(ResultRows rows);
    // Start-up: the restored rows' entries leave the pool and DrawCount counts them (none
    // without rows).
    void restore();
    // Start-up: rows the journal holds and the draw log lacks join the rows at their place by
    // draw number, their entries leave the pool, and the log is written.
    void restoreRows(const QList<ResultRow> &rows);
    // The pool as last built, with the entries of the rows removed in the rows' order: the
    // same entries as now, in the order the verifiable draw commits to and replays.
    void rebuildPool();
    // A new pass: no rows, an empty pool.
    void clear();

    // The entry an animation frame flashes: at random from a pool of 6 or more, else the next in
    // turn. -1 for an empty pool.
    qsizetype flashIndex();

    // The draw: an entry chosen at random leaves the pool, its row joins the rows at its place
    // by draw number, DrawCount counts it and the log is written. All of it is done before this
    // returns and before any signal is sent, so nothing that runs on a signal can see a half
    // draw. Returns the row; nothing happens for an empty pool.
    std::optional<ResultRow> drawEntry(const DrawRowRule &rule);

    // Writes the rows to the draw log now; false (and logWriteFailed) when that failed.
    bool writeLog();

    // A log write failed, and the table it was to hold is not on disk yet. What stays pending
    // is the content of that write (a new pass started since does not empty the log, as the
    // next draw would); the next draw's write replaces it.
    bool logPending() const;
    // Writes the pending content again: true when the log is now on disk (or nothing was
    // pending), and then logCaughtUp.
    bool retryLog();
    // Writes the pending content (or, with none pending, the rows) to another file: the
    // results saved elsewhere when the log's own place cannot take them.
    SaveResult writeLogTo(const QString &path) const;

    TRNGenerator &generator() { return m_generator; }

    // The verifiable draw: from now on draws choose with `generator`, seeded for this segment
    // alone (the animation keeps the other one, so how long it runs changes nothing), and each
    // draw is handed to `journal` before the draw log is written and before anyone is told.
    // `journal` returns false when it could not record the draw: the draw is then not made,
    // and the pass draws no more (journalWriteFailed) until a new segment is committed.
    using DrawJournalHook = std::function<bool(const ResultRow &row, qint32 drawCount)>;
    void commitDraws(std::unique_ptr<TRNGenerator> generator, DrawJournalHook journal);
    // Back to the ordinary generator; a halt ends too.
    void endCommittedDraws();
    // No draw is made until commitDraws or endCommittedDraws: each attempt is refused
    // (drawRefused). For a verifiable draw whose journal cannot be written.
    void haltDraws() { m_halted = true; }
    bool drawsHalted() const { return m_halted; }

Q_SIGNALS:
    // The rows were replaced, emptied or reordered.
    void rowsReset();
    // A row was inserted at this place of rows().
    void rowInserted(int position);
    // The last log write failed with this reason (the draw itself stands).
    void logWriteFailed(const QString &reason);
    // A log whose write had failed is now on disk.
    void logCaughtUp();
    // The journal of the verifiable draw could not record a draw: it was not made, and the
    // pass is halted.
    void journalWriteFailed();
    // A draw was asked for while the pass is halted.
    void drawRefused();

private:
    bool writeLogQuietly();
    // Where a row with this draw number goes in rows() for the given order.
    qsizetype insertionPlace(qint32 drawNumber, Qt::SortOrder order) const;

    qint32 DrawCount = 0;
    qint32 DrawQuota = 90;
    qint32 RangeSize = 900;
    PoolSource Source;
    TRNGenerator m_generator;
    std::unique_ptr<TRNGenerator> m_committed;
    DrawJournalHook m_journal;
    bool m_halted = false;
    EntryPool m_pool;
    EntryPool m_builtPool; // as last built, before any removal
    ResultRows m_rows;
    std::unique_ptr<PassRecord> m_record;
    Qt::SortOrder m_order = Qt::DescendingOrder;
    qsizetype m_animationIndex = 0;
    SaveResult m_lastLogWrite;
};

// The draw number of the row that is the `rowNumber`-th of the pass: with the autopilot on, the
// manual part counts down from its start to 1, the timed part goes on upwards.
qint32 drawNumberOf(qint32 rowNumber, const DrawRowRule &rule);
// The order of the rows after that row joined them: ascending while the countdown runs.
Qt::SortOrder rowOrderAfter(qint32 rowNumber, const DrawRowRule &rule);
