#include "app/rangecontrol.h"

#include "app/commands.h"
#include "draw/drawpass.h"
#include "draw/drawpool.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "results/resultstable.h"
#include "settings/rangepage.h"

void RangeControl::ZeigeNullenClick()
{
    const auto answer = p.platform.messageBox(lng("StrTivrelHinweis"), lng("HinweisFuerendeNullen"),
                                              Platform::Icon::Question, Platform::Buttons::YesNo);
    if (answer == Platform::Answer::Yes) {
        startNewPass();
    } else {
        p.range.setZerosQuietly(!p.range.zeros());
    }
}

void RangeControl::startNewPass()
{
    p.results.setColumnShown(ResultsModel::Spiel, false);
    if (m_passCommands)
        m_passCommands->Reset_ZiehungClick();
}

void RangeControl::recordLotteryRange(qint32 n, qint32 x, qint32 draws)
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

void RangeControl::MinimumChange()
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

void RangeControl::ZiehungsquoteChange()
{
    // Values loaded at start-up are not yet subject to the rule; loading sets the quota.
    if (!m_startupDone)
        return;
    ApplyQuotaRule();
}

void RangeControl::ApplyQuotaRule()
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

void RangeControl::showQuotaTexts()
{
    p.range.setQuotaCaption(lng(p.range.quotaInPercent() ? "StrZiehungQuote" : "StrZiehungAnzahl"));
    p.range.setQuotaCountLine(lng("StrZiehungAnzahl") + QStringLiteral(": ") +
                              QString::number(p.pass.drawQuota()));
}

void RangeControl::ckAutopilotClick()
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

void RangeControl::AutopilotStartChange()
{
    p.range.setAutopilotRest(QStringLiteral(" + ") +
                             QString::number(p.pass.drawQuota() - p.range.autopilotStart()));
}

void RangeControl::AutopilotStartEnter()
{
    ApplyQuotaRule();
    p.range.setAutopilotMaximum(qMax(0, p.pass.drawQuota()));
}

qint32 RangeControl::showListRange(qint32 lines)
{
    p.range.setMinimum(1);
    p.range.setMaximum(lines);
    return p.range.maximum() - p.range.minimum() + 1;
}

void RangeControl::takeListRange(qint32 lines)
{
    RangePage &page = p.range;
    page.setMinimum(1);
    page.setMaximum(lines);
    if (page.quotaInPercent()) {
        page.setQuota(100);
        page.setQuotaCountLine(QStringLiteral("= ") + QString::number(lines));
        p.pass.setQuota(lines);
    } else {
        page.setQuota(lines);
    }
    page.setAutopilotMaximum(lines);
}
