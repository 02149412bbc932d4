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
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "settings/settingssource.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

PoolControl::PoolControl(const Parts &parts) : p(parts)
{
    // The draw is complete when the pass says the log failed; the operator hears of it once,
    // not at every draw, and from the event loop, so the notice never holds up a draw.
    QObject::connect(
        &p.pass, &DrawPass::logWriteFailed, &m_notices,
        [this](const QString &reason) {
            if (m_logFailureShown)
                return;
            m_logFailureShown = true;
            p.platform.messageBox(
                lng("StrTivrelHinweis"),
                lngFormat("HinweisLogNichtGeschrieben",
                          {QString(p.drawLog + QStringLiteral(" (") + reason + QLatin1Char(')'))}),
                Platform::Icon::Warning, Platform::Buttons::Ok);
        },
        Qt::QueuedConnection);
    // A draw whose log was written clears the notice, so the next failure is told again.
    const auto logWritten = [this] {
        if (p.pass.lastLogWrite().ok)
            m_logFailureShown = false;
    };
    QObject::connect(&p.pass, &DrawPass::rowInserted, &m_notices, logWritten);
    QObject::connect(&p.pass, &DrawPass::rowsReset, &m_notices, logWritten);
}

PoolControl::~PoolControl()
{
    closePrepareWindow();
}

bool PoolControl::BuildPool(bool removeDrawn)
{
    const Settings settings = p.settings.current();
    SettingsPanel &panel = p.panel;
    EntryPool pool;
    const bool fromList = p.lists.listInUse();
    if (fromList) {
        // 1. The lines of the draw list file; a list that can not be read has been reported.
        std::optional<QStringList> read = p.lists.readDrawList();
        if (!read)
            return false;
        QStringList lines = std::move(*read);
        panel.Minimum->setValue(1);
        panel.Maximum->setValue(int(lines.size()));
        p.pass.PoolBuildCount = panel.Maximum->value() - panel.Minimum->value() + 1;
        if (p.pass.PoolBuildCount > 1000)
            ShowPrepareWindow();
        p.pass.Source = PoolSource{};
        p.pass.Source.list = true;
        p.pass.Source.lines = qint32(lines.size());
        p.pass.Source.listDigest = listDigest(lines);
        pool = EntryPool::fromList(std::move(lines));
    } else {
        // 2. The range Minimum .. Maximum; the report on a list no longer applies.
        p.lists.clearPoolReport();
        const NumberRange range{settings.Start, settings.End};
        p.pass.PoolBuildCount = rangeSizeOf(range);
        if (p.pass.PoolBuildCount > 10000)
            ShowPrepareWindow();
        pool = EntryPool::fromRange(range, settings.Zeros);
        p.pass.Source = PoolSource{};
        p.pass.Source.minimum = range.minimum;
        p.pass.Source.maximum = range.maximum;
        p.pass.Source.zeros = settings.Zeros;
    }
    // List lines sort alphabetically in the results, numbers by value.
    p.results.results()->setDrawnSortNumeric(!fromList);
    // 3. Entries already drawn in this pass leave the pool (start-up restores the pass itself).
    p.pass.setPool(std::move(pool), removeDrawn);
    return true;
}

void PoolControl::ShowPrepareWindow()
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
    text->setPlainText(lng("StrFormResetHint1") + QString::number(p.pass.PoolBuildCount) +
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
    // 1.-7. and 10., 12.: the entry leaves the pool, its row joins the results at its place by
    // draw number and the log is written, all before anything else can run.
    const std::optional<ResultRow> row = p.pass.drawEntry(rowRule(p.settings.current()));
    if (!row)
        return;
    p.display.ShowOnDisplay(row->Gezogen, 2, true);
    // 8. The table shows the rows by draw number, with the newest draw selected.
    p.results.sortResults(ResultsModel::Durchgang, p.pass.rowOrder());
    p.results.selectRow(0);
    // 9. The selection shows again.
    p.results.setSelectionHidden(false);
    // 11.
    p.results.FitResultColumns(p.results.window()->width());
}

void PoolControl::Reset_ZiehungClick()
{
    p.pass.clear();
    p.display.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
    const Settings settings = p.settings.current();
    if (drawsSingleEntries(settings.mode()) && settings.AutoPilot)
        p.panel.DoStatus->setItemIndex(int(DrawMode::Manual));
}

void PoolControl::ZeigeNullenClick()
{
    SettingsPanel &panel = p.panel;
    if (panel.ZerosPromptMuted == 1) {
        panel.ZerosPromptMuted = 0;
        return;
    }
    const auto answer = p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisFuerendeNullen"),
                                              Platform::Icon::Question, Platform::Buttons::YesNo);
    if (answer == Platform::Answer::Yes) {
        p.results.setColumnShown(ResultsModel::Spiel, false);
        Reset_ZiehungClick();
    } else {
        panel.ZerosPromptMuted = 1;
        panel.ZeigeNullen->setChecked(!panel.ZeigeNullen->isChecked());
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

void PoolControl::MinimumChange()
{
    SettingsPanel &panel = p.panel;
    const NumberRange range = consistentRange(panel.Minimum->value(), panel.Maximum->value());
    if (panel.Minimum->value() != range.minimum)
        panel.Minimum->setValue(range.minimum);
    if (panel.Maximum->value() != range.maximum)
        panel.Maximum->setValue(range.maximum);
    p.pass.RangeSize = rangeSizeOf(range);
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
    SettingsPanel &panel = p.panel;
    DrawPass &pass = p.pass;
    QDoubleSpinBox *field = panel.Ziehungsquote;
    if (panel.Ziehung_Prozent->isChecked()) {
        {
            const QSignalBlocker block(field);
            field->setDecimals(1);
            field->setMaximum(100);
        }
        panel.LAnzahl_Ziehungen->show();
        pass.DrawQuota = quotaFromPercent(field->value(), pass.RangeSize);
    } else {
        {
            // Raised to the next whole number before the field drops its decimal.
            const double whole = std::ceil(field->value());
            const QSignalBlocker block(field);
            field->setMaximum(qMax(0, pass.RangeSize));
            field->setDecimals(0);
            field->setValue(whole);
        }
        panel.LAnzahl_Ziehungen->hide();
        pass.DrawQuota = quotaFromCount(field->value());
    }
    showQuotaTexts();
    if (!panel.Ziehung_Prozent->isChecked() && pass.DrawQuota > pass.RangeSize)
        field->setValue(pass.RangeSize); // runs the rule again
}

void PoolControl::showQuotaTexts()
{
    SettingsPanel &panel = p.panel;
    panel.LQuote->setText(
        lng(panel.Ziehung_Prozent->isChecked() ? "StrZiehungQuote" : "StrZiehungAnzahl"));
    panel.LAnzahl_Ziehungen->setText(lng("StrZiehungAnzahl") + QStringLiteral(": ") +
                                     QString::number(p.pass.DrawQuota));
}

void PoolControl::ReloadDrawLog()
{
    if (!QFile::exists(p.drawLog))
        return;
    if (p.settings.current().mode() == DrawMode::Lottery) {
        p.results.results()->setHeaderText(ResultsModel::Spiel, lng("StrSpielZahl"));
        p.results.setColumnShown(ResultsModel::Spiel, true);
        p.results.setColumnShown(ResultsModel::Gezogen, false);
    }
    std::optional<DrawLogContent> log = readDrawLog(p.drawLog);
    if (!log)
        return;
    if (log->skippedLines > 0) {
        // Lines that are no draws are left out; the operator hears of it once, from the event
        // loop, when the window is up.
        const QString notice =
            lngFormat("HinweisLogZeilenUebersprungen", {p.drawLog, log->skippedLines});
        QMetaObject::invokeMethod(
            &m_notices,
            [this, notice] {
                p.platform.messageBox(lng("StrTivrelHinweis"), notice, Platform::Icon::Warning,
                                      Platform::Buttons::Ok);
            },
            Qt::QueuedConnection);
    }
    p.pass.setRows(std::move(log->rows));
}

void PoolControl::RestorePass()
{
    DrawPass &pass = p.pass;
    pass.DrawCount = 0;
    if (pass.rows().isEmpty())
        return;
    p.display.ShowOnDisplay(pass.rows().entry(pass.rows().size() - 1), 2, true);
    pass.restore();
    const Settings settings = p.settings.current();
    pass.DrawQuota = settings.Cent ? quotaFromPercent(settings.QuotaPercent, pass.RangeSize)
                                   : settings.QuotaCount;
    // A restored lottery table is a finished run: its draws were its quota, so neither the
    // button nor Ctrl+S draws on under "Pass closed". A shown prize column is no such table.
    if (settings.mode() == DrawMode::Lottery && p.results.columnShown(ResultsModel::Spiel))
        pass.DrawQuota = qMin(pass.DrawQuota, pass.DrawCount);
    if (pass.DrawCount >= pass.DrawQuota) {
        p.strip.showNote(lng("StrDurchgangBeendet"));
        p.strip.setStartShown(false);
    }
}
