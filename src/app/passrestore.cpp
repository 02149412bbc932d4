#include "app/passrestore.h"

#include "app/controlstrip.h"
#include "draw/drawpass.h"
#include "draw/drawpool.h"
#include "draw/drawschedule.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "results/drawlog.h"
#include "results/resultstable.h"
#include "settings/settingssource.h"

#include <QFile>

void PassRestore::ReloadDrawLog()
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

void PassRestore::RestorePass()
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
