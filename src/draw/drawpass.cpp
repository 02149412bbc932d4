#include "draw/drawpass.h"

#include "localisation/uitext.h"

qint32 drawNumberOf(qint32 rowNumber, const DrawRowRule &rule)
{
    return rule.autopilot && rule.autopilotStart >= rowNumber ? rule.autopilotStart - rowNumber + 1
                                                              : rowNumber;
}

Qt::SortOrder rowOrderAfter(qint32 rowNumber, const DrawRowRule &rule)
{
    return rowNumber > rule.autopilotStart ? Qt::DescendingOrder : Qt::AscendingOrder;
}

DrawPass::DrawPass(std::function<quint32()> ticks, QObject *parent)
    : QObject(parent), m_generator(std::move(ticks))
{
}

DrawPass::~DrawPass() = default;

void DrawPass::setRecord(std::unique_ptr<PassRecord> record)
{
    m_record = std::move(record);
}

QStringList DrawPass::drawnEntries() const
{
    QStringList entries;
    entries.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        entries.append(m_rows.entry(i));
    return entries;
}

bool DrawPass::drawAllowed() const
{
    return ::drawAllowed(DrawCount, DrawQuota, RangeSize, m_pool.size());
}

void DrawPass::setPool(EntryPool pool, bool removeDrawn)
{
    m_pool = std::move(pool);
    m_builtPool = m_pool;
    if (!removeDrawn)
        return;
    DrawCount = qint32(m_rows.size());
    m_pool.removeDrawn(m_rows);
}

void DrawPass::setRows(ResultRows rows)
{
    m_rows = std::move(rows);
    if (m_record)
        m_record->rowsReplaced();
    // Every log is written right after its rows were sorted by draw number.
    if (m_rows.size() > 1)
        m_order = m_rows.drawNumber(0) <= m_rows.drawNumber(m_rows.size() - 1)
                      ? Qt::AscendingOrder
                      : Qt::DescendingOrder;
    Q_EMIT rowsReset();
}

void DrawPass::restore()
{
    DrawCount = qint32(m_rows.size());
    if (!m_rows.isEmpty())
        m_pool.removeDrawn(m_rows);
}

void DrawPass::beginLotteryRun(qint32 draws)
{
    DrawQuota = draws;
    DrawCount = 0;
}

void DrawPass::beginLotteryGame(EntryPool pool)
{
    setPool(std::move(pool), false);
    DrawCount = 0;
}

void DrawPass::clear()
{
    m_rows.clear();
    if (m_record)
        m_record->rowsReplaced();
    m_pool.clear();
    m_builtPool.clear();
    DrawCount = 0;
    Q_EMIT rowsReset();
}

qsizetype DrawPass::flashIndex()
{
    if (m_pool.isEmpty())
        return -1;
    if (m_pool.size() >= 6)
        return chooseEntryIndex(m_generator, m_pool.size());
    m_animationIndex += 1;
    if (m_animationIndex >= m_pool.size())
        m_animationIndex = 0;
    return m_animationIndex;
}

qsizetype DrawPass::insertionPlace(qint32 drawNumber, Qt::SortOrder order) const
{
    // After the rows already there with the same number, as a stable sort puts it: the first
    // row that belongs behind the new one.
    const auto behind = [drawNumber, order](qint32 n) {
        return order == Qt::AscendingOrder ? drawNumber < n : drawNumber > n;
    };
    qsizetype low = 0;
    qsizetype high = m_rows.size();
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (behind(m_rows.drawNumber(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

std::optional<ResultRow> DrawPass::drawEntry(const DrawRowRule &rule)
{
    if (m_halted) {
        Q_EMIT drawRefused();
        return std::nullopt;
    }
    if (m_pool.isEmpty())
        return std::nullopt;
    const qsizetype index = m_committed ? committedIndex(*m_committed, m_pool.size(), JournalFormat)
                                        : chooseEntryIndex(m_generator, m_pool.size());
    ResultRow row;
    row.Gezogen = m_pool.at(index);
    const qint32 rowNumber = qint32(m_rows.size()) + 1;
    row.Durchgang = drawNumberOf(rowNumber, rule);
    if (rule.gameText)
        row.Spiel = rule.gameText(row.Durchgang, row.Gezogen);
    // A committed draw counts only once the journal holds it. One it could not take is not
    // made, and the segment's generator has moved past it: the segment draws no more.
    if (m_journal && !m_journal(row, DrawCount + 1)) {
        m_halted = true;
        Q_EMIT journalWriteFailed();
        return std::nullopt;
    }
    m_pool.removeAt(index);
    DrawCount += 1;

    const Qt::SortOrder order = rowOrderAfter(rowNumber, rule);
    bool reordered = false;
    if (order != m_order && m_rows.size() > 1) {
        // The order turns: the rows, the new one among them, are sorted anew (stably).
        m_rows.append(row);
        m_rows.sortByDrawNumber(order);
        reordered = true;
    }
    m_order = order;
    qsizetype place = -1;
    if (!reordered) {
        place = insertionPlace(row.Durchgang, order);
        m_rows.insert(place, row);
    }
    if (m_record && reordered)
        m_record->rowsReplaced();
    else if (m_record)
        m_record->rowAdded(row, place, m_rows.size());
    const bool logged = !m_record || writeLogQuietly();

    // The pass is complete; now the others may look.
    if (reordered)
        Q_EMIT rowsReset();
    else
        Q_EMIT rowInserted(int(place));
    if (!logged)
        Q_EMIT logWriteFailed(saveFailureText(m_lastLogWrite));
    return row;
}

void DrawPass::commitDraws(std::unique_ptr<TRNGenerator> generator, DrawJournalHook journal)
{
    m_committed = std::move(generator);
    m_journal = std::move(journal);
    m_halted = false;
}

void DrawPass::endCommittedDraws()
{
    m_committed.reset();
    m_journal = {};
    m_halted = false;
}

void DrawPass::rebuildPool()
{
    m_pool = m_builtPool;
    m_pool.removeDrawn(m_rows);
}

void DrawPass::restoreRows(const QList<ResultRow> &rows)
{
    if (rows.isEmpty())
        return;
    for (const ResultRow &row : rows)
        m_rows.insert(insertionPlace(row.Durchgang, m_order), row);
    rebuildPool();
    DrawCount = qint32(m_rows.size());
    if (m_record)
        m_record->rowsReplaced();
    Q_EMIT rowsReset();
    if (m_record)
        writeLog();
}

bool DrawPass::writeLogQuietly()
{
    m_lastLogWrite = m_record ? m_record->write(m_rows) : SaveResult{};
    return m_lastLogWrite.ok;
}

bool DrawPass::logPending() const
{
    return m_record && m_record->pending();
}

bool DrawPass::retryLog()
{
    if (!logPending())
        return true;
    m_lastLogWrite = m_record->writePending();
    if (!m_lastLogWrite.ok)
        return false;
    Q_EMIT logCaughtUp();
    return true;
}

SaveResult DrawPass::writeLogTo(const QString &path) const
{
    return m_record ? m_record->writeCopy(path, m_rows) : SaveResult{};
}

bool DrawPass::writeLog()
{
    if (writeLogQuietly())
        return true;
    Q_EMIT logWriteFailed(saveFailureText(m_lastLogWrite));
    return false;
}
