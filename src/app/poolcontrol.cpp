#include "app/poolcontrol.h"

#include "app/listcontrol.h"
#include "app/prizelistcontrol.h"
#include "app/rangecontrol.h"
#include "draw/drawpass.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "results/resultstable.h"
#include "settings/modepage.h"
#include "settings/settingscontrols.h"
#include "settings/settingssource.h"

#include <QApplication>
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
    EntryPool pool;
    PoolSource source;
    const bool fromList = p.lists.listInUse();
    if (fromList) {
        // The lines of the draw list file; a list that can not be read has been reported.
        std::optional<QStringList> read = p.lists.readDrawList();
        if (!read)
            return false;
        QStringList lines = std::move(*read);
        const qint32 entries = p.range.showListRange(qint32(lines.size()));
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
    // The prizes are the prize list part's; the pool part hands on their prize texts too.
    p.prizes.LoadPrizeList();
}

DrawRowRule PoolControl::rowRule(const Settings &settings) const
{
    DrawRowRule rule;
    rule.autopilot = settings.AutoPilot;
    rule.autopilotStart = settings.AutoVal;
    if (settings.UseWinnings && drawsSingleEntries(settings.mode()))
        rule.gameText = [this](qint32 drawNumber, const QString &) {
            return p.prizes.PrizeText(drawNumber);
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
    p.range.recordLotteryRange(n, x, draws);
}
