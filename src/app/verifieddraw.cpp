#include "app/verifieddraw.h"

#include "app/controlstrip.h"
#include "draw/committedsegment.h"
#include "draw/drawpass.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "settings/settingssource.h"

#include <QRandomGenerator>

QByteArray VerifiedDraw::systemSeed()
{
    QByteArray seed(SeedBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(reinterpret_cast<quint32 *>(seed.data()),
                                         reinterpret_cast<quint32 *>(seed.data() + SeedBytes));
    return seed;
}

VerifiedDraw::VerifiedDraw(const Parts &parts, SeedSource seeds)
    : p(parts), m_seeds(std::move(seeds)), m_journal(p.journalPath)
{
    // After the draw that used up the pass, and after a new pass emptied the results, the
    // seed is revealed; from the event loop, once the draw is shown.
    const auto passChanged = [this] {
        if (m_journal.segmentOpen() && (!p.pass.drawAllowed() || p.pass.rows().isEmpty()))
            reveal();
    };
    QObject::connect(&p.pass, &DrawPass::rowInserted, &m_notices, passChanged,
                     Qt::QueuedConnection);
    QObject::connect(&p.pass, &DrawPass::rowsReset, &m_notices, passChanged, Qt::QueuedConnection);
    QObject::connect(&p.pass, &DrawPass::journalWriteFailed, &m_notices,
                     [this] { halt(saveFailureText(m_journal.lastWrite())); });
    QObject::connect(
        &p.pass, &DrawPass::drawRefused, &m_notices, [this] { resume(); }, Qt::QueuedConnection);
}

void VerifiedDraw::passReady()
{
    const Settings settings = p.settings.current();
    if (!m_opened) {
        if (!settings.VerifyEnabled) {
            p.pass.endCommittedDraws();
            return;
        }
        // A segment the last run left open is revealed first.
        const SaveResult opened = m_journal.open(p.platform.now());
        if (!opened.ok) {
            halt(saveFailureText(opened));
            return;
        }
        m_opened = true;
        restoreFromJournal(settings);
    }
    // A pool built anew draws in a segment of its own. A seed that cannot be revealed keeps
    // the draw halted, unless the option was switched off.
    if (m_journal.segmentOpen() && !reveal() && settings.VerifyEnabled)
        return;
    p.pass.endCommittedDraws();
    if (settings.VerifyEnabled && drawsSingleEntries(settings.mode()) && p.pass.drawAllowed() &&
        beginSegment()) {
        m_failureShown = false;
        showCommitment();
    }
}

void VerifiedDraw::resume()
{
    if (!p.pass.drawsHalted())
        return;
    passReady();
}

void VerifiedDraw::halt(const QString &reason)
{
    p.pass.haltDraws();
    p.display.ShowOnDisplay(lng("StrJournalAngehalten"), 2, false);
    p.strip.showLongNote(lng("StrJournalAngehalten"));
    writeFailed(reason);
}

void VerifiedDraw::restoreFromJournal(const Settings &settings)
{
    if (drawsSingleEntries(settings.mode()))
        p.pass.restoreRows(rowsMissingFromPass(m_journal, p.pass));
}

bool VerifiedDraw::beginSegment()
{
    SaveResult failure;
    const QString word = p.takeAudienceWord ? p.takeAudienceWord().trimmed() : QString();
    m_commitment = beginCommittedSegment(
        p.pass, m_journal, m_seeds(), [this] { return p.platform.now(); }, word, &failure);
    if (m_commitment.isEmpty()) {
        halt(saveFailureText(failure));
        return false;
    }
    m_countAtBegin = p.pass.drawCount();
    m_revealed.clear();
    return true;
}

bool VerifiedDraw::awaitingFirstDraw() const
{
    return m_journal.segmentOpen() && p.pass.drawCount() == m_countAtBegin;
}

void VerifiedDraw::showCommitment()
{
    if (!m_journal.segmentOpen())
        return;
    const QString text = groupedHex(m_commitment);
    p.display.ShowOnDisplay(lngFormat("StrFestlegung", {text}), 2, false);
    p.strip.showLongNote(lngFormat("StrFestlegung", {text}));
}

QString VerifiedDraw::commitmentNote() const
{
    if (m_commitment.isEmpty())
        return {};
    // The chain head after the newest draw anchors the journal from the printed page.
    const QList<DrawJournal::PassDraw> &draws = m_journal.lastPassDraws();
    const QString note = lngFormat("StrFestlegung", {groupedHex(m_commitment)});
    if (draws.isEmpty())
        return note;
    return note + QStringLiteral(", ") +
           lngFormat("StrKettenkopf",
                     {groupedHex(QByteArray::fromHex(draws.last().hash.left(24)))});
}

QString VerifiedDraw::chainHeadNote(const QString &entry) const
{
    if (!m_opened || !p.settings.current().VerifyEnabled)
        return {};
    const QByteArray head = m_journal.chainHead(entry);
    if (head.isEmpty())
        return {};
    return lngFormat("StrKettenkopf", {groupedHex(QByteArray::fromHex(head.left(24)))});
}

bool VerifiedDraw::reveal()
{
    const QByteArray seed = m_journal.seed();
    p.pass.endCommittedDraws();
    const SaveResult revealed = m_journal.reveal(p.platform.now());
    if (!revealed.ok) {
        halt(saveFailureText(revealed));
        return false;
    }
    m_revealed = seed;
    p.strip.showLongNote(lngFormat("StrStartwertOffen", {groupedHex(seed)}));
    return true;
}

void VerifiedDraw::mmStartwertOffenlegenClick()
{
    if (!m_journal.segmentOpen())
        return;
    const QByteArray seed = m_journal.seed();
    const qint32 segment = m_journal.lastSegment();
    reveal();
    if (m_journal.segmentOpen())
        return;
    p.platform.messageBox(
        lng("StrTivrelHinweis"),
        lngFormat("HinweisStartwertOffen", {segment, QString::fromLatin1(seed.toHex())}),
        Platform::Icon::Information, Platform::Buttons::Ok);
    passReady();
}

void VerifiedDraw::writeFailed(const QString &reason)
{
    if (m_failureShown)
        return;
    m_failureShown = true;
    const QString name =
        reason.isEmpty() ? p.journalPath : p.journalPath + QStringLiteral(" (") + reason + u')';
    p.platform.messageBox(lng("StrTivrelHinweis"), lngFormat("HinweisJournalFehler", {name}),
                          Platform::Icon::Warning, Platform::Buttons::Ok);
}
