#include "settings/settingsstore.h"

#include "draw/drawpool.h"
#include "localisation/uitext.h"
#include "settings/profilefile.h"
#include "settings/settingscontrols.h"
#include "settings/settingshost.h"
#include "settings/settingspanel.h"
#include "settings/showoptions.h"
#include "settings/weboptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>

#include <cmath>

namespace {
// Sets a flag for the length of a scope.
class FlagScope {
public:
    explicit FlagScope(int &flag) : m_flag(flag) { m_flag = 1; }
    ~FlagScope() { m_flag = 0; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    int &m_flag;
};

// The range and the quota, in that order: the quota's limit follows the range.
void loadRangeAndQuota(SettingsPanel &p, SettingsHost &host, const Settings &s)
{
    const qint32 start = s.Start;
    const qint32 end = s.End;
    // A stored range above the current maximum would be pulled down to it by the range
    // handler before the maximum arrives; give the maximum first in that case.
    if (start > p.Maximum->value())
        p.Maximum->setValue(end);
    p.Minimum->setValue(start);
    p.Maximum->setValue(end);

    p.Ziehung_Prozent->setChecked(s.Cent);
    if (p.Ziehung_Prozent->isChecked()) {
        p.Ziehungsquote->setMaximum(100);
        p.Ziehungsquote->setDecimals(1);
        p.Ziehungsquote->setValue(s.QuotaPercent);
        const qint32 quota = quotaFromPercent(p.Ziehungsquote->value(), host.rangeSize());
        host.setDrawQuota(quota);
        p.LAnzahl_Ziehungen->setText(host.lookupConstant(QStringLiteral("StrZiehungAnzahl")) +
                                     QLatin1String(": ") + QString::number(quota));
    } else {
        p.Ziehungsquote->setMaximum(p.Maximum->value());
        p.Ziehungsquote->setDecimals(0);
        p.Ziehungsquote->setValue(s.QuotaCount);
        host.setDrawQuota(static_cast<qint32>(std::floor(p.Ziehungsquote->value())));
        // The page shows the count mode as applying it did: its label, no percentage line.
        p.LQuote->setText(host.lookupConstant(QStringLiteral("StrZiehungAnzahl")));
        p.LAnzahl_Ziehungen->hide();
    }
}

// Sound, effects, colours, language, window and background picture.
void loadDisplay(SettingsPanel &p, SettingsHost &host, const Settings &s)
{
    p.edSoundfile->setText(s.SFile);
    host.createWavePlayer();

    p.cbSound->setChecked(s.Sound);
    p.cbSchleife->setChecked(s.Play);
    if (p.edSoundfile->text().isEmpty())
        p.cbSchleife->setEnabled(false);

    p.cbFarbenregen->setChecked(s.Colors);
    p.cbNumberEffect->setChecked(s.Numbers);

    p.cpVordergrund->setColour(static_cast<quint32>(s.FGC));
    host.setDisplayForeColour(p.cpVordergrund->colour());
    p.cpHintergrund->setColour(static_cast<quint32>(s.BGC));
    host.setDisplayBackColour(p.cpHintergrund->colour());

    if (p.HilfeLng->count() > 0)
        p.HilfeLng->setCurrentIndex(s.Language);

    p.cbMaximiert->setChecked(s.Size);
    p.cbListeAus->setChecked(s.List);
    host.setResultsListTick(!p.cbListeAus->isChecked());
    if (p.cbMaximiert->isChecked())
        host.maximiseWindow();

    host.setOutputPanePercent(s.WinSize);

    p.gbShow->cbPublikum->setChecked(s.Audience);
    p.gbShow->setScreenName(s.AudienceScreen);
    p.gbShow->cbSanft->setChecked(s.SafeAnimation);
    if (p.gbShow->cbAnsagen->isEnabled())
        p.gbShow->cbAnsagen->setChecked(s.Speak);
    p.gbWeb->load(s);

    p.cbHintergrund->setChecked(s.HGB);
    p.cbHintergrundAnimiert->setChecked(s.HGA);
    p.edHintergrundbild->setText(s.HGI);
    if (!p.edHintergrundbild->text().isEmpty()) {
        if (host.loadBackgroundPicture(p.edHintergrundbild->text())) {
            p.cbHintergrund->setEnabled(true);
            p.cbHintergrundAnimiert->setEnabled(true);
        } else {
            // The stored name stays, so the next save keeps it; the problem shows beside it.
            p.cbHintergrund->setEnabled(false);
            p.edHintergrundbild->setProblem(
                host.lookupConstant(QStringLiteral("StrDateiNichtGefunden")));
        }
    }
}
} // namespace

void LoadSettings(SettingsPanel &p, SettingsHost &host, const Settings &s)
{
    loadRangeAndQuota(p, host, s);

    p.ckAutopilot->setChecked(s.AutoPilot);
    p.AutopilotStart->setValue(s.AutoVal);

    {
        // Padding set from the file asks nothing.
        const FlagScope muted(p.ZerosPromptMuted);
        p.ZeigeNullen->setChecked(s.Zeros);
    }

    p.HilfeAktiv->setChecked(s.Help);

    loadDisplay(p, host, s);

    host.setGameColumnVisible(s.Lottery);

    p.Lotto_Spiele->setValue(s.Games);
    p.Lotto_Pool->setValue(s.Pool);
    p.Lotto_n->setValue(s.Pool_n);
    p.Lotto_x->setValue(s.Pool_x);

    p.DoStatus->setItemIndex(s.Mode);
    p.Sekunden->setValue(s.Intervall);
    p.chkAutostop->setChecked(s.Autostop);
    p.Uhrzeit->setText(s.Time);

    // The draw list and the prize list set from the file ask nothing.
    const FlagScope muted(p.ListPromptMuted);
    p.AusDatei->setChecked(s.UseFile);
    p.AusDateiPfad->setText(s.Filename);
    p.AusDateiLaenge->setValue(s.Cols);
    p.edWinnings->setText(s.Winnings);
    p.cbWinnings->setChecked(s.UseWinnings);
    p.cbNachpruefbar->setChecked(s.VerifyEnabled);
    p.csvLayout =
        csvLayoutFromStored(s.ListColumns, s.ListCountColumn, s.ListHeader, s.ListSeparator);

    // Both lists are read once all their settings are in.
    host.loadPrizeList();
}

Settings CollectSettings(const SettingsPanel &p, const SettingsHost &host)
{
    Settings s;
    s.Start = p.Minimum->value();
    s.End = p.Maximum->value();
    s.Cent = p.Ziehung_Prozent->isChecked();
    s.QuotaPercent = p.Ziehungsquote->value();
    s.QuotaCount = static_cast<qint32>(std::ceil(p.Ziehungsquote->value()));
    s.AutoPilot = p.ckAutopilot->isChecked();
    s.AutoVal = p.AutopilotStart->value();

    s.Zeros = p.ZeigeNullen->isChecked();
    s.Help = p.HilfeAktiv->isChecked();
    s.Sound = p.cbSound->isChecked();
    s.Play = p.cbSchleife->isChecked();
    s.Colors = p.cbFarbenregen->isChecked();
    s.Numbers = p.cbNumberEffect->isChecked();
    s.Language = p.HilfeLng->currentIndex();
    s.Size = p.cbMaximiert->isChecked();
    s.List = p.cbListeAus->isChecked();
    s.Lottery = host.gameColumnVisible();
    s.FGC = static_cast<qint32>(p.cpVordergrund->colour());
    s.BGC = static_cast<qint32>(p.cpHintergrund->colour());
    s.HGB = p.cbHintergrund->isChecked();
    s.HGA = p.cbHintergrundAnimiert->isChecked();
    s.HGI = p.edHintergrundbild->text();
    s.SFile = p.edSoundfile->text();
    s.WinSize = host.outputPanePercentNow();
    s.Audience = p.gbShow->cbPublikum->isChecked();
    s.AudienceScreen = p.gbShow->screenName();
    s.SafeAnimation = p.gbShow->cbSanft->isChecked();
    s.Speak = p.gbShow->cbAnsagen->isChecked();
    p.gbWeb->collect(s);

    s.Games = p.Lotto_Spiele->value();
    s.Pool = p.Lotto_Pool->value();
    s.Pool_n = p.Lotto_n->value();
    s.Pool_x = p.Lotto_x->value();

    s.Mode = p.DoStatus->itemIndex();
    s.Intervall = p.Sekunden->value();
    s.Autostop = p.chkAutostop->isChecked();
    s.Time = p.Uhrzeit->text();
    s.UseFile = p.AusDatei->isChecked();
    s.Filename = p.AusDateiPfad->text();
    s.UseWinnings = p.cbWinnings->isChecked();
    s.Winnings = p.edWinnings->text();
    s.Cols = p.AusDateiLaenge->value();
    s.VerifyEnabled = p.cbNachpruefbar->isChecked();
    s.ListColumns = storedCsvColumns(p.csvLayout);
    s.ListCountColumn = storedCsvCountColumn(p.csvLayout);
    s.ListHeader = p.csvLayout.header;
    s.ListSeparator = storedCsvSeparator(p.csvLayout);
    return s;
}

void LoadSettings(SettingsPanel &panel, SettingsHost &host, const QString &settingsFile,
                  QString *refusal)
{
    SettingsContext context;
    context.languageCount = qMax(1, panel.HilfeLng->count());
    context.chosenLanguage = qMax(0, panel.HilfeLng->currentIndex());
    LoadSettings(panel, host, readSettingsFile(settingsFile, context, refusal));
}

SettingsSaveResult SaveSettings(SettingsPanel &panel, SettingsHost &host,
                                const QString &settingsFile)
{
    ProfileFile ini(settingsFile);
    const SaveResult result = writeSettings(CollectSettings(panel, host), ini);
    return {result.ok, saveFailureText(result)};
}
