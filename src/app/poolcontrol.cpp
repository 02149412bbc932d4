#include "app/poolcontrol.h"

#include "app/drawcontrol.h"
#include "draw/drawschedule.h"
#include "app/settingsflow.h"
#include "localisation/uitext.h"
#include "app/zufall.h"
#include "draw/drawpool.h"
#include "draw/mersenne.h"
#include "platform/platform.h"
#include "results/drawlog.h"
#include "results/resultstable.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

PoolControl::PoolControl(TForm1 &form) : f(form) {}

PoolControl::~PoolControl()
{
    closePrepareWindow();
}

bool PoolControl::listSourceInUse() const
{
    const QString path = f.Einstellungen->AusDateiPfad->text();
    return f.Einstellungen->AusDatei->isChecked() && !path.isEmpty() && path != QStringLiteral(" ");
}

bool PoolControl::readListFile(const QString &path, QStringList &lines) const
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines = text.split(u'\n');
    // A line end after the last line starts no further line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return true;
}

bool PoolControl::BuildPool(bool removeDrawn)
{
    SettingsPanel &panel = *f.Einstellungen;
    DrawState &draw = f.Draw;
    if (listSourceInUse()) {
        // 1. The lines of the draw list file. (Reading of the list formats comes with the
        // draw lists themselves.)
        const QString name = panel.AusDateiPfad->text();
        QStringList lines;
        if (!readListFile(f.ProgramFolder + name, lines)) {
            f.platform().messageBox(lng("StrTivrelHinweis"),
                                    lngFormat("HinweisDateiNichtGefunden", {name}),
                                    Platform::Icon::Warning, Platform::Buttons::Ok);
            return false;
        }
        panel.Minimum->setValue(1);
        panel.Maximum->setValue(int(lines.size()));
        draw.PoolBuildCount = panel.Maximum->value() - panel.Minimum->value() + 1;
        if (draw.PoolBuildCount > 1000)
            ShowPrepareWindow();
        draw.DrawPool = lines;
    } else {
        // 2. The range Minimum .. Maximum.
        const NumberRange range{panel.Minimum->value(), panel.Maximum->value()};
        draw.PoolBuildCount = rangeSizeOf(range);
        if (draw.PoolBuildCount > 10000)
            ShowPrepareWindow();
        draw.DrawPool = buildRangePool(range, panel.ZeigeNullen->isChecked());
    }
    // List lines sort alphabetically in the results, numbers by value.
    f.Resultate->results()->setDrawnSortNumeric(!listSourceInUse());
    // 3. Entries already drawn in this pass leave the pool.
    if (!removeDrawn)
        return true;
    f.Resultate->DrawCount = qint32(f.Resultate->results()->rowCount());
    removeDrawnEntries(draw.DrawPool, f.Resultate->results()->drawnEntries());
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
    text->setPlainText(lng("StrFormResetHint1") + QString::number(f.Draw.PoolBuildCount) +
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

bool PoolControl::drawAllowed() const
{
    return ::drawAllowed(f.Resultate->DrawCount, f.Draw.DrawQuota, f.Draw.RangeSize,
                         f.Draw.DrawPool.size());
}

void PoolControl::DrawNumber()
{
    SettingsPanel &panel = *f.Einstellungen;
    QStringList &pool = f.Draw.DrawPool;
    if (pool.isEmpty() || !f.DrawGenerator)
        return;
    // 1. Choose and show.
    const qsizetype index = chooseEntryIndex(*f.DrawGenerator, pool.size());
    const QString entry = pool.at(index);
    f.ShowOnDisplay(entry, 2, true);
    // 2. Count.
    f.Resultate->DrawCount += 1;
    // 3.-7. The new row.
    ResultsModel &results = *f.Resultate->results();
    const int rows = results.rowCount() + 1;
    const int autopilotStart = panel.AutopilotStart->value();
    ResultRow row;
    row.Durchgang =
        panel.ckAutopilot->isChecked() && autopilotStart >= rows ? autopilotStart - rows + 1 : rows;
    if (panel.cbWinnings->isChecked() && (f.mode() == 0 || f.mode() == 1))
        row.Spiel = f.settingsFlow().prizeText(row.Durchgang);
    if (f.mode() == 4)
        row.Spiel = lotteryCellText(f.LottoGameNo, entry);
    row.Gezogen = entry;
    results.appendRow(row);
    // 8. Sort by draw number, newest on top, and select the top row.
    f.Resultate->sortResults(ResultsModel::Durchgang,
                             rows > autopilotStart ? Qt::DescendingOrder : Qt::AscendingOrder);
    f.Resultate->selectRow(0);
    // 9. The selection shows again.
    f.Resultate->setSelectionHidden(false);
    // 10. The draw log.
    writeLog();
    // 11.
    f.Resultate->FitResultColumns(f.width());
    // 12. The entry leaves the pool.
    removeEntryAt(pool, index);
}

bool PoolControl::writeLog()
{
    const SaveResult result = writeDrawLog(f.DrawLog, f.Resultate->results()->rows());
    if (result.ok) {
        m_logFailureShown = false;
        return true;
    }
    // The draw itself stands; the operator hears of the failure once, not at every draw.
    if (!m_logFailureShown) {
        m_logFailureShown = true;
        f.platform().messageBox(
            lng("StrTivrelHinweis"),
            lngFormat("HinweisLogNichtGeschrieben", {QString(f.DrawLog + QStringLiteral(" (") +
                                                             result.error + QLatin1Char(')'))}),
            Platform::Icon::Warning, Platform::Buttons::Ok);
    }
    return false;
}

void PoolControl::Reset_ZiehungClick()
{
    SettingsPanel &panel = *f.Einstellungen;
    f.Resultate->results()->clear();
    f.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
    f.Draw.DrawPool.clear();
    if ((f.mode() == 0 || f.mode() == 1) && panel.ckAutopilot->isChecked())
        panel.DoStatus->setItemIndex(0);
}

void PoolControl::ZeigeNullenClick()
{
    SettingsPanel &panel = *f.Einstellungen;
    if (panel.ZerosPromptMuted == 1) {
        panel.ZerosPromptMuted = 0;
        return;
    }
    const auto answer =
        f.platform().messageBox(lng("StrTivrelHinweis"), lng("HinweisFuerendeNullen"),
                                Platform::Icon::Question, Platform::Buttons::YesNo);
    if (answer == Platform::Answer::Yes) {
        f.Resultate->setColumnShown(ResultsModel::Spiel, false);
        Reset_ZiehungClick();
    } else {
        panel.ZerosPromptMuted = 1;
        panel.ZeigeNullen->setChecked(!panel.ZeigeNullen->isChecked());
    }
}

bool PoolControl::lotteryTableLeftOver() const
{
    return f.Resultate->columnShown(ResultsModel::Spiel) && f.mode() != 4 &&
           !f.Einstellungen->cbWinnings->isChecked();
}

bool PoolControl::clearLotteryTable()
{
    const auto answer =
        f.platform().messageBox(lng("StrTivrelHinweis"), lng("HinweisLottoschein"),
                                Platform::Icon::Question, Platform::Buttons::OkCancel);
    if (answer != Platform::Answer::Ok)
        return false;
    f.Resultate->setColumnShown(ResultsModel::Spiel, false);
    Reset_ZiehungClick();
    return true;
}

void PoolControl::MinimumChange()
{
    SettingsPanel &panel = *f.Einstellungen;
    const NumberRange range = consistentRange(panel.Minimum->value(), panel.Maximum->value());
    if (panel.Minimum->value() != range.minimum)
        panel.Minimum->setValue(range.minimum);
    if (panel.Maximum->value() != range.maximum)
        panel.Maximum->setValue(range.maximum);
    f.Draw.RangeSize = rangeSizeOf(range);
    ZiehungsquoteChange();
}

void PoolControl::ZiehungsquoteChange()
{
    // Values loaded at start-up are not yet subject to the rule; LoadSettings sets the quota.
    if (!f.startupDone())
        return;
    ApplyQuotaRule();
}

void PoolControl::ApplyQuotaRule()
{
    SettingsPanel &panel = *f.Einstellungen;
    DrawState &draw = f.Draw;
    QDoubleSpinBox *field = panel.Ziehungsquote;
    if (panel.Ziehung_Prozent->isChecked()) {
        {
            const QSignalBlocker block(field);
            field->setDecimals(1);
            field->setMaximum(100);
        }
        panel.LQuote->setText(lng("StrZiehungQuote"));
        panel.LAnzahl_Ziehungen->show();
        draw.DrawQuota = quotaFromPercent(field->value(), draw.RangeSize);
    } else {
        {
            // Raised to the next whole number before the field drops its decimal.
            const double whole = std::ceil(field->value());
            const QSignalBlocker block(field);
            field->setMaximum(qMax(0, draw.RangeSize));
            field->setDecimals(0);
            field->setValue(whole);
        }
        panel.LQuote->setText(lng("StrZiehungAnzahl"));
        panel.LAnzahl_Ziehungen->hide();
        draw.DrawQuota = quotaFromCount(field->value());
    }
    panel.LAnzahl_Ziehungen->setText(lng("StrZiehungAnzahl") + QStringLiteral(": ") +
                                     QString::number(draw.DrawQuota));
    if (!panel.Ziehung_Prozent->isChecked() && draw.DrawQuota > draw.RangeSize)
        field->setValue(draw.RangeSize); // runs the rule again
}

void PoolControl::ReloadDrawLog()
{
    if (!QFile::exists(f.DrawLog))
        return;
    if (f.mode() == 4) {
        f.Resultate->results()->setHeaderText(ResultsModel::Spiel, lng("StrSpielZahl"));
        f.Resultate->setColumnShown(ResultsModel::Spiel, true);
        f.Resultate->setColumnShown(ResultsModel::Gezogen, false);
    }
    QList<ResultRow> rows;
    if (!readDrawLog(f.DrawLog, rows))
        return;
    // Every log is written right after the rows were sorted by draw number.
    if (rows.size() > 1)
        f.Resultate->markSorted(ResultsModel::Durchgang,
                                rows.first().Durchgang <= rows.last().Durchgang
                                    ? Qt::AscendingOrder
                                    : Qt::DescendingOrder);
    f.Resultate->results()->setRows(std::move(rows));
}

void PoolControl::RestorePass()
{
    SettingsPanel &panel = *f.Einstellungen;
    ResultsModel &results = *f.Resultate->results();
    f.Resultate->DrawCount = 0;
    if (results.rowCount() == 0)
        return;
    f.ShowOnDisplay(results.rows().last().Gezogen, 2, true);
    f.Resultate->DrawCount = qint32(results.rowCount());
    removeDrawnEntries(f.Draw.DrawPool, results.drawnEntries());
    f.Draw.DrawQuota = panel.Ziehung_Prozent->isChecked()
                           ? quotaFromPercent(panel.Ziehungsquote->value(), f.Draw.RangeSize)
                           : quotaFromCount(panel.Ziehungsquote->value());
    if (f.Resultate->DrawCount >= f.Draw.DrawQuota ||
        f.Resultate->columnShown(ResultsModel::Spiel)) {
        f.drawControl().showNote(lng("StrDurchgangBeendet"));
        f.BTStartStop->setEnabled(false);
        f.BTStartStop->hide();
    }
}
