#include "settings/settingsstore.h"

#include "draw/drawpass.h"
#include "draw/drawpool.h"
#include "localisation/uitext.h"
#include "settings/lotterypage.h"
#include "settings/modepage.h"
#include "settings/optionspage.h"
#include "settings/profilefile.h"
#include "settings/rangepage.h"
#include "settings/settingshost.h"
#include "settings/settingspanel.h"
#include "settings/showoptions.h"
#include "settings/weboptions.h"

#include <cmath>

namespace {
// The range and the quota, in that order: the quota's limit follows the range.
void loadRangeAndQuota(RangePage &page, DrawPass &pass, const Settings &s)
{
    page.loadRange(s);
    page.setQuotaInPercent(s.Cent);
    if (page.quotaInPercent()) {
        page.shapeQuotaAsPercent();
        page.setQuota(s.QuotaPercent);
        const qint32 quota = quotaFromPercent(page.quota(), pass.rangeSize());
        pass.setQuota(quota);
        page.setQuotaCountLine(lng("StrZiehungAnzahl") + QLatin1String(": ") +
                               QString::number(quota));
    } else {
        page.shapeQuotaAsCount(page.maximum());
        page.setQuota(s.QuotaCount);
        pass.setQuota(static_cast<qint32>(std::floor(page.quota())));
        // The page shows the count mode as applying it did: its label, no percentage line.
        page.setQuotaCaption(lng("StrZiehungAnzahl"));
        page.showQuotaCountLine(false);
    }
}

// Sound, effects, colours, language, window and background picture.
void loadDisplay(OptionsPage &page, SettingsHost &host, const Settings &s)
{
    // The sound file is loaded as leaving its field loads it.
    page.setSoundFile(s.SFile);
    page.leaveSoundFile();
    page.loadSound(s);

    // The display follows the pickers (it holds their colours from the start).
    page.loadEffects(s);
    page.setForeColour(static_cast<quint32>(s.FGC));
    page.setBackColour(static_cast<quint32>(s.BGC));

    if (page.languageCount() > 0)
        page.setLanguageIndex(s.Language);

    page.loadWindowOptions(s);
    host.setResultsListTick(!page.listOff());
    if (page.maximised())
        host.maximiseWindow();

    host.setOutputPanePercent(s.WinSize);

    page.showOptions().load(s);
    page.webOptions().load(s);

    page.loadPicture(s);
    if (!page.picturePath().isEmpty()) {
        if (host.loadBackgroundPicture(page.picturePath())) {
            page.openPictureOptions(true, true);
        } else {
            // The stored name stays, so the next save keeps it; the problem shows beside it.
            page.refusePicture(lng("StrDateiNichtGefunden"));
        }
    }
}
} // namespace

void LoadSettings(SettingsPanel &p, DrawPass &pass, SettingsHost &host, const Settings &s)
{
    RangePage &range = p.rangePage();
    loadRangeAndQuota(range, pass, s);
    range.loadAutopilotAndZeros(s);

    p.setHelpOn(s.Help);

    loadDisplay(p.optionsPage(), host, s);

    host.setGameColumnVisible(s.Lottery);
    p.lotteryPage().loadLottery(s);
    p.modePage().load(s);
    range.loadLists(s);
    p.lotteryPage().loadVerification(s);
}

Settings CollectSettings(const SettingsPanel &p, const SettingsHost &host)
{
    Settings s;
    p.rangePage().collect(s);
    p.lotteryPage().collect(s);
    p.modePage().collect(s);
    p.optionsPage().collect(s);
    s.Help = p.helpOn();
    s.Lottery = host.gameColumnVisible();
    s.WinSize = host.outputPanePercentNow();
    return s;
}

void LoadSettings(SettingsPanel &panel, DrawPass &pass, SettingsHost &host,
                  const QString &settingsFile, QString *refusal)
{
    SettingsContext context;
    context.languageCount = qMax(1, panel.optionsPage().languageCount());
    context.chosenLanguage = qMax(0, panel.optionsPage().languageIndex());
    LoadSettings(panel, pass, host, readSettingsFile(settingsFile, context, refusal));
}

SettingsSaveResult SaveSettings(SettingsPanel &panel, SettingsHost &host,
                                const QString &settingsFile)
{
    ProfileFile ini(settingsFile);
    const SaveResult result = writeSettings(CollectSettings(panel, host), ini);
    return {result.ok, saveFailureText(result)};
}
