#include "app/poolcontrol.h"

#include "app/controlstrip.h"
#include "app/listcontrol.h"
#include "draw/drawpass.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "results/drawlog.h"
#include "results/resultstable.h"
#include "settings/modepage.h"
#include "settings/rangepage.h"
#include "settings/settingscontrols.h"
#include "settings/settingssource.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

PoolControl::PoolControl(const Parts &parts) : p(parts) {}

PoolControl::~PoolControl()
{
    closePrepareWindow();
}

bool PoolControl::BuildPool(bool removeDrawn)
{
    const Settings settings = p.settings.current();
    RangePage &range = p.range;
    EntryPool pool;
    PoolSource source;
    const bool fromList = p.lists.listInUse();
    if (fromList) {
        // The lines of the draw list file; a list that can not be read has been reported.
        std::optional<QStringList> read = p.lists.readDrawList();
        if (!read)
            return false;
        QStringList lines = std::move(*read);
        range.setMinimum(1);
        range.setMaximum(int(lines.size()));
        const qint32 entries = range.maximum() - range.minimum() + 1;
        if (entries > 1000)
            ShowPrepareWindow(entries);
        source.list = true;
        source.lines = qint32(lines.size());
        source.listDigest = listDigest(lines);
        source.csv = p.lists.lastCsvLayout();
        pool = EntryPool::fromList(std::move(lines));
    } else {
        // The range Minimum .. Maximum; the report on a list no longer applies.
        p.lists.clearPoolReport();
        const NumberRange range{settings.Start, settings.End};
        const qint32 entries = rangeSizeOf(range);
        if (entries > 10000)
            ShowPrepareWindow(entries);
        pool = EntryPool::fromRange(range, settings.Zeros);
        source.minimum = range.minimum;
        source.maximum = range.maximum;
        source.zeros = settings.Zeros;
    }
    // List lines sort alphabetically in the results, numbers by value.
    p.results.results()->setDrawnSortNumeric(!fromList);
    // Entries already drawn in this pass leave the pool (start-up restores the pass itself).
    p.pass.setSource(source);
    p.pass.setPool(std::move(pool), removeDrawn);
    return true;
}

void PoolControl::ShowPrepareWindow(qint32 entries)
{
    closePrepareWindow();
    auto *window = new QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(lng("StrTivrelHinweis"));
    window->resize(300, 200);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *text = new QPlainTextEdit(window);
    text->setReadOnly(true);
    QPalette pal = text->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Window));
    pal.setColor(QPalette::Text, pal.color(QPalette::Highlight));
    text->setPalette(pal);
    QFont font = text->font();
    font.setPointSize(12);
    text->setFont(font);
    text->setPlainText(lng("StrFormResetHint1") + QString::number(entries) +
                       lng("StrFormResetHint2"));
    layout->addWidget(text);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
    window->repaint();
    m_prepareWindow = window;
}

void PoolControl::closePrepareWindow()
{
    if (m_prepareWindow) {
        m_prepareWindow->hide();
        delete m_prepareWindow.data();
    }
    m_prepareWindow.clear();
}

void PoolControl::LoadPrizeList()
{
    // The prizes are the list part's; the pool part hands on their prize texts too.
    p.lists.LoadPrizeList();
}

DrawRowRule PoolControl::rowRule(const Settings &settings) const
{
    DrawRowRule rule;
    rule.autopilot = settings.AutoPilot;
    rule.autopilotStart = settings.AutoVal;
    if (settings.UseWinnings && drawsSingleEntries(settings.mode()))
        rule.gameText = [this](qint32 drawNumber, const QString &) {
            return p.lists.PrizeText(drawNumber);
        };
    if (settings.mode() == DrawMode::Lottery)
        rule.gameText = [game = LottoGameNo](qint32, const QString &entry) {
            return lotteryCellText(game, entry);
        };
    return rule;
}

void PoolControl::DrawNumber()
{
    // The entry leaves the pool, its row joins the results at its place by
    // draw number and the log is written, all before anything else can run.
    const std::optional<ResultRow> row = p.pass.drawEntry(rowRule(p.settings.current()));
    if (!row)
        return;
    p.display.ShowOnDisplay(row->Gezogen, 2, true);
    // The table shows the rows by draw number, with the newest draw selected.
    p.results.sortResults(ResultsModel::Durchgang, p.pass.rowOrder());
    // The focus stands on the drawn entry, not on its draw number.
    p.results.setCurrentIndex(p.results.model()->index(0, ResultsModel::Gezogen));
    // The selection shows again.
    p.results.setSelectionHidden(false);
    // The columns fit the new row's texts.
    p.results.FitResultColumns(p.results.window()->width());
}

void PoolControl::Reset_ZiehungClick()
{
    p.pass.clear();
    p.display.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
    const Settings settings = p.settings.current();
    if (drawsSingleEntries(settings.mode()) && settings.AutoPilot)
        p.mode.chooseMode(int(DrawMode::Manual));
}

void PoolControl::ZeigeNullenClick()
{
    const auto answer = p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisFuerendeNullen"),
                                              Platform::Icon::Question, Platform::Buttons::YesNo);
    if (answer == Platform::Answer::Yes) {
        p.results.setColumnShown(ResultsModel::Spiel, false);
        Reset_ZiehungClick();
    } else {
        p.range.setZerosQuietly(!p.range.zeros());
    }
}

bool PoolControl::lotteryTableLeftOver() const
{
    const Settings settings = p.settings.current();
    return p.results.columnShown(ResultsModel::Spiel) && settings.mode() != DrawMode::Lottery &&
           !settings.UseWinnings;
}

bool PoolControl::clearLotteryTable()
{
    const auto answer =
        p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisLottoschein"),
                              Platform::Icon::Question, Platform::Buttons::OkCancel);
    if (answer != Platform::Answer::Ok)
        return false;
    p.results.setColumnShown(ResultsModel::Spiel, false);
    Reset_ZiehungClick();
    return true;
}

void PoolControl::recordLotteryRange(qint32 n, qint32 x, qint32 draws)
{
    RangePage &range = p.range;
    // The maximum first, so the minimum is not pulled down.
    range.setMaximum(x);
    range.setMinimum(n);
    // No padding (the switch asks nothing), a count quota of every number drawn.
    range.setZerosQuietly(false);
    range.setQuotaInPercent(false);
    p.pass.beginLotteryRun(draws);
    range.setQuota(draws);
}

void PoolControl::MinimumChange()
{
    RangePage &page = p.range;
    const NumberRange range = consistentRange(page.minimum(), page.maximum());
    if (page.minimum() != range.minimum)
        page.setMinimum(range.minimum);
    if (page.maximum() != range.maximum)
        page.setMaximum(range.maximum);
    p.pass.setRangeSize(rangeSizeOf(range));
    ZiehungsquoteChange();
}

void PoolControl::ZiehungsquoteChange()
{
    // Values loaded at start-up are not yet subject to the rule; loading sets the quota.
    if (!m_startupDone)
        return;
    ApplyQuotaRule();
}

void PoolControl::ApplyQuotaRule()
{
    RangePage &page = p.range;
    DrawPass &pass = p.pass;
    if (page.quotaInPercent()) {
        page.shapeQuotaAsPercent();
        page.showQuotaCountLine(true);
        pass.setQuota(quotaFromPercent(page.quota(), pass.rangeSize()));
    } else {
        page.shapeQuotaAsCount(qMax(0, pass.rangeSize()));
        page.showQuotaCountLine(false);
        pass.setQuota(quotaFromCount(page.quota()));
    }
    showQuotaTexts();
    if (!page.quotaInPercent() && pass.drawQuota() > pass.rangeSize())
        page.setQuota(pass.rangeSize()); // runs the rule again
}

void PoolControl::showQuotaTexts()
{
    p.range.setQuotaCaption(lng(p.range.quotaInPercent() ? "StrZiehungQuote" : "StrZiehungAnzahl"));
    p.range.setQuotaCountLine(lng("StrZiehungAnzahl") + QStringLiteral(": ") +
                              QString::number(p.pass.drawQuota()));
}

void PoolControl::ckAutopilotClick()
{
    RangePage &page = p.range;
    const bool on = page.autopilot();
    if (on && !p.pass.rows().isEmpty())
        p.platform.messageBox(lng("StrTivrelHinweis"), lng("StrAutoPilotDoubletten"),
                              Platform::Icon::Warning, Platform::Buttons::Ok);
    page.openAutopilotFields(on);
    if (on) {
        if (page.autopilotStart() > p.pass.drawQuota())
            page.setAutopilotStart(p.pass.drawQuota());
        page.setAutopilotMaximum(qMax(0, p.pass.drawQuota()));
    }
}

void PoolControl::AutopilotStartChange()
{
    p.range.setAutopilotRest(QStringLiteral(" + ") +
                             QString::number(p.pass.drawQuota() - p.range.autopilotStart()));
}

void PoolControl::AutopilotStartEnter()
{
    ApplyQuotaRule();
    p.range.setAutopilotMaximum(qMax(0, p.pass.drawQuota()));
}

void PoolControl::ReloadDrawLog()
{
    if (!QFile::exists(p.drawLog))
        return;
    // Notices are told once, from the event loop, when the window is up.
    const auto noticeLater = [this](const QString &notice) {
        QMetaObject::invokeMethod(
            &m_notices,
            [this, notice] {
                p.platform.messageBox(lng("StrTivrelHinweis"), notice, Platform::Icon::Warning,
                                      Platform::Buttons::Ok);
            },
            Qt::QueuedConnection);
    };
    QString refusal;
    std::optional<DrawLogContent> log = readDrawLog(p.drawLog, &refusal);
    if (!log) {
        // A pipe, a device or a file of gigabytes in the log's place: no pass to restore.
        if (!refusal.isEmpty())
            noticeLater(refusal);
        return;
    }
    if (p.settings.current().mode() == DrawMode::Lottery) {
        p.results.results()->setHeaderText(ResultsModel::Spiel, lng("StrSpielZahl"));
        p.results.setColumnShown(ResultsModel::Spiel, true);
        p.results.setColumnShown(ResultsModel::Gezogen, false);
    }
    // Lines that are no draws are left out.
    if (log->skippedLines > 0)
        noticeLater(lngFormat("HinweisLogZeilenUebersprungen", {p.drawLog, log->skippedLines}));
    p.pass.setRows(std::move(log->rows));
}

void PoolControl::RestorePass()
{
    DrawPass &pass = p.pass;
    if (pass.rows().isEmpty()) {
        pass.restore(); // nothing drawn: the count starts at none
        return;
    }
    p.display.ShowOnDisplay(pass.rows().entry(pass.rows().size() - 1), 2, true);
    pass.restore();
    const Settings settings = p.settings.current();
    pass.setQuota(settings.Cent ? quotaFromPercent(settings.QuotaPercent, pass.rangeSize())
                                : settings.QuotaCount);
    // A restored lottery table is a finished run: its draws were its quota, so neither the
    // button nor Ctrl+S draws on under "Pass closed". A shown prize column is no such table.
    if (settings.mode() == DrawMode::Lottery && p.results.columnShown(ResultsModel::Spiel))
        pass.setQuota(qMin(pass.drawQuota(), pass.drawCount()));
    if (pass.drawCount() >= pass.drawQuota()) {
        p.strip.showNote(lng("StrDurchgangBeendet"));
        p.strip.setStartShown(false);
    }
}
