#include "app/logkeeper.h"

#include "draw/drawpass.h"
#include "localisation/uitext.h"
#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

LogKeeper::LogKeeper(const Parts &parts, QObject *parent) : QObject(parent), p(parts)
{
    m_retry.setInterval(RetryMs);
    connect(&m_retry, &QTimer::timeout, this, &LogKeeper::retry);
    // The draw is complete when the pass says the log failed; the notice comes from the event
    // loop, so it never holds up a draw.
    connect(&p.pass, &DrawPass::logWriteFailed, this, &LogKeeper::writeFailed,
            Qt::QueuedConnection);
    connect(&p.pass, &DrawPass::logCaughtUp, this, &LogKeeper::caughtUp);
    // A draw whose log was written makes good every earlier failure.
    const auto drawn = [this] {
        if (!p.pass.logPending() && m_retry.isActive())
            caughtUp();
    };
    connect(&p.pass, &DrawPass::rowInserted, this, drawn);
    connect(&p.pass, &DrawPass::rowsReset, this, drawn);
}

void LogKeeper::notice(const QString &text)
{
    p.platform.messageBox(lng("StrTivrelHinweis"), text, Platform::Icon::Warning,
                          Platform::Buttons::Ok);
}

void LogKeeper::writeFailed(const QString &reason)
{
    // Queued: a write made good since has nothing left to tell.
    if (!p.pass.logPending())
        return;
    m_reason = reason;
    if (!m_retry.isActive())
        m_retry.start();
    // The operator hears of it once, not at every draw, until the log is written again.
    if (m_failureShown)
        return;
    m_failureShown = true;
    notice(lngFormat("HinweisLogNichtGeschrieben",
                     {QString(QDir::toNativeSeparators(p.drawLog) + QStringLiteral(" (") + reason +
                              QLatin1Char(')'))}));
}

void LogKeeper::retry()
{
    if (!p.pass.retryLog())
        m_reason = saveFailureText(p.pass.lastLogWrite());
}

void LogKeeper::caughtUp()
{
    m_retry.stop();
    if (!m_failureShown)
        return;
    m_failureShown = false;
    // A window that closes because the log is written now needs no word of it.
    if (!m_asking)
        notice(lngFormat("HinweisLogNachgeholt", {QDir::toNativeSeparators(p.drawLog)}));
}

bool LogKeeper::closeAllowed()
{
    // A second request to close (a signal while the question is open) waits for its answer.
    if (m_asking)
        return false;
    const QScopedValueRollback asking(m_asking, true);
    while (p.pass.logPending()) {
        if (p.pass.retryLog())
            return true;
        m_reason = saveFailureText(p.pass.lastLogWrite());
        const int choice = p.platform.askChoice(
            lng("StrTivrelHinweis"),
            lngFormat("FrageLogUngeschrieben",
                      {QString(QDir::toNativeSeparators(p.drawLog) + QStringLiteral(" (") +
                               m_reason + QLatin1Char(')'))}),
            Platform::Icon::Warning,
            {lng("StrErneutVersuchen"), lng("StrAnderswoSpeichern"), lng("StrTrotzdemSchliessen")});
        switch (choice) {
        case 0: break; // the loop writes again
        case 1:
            if (saveElsewhere())
                return true;
            break;
        case 2: return true;
        default: return false;
        }
    }
    return true;
}

bool LogKeeper::saveElsewhere()
{
    const QString suggested = p.filesFolder + QFileInfo(p.drawLog).fileName();
    const QString target = p.platform.saveFileName(lng("StrErgebnisseSpeichern"), suggested,
                                                   QStringLiteral("Ziehungsprotokoll (*.log)"));
    if (target.isEmpty())
        return false;
    const SaveResult saved = p.pass.writeLogTo(target);
    if (!saved.ok) {
        notice(lngFormat("HinweisNichtGespeichert",
                         {QString(QDir::toNativeSeparators(target) + QStringLiteral(" (") +
                                  saveFailureText(saved) + QLatin1Char(')'))}));
        return false;
    }
    notice(lngFormat("HinweisErgebnisseGespeichert",
                     {QDir::toNativeSeparators(target), QDir::toNativeSeparators(p.drawLog)}));
    return true;
}
