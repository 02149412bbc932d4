#include "settings/settingsstore.h"

#include "draw/drawpool.h"
#include "settings/profilefile.h"
#include "settings/settingscontrols.h"
#include "settings/settingshost.h"
#include "settings/settingspanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>

#include <cmath>

namespace {
const QString NUM = QStringLiteral("NUM");
const QString DISPLAY = QStringLiteral("DISPLAY");
const QString LOTTERY = QStringLiteral("LOTTERY");
const QString DRAW = QStringLiteral("DRAW");

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

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

constexpr quint32 WhiteBgr = 0xFFFFFF;
constexpr int DefaultOutputPanePercent = 25;

bool isStoredColour(qint32 value, bool noColourAllowed)
{
    if (noColourAllowed && static_cast<quint32>(value) == ColourPicker::NoColour)
        return true;
    return value >= 0 && value <= 0xFFFFFF;
}

// A stored number that is kept only inside [low, high]; anything else gives the default.
qint32 withinOr(qint32 value, qint32 low, qint32 high, qint32 defaultValue)
{
    return (value >= low && value <= high) ? value : defaultValue;
}

// Text keys of number fields: the number when the text is one, else the default; the spin
// field itself clamps it to its limits.
void loadSpinText(QSpinBox *spin, const ProfileFile &ini, const QString &section,
                  const QString &name, qint32 defaultValue)
{
    const std::optional<qint32> number = ProfileFile::parseInteger(ini.readString(section, name));
    spin->setValue(number.value_or(defaultValue));
}

// Steps 1-3: the range and the quota.
void loadRangeAndQuota(SettingsPanel &p, SettingsHost &host, const ProfileFile &ini)
{
    const qint32 start = ini.readInteger(NUM, key("Start"), 100);
    const qint32 end = ini.readInteger(NUM, key("End"), 999);
    // A stored range above the current maximum would be pulled down to it by the range
    // handler before the maximum arrives; give the maximum first in that case.
    if (start > p.Maximum->value())
        p.Maximum->setValue(end);
    p.Minimum->setValue(start);
    p.Maximum->setValue(end);

    p.Ziehung_Prozent->setChecked(ini.readBool(NUM, key("Cent"), true));
    if (p.Ziehung_Prozent->isChecked()) {
        p.Ziehungsquote->setMaximum(100);
        p.Ziehungsquote->setDecimals(1);
        p.Ziehungsquote->setValue(ini.readDecimal(NUM, key("Count"), 10));
        const qint32 quota = quotaFromPercent(p.Ziehungsquote->value(), host.rangeSize());
        host.setDrawQuota(quota);
        p.LAnzahl_Ziehungen->setText(host.lookupConstant(QStringLiteral("StrZiehungAnzahl"))
                                     + QLatin1String(": ") + QString::number(quota));
    } else {
        p.Ziehungsquote->setMaximum(p.Maximum->value());
        p.Ziehungsquote->setDecimals(0);
        p.Ziehungsquote->setValue(ini.readInteger(NUM, key("Percentage"), 10));
        host.setDrawQuota(static_cast<qint32>(std::floor(p.Ziehungsquote->value())));
    }
}

// Steps 7-14: sound, effects, colours, language, window and background picture.
void loadDisplay(SettingsPanel &p, SettingsHost &host, const ProfileFile &ini)
{
    p.edSoundfile->setText(ini.readString(DISPLAY, key("SFile")));
    host.createWavePlayer();

    p.cbSound->setChecked(ini.readBool(DISPLAY, key("Sound"), true));
    p.cbSchleife->setChecked(ini.readBool(DISPLAY, key("Play"), false));
    if (p.edSoundfile->text().isEmpty())
        p.cbSchleife->setEnabled(false);

    p.cbFarbenregen->setChecked(ini.readBool(DISPLAY, key("Colors"), true));
    p.cbNumberEffect->setChecked(ini.readBool(DISPLAY, key("Numbers"), true));

    qint32 fore = ini.readInteger(DISPLAY, key("FGC"), 0);
    if (!isStoredColour(fore, true))
        fore = 0;
    p.cpVordergrund->setColour(static_cast<quint32>(fore));
    host.setDisplayForeColour(p.cpVordergrund->colour());
    qint32 back = ini.readInteger(DISPLAY, key("BGC"), static_cast<qint32>(WhiteBgr));
    if (!isStoredColour(back, false))
        back = static_cast<qint32>(WhiteBgr);
    p.cpHintergrund->setColour(static_cast<quint32>(back));
    host.setDisplayBackColour(p.cpHintergrund->colour());

    // A negative index means German, the first entry; an index beyond the list (written by a
    // version with more languages) falls back to the language chosen from the system.
    if (const int languages = p.HilfeLng->count(); languages > 0) {
        const int chosen = std::max(0, p.HilfeLng->currentIndex());
        const qint32 stored = ini.readInteger(DISPLAY, key("Language"), chosen);
        p.HilfeLng->setCurrentIndex(stored < 0 ? 0 : stored >= languages ? chosen : stored);
    }

    p.cbMaximiert->setChecked(ini.readBool(DISPLAY, key("Size"), false));
    p.cbListeAus->setChecked(ini.readBool(DISPLAY, key("List"), false));
    host.setResultsListTick(!p.cbListeAus->isChecked());
    if (p.cbMaximiert->isChecked())
        host.maximiseWindow();

    host.setOutputPanePercent(withinOr(ini.readInteger(DISPLAY, key("WinSize"),
                                                       DefaultOutputPanePercent),
                                       0, 100, DefaultOutputPanePercent));

    p.cbHintergrund->setChecked(ini.readBool(DISPLAY, key("HGB"), false));
    p.cbHintergrundAnimiert->setChecked(ini.readBool(DISPLAY, key("HGA"), false));
    p.edHintergrundbild->setText(ini.readString(DISPLAY, key("HGI")));
    if (!p.edHintergrundbild->text().isEmpty()) {
        if (host.loadBackgroundPicture(p.edHintergrundbild->text())) {
            p.cbHintergrund->setEnabled(true);
            p.cbHintergrundAnimiert->setEnabled(true);
        } else {
            p.cbHintergrund->setEnabled(false);
            p.edHintergrundbild->setText(host.lookupConstant(QStringLiteral("StrDateiNichtGefunden")));
        }
    }
}
} // namespace

QString timeOfDayText(const QString &stored)
{
    static const QRegularExpression time(QStringLiteral("^\\s*(\\d{1,2})\\s*:\\s*(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch m = time.match(stored);
    if (!m.hasMatch())
        return QString();
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(2).toInt();
    if (hours > 23 || minutes > 59)
        return QString();
    return QStringLiteral("%1:%2").arg(hours, 2, 10, QLatin1Char('0')).arg(minutes, 2, 10, QLatin1Char('0'));
}

void LoadSettings(SettingsPanel &p, SettingsHost &host, const QString &settingsFile)
{
    const ProfileFile ini(settingsFile);

    loadRangeAndQuota(p, host, ini);                                        // 1-3

    p.ckAutopilot->setChecked(ini.readBool(NUM, key("AutoPilot"), false)); // 4
    p.AutopilotStart->setValue(ini.readInteger(NUM, key("AutoVal"), 999));

    {                                                                       // 5
        const FlagScope muted(p.ZerosPromptMuted);
        p.ZeigeNullen->setChecked(ini.readBool(DISPLAY, key("Zeros"), false));
    }

    p.HilfeAktiv->setChecked(ini.readBool(DISPLAY, key("Help"), true));   // 6

    loadDisplay(p, host, ini);                                              // 7-14

    host.setGameColumnVisible(ini.readBool(DISPLAY, key("Lottery"), false)); // 15

    loadSpinText(p.Lotto_Spiele, ini, LOTTERY, key("Games"), 2);            // 16
    loadSpinText(p.Lotto_Pool, ini, LOTTERY, key("Pool"), 2);
    p.Lotto_n->setValue(ini.readInteger(LOTTERY, key("Pool_n"), 6));
    p.Lotto_x->setValue(ini.readInteger(LOTTERY, key("Pool_x"), 49));

    p.DoStatus->setItemIndex(withinOr(ini.readInteger(DRAW, key("Mode"), 0), 0,   // 17
                                      p.DoStatus->count() - 1, 0));
    loadSpinText(p.Sekunden, ini, DRAW, key("Intervall"), 5);
    p.chkAutostop->setChecked(ini.readBool(DRAW, key("Autostop"), false));
    p.Uhrzeit->setText(timeOfDayText(ini.readString(DRAW, key("Time"))));

    const FlagScope muted(p.ListPromptMuted);                               // 18, 20
    p.AusDatei->setChecked(ini.readBool(DRAW, key("UseFile"), false));
    p.AusDateiPfad->setText(ini.readString(DRAW, key("Filename")));
    p.AusDateiLaenge->setValue(ini.readInteger(DRAW, key("Cols"), 10));
    p.edWinnings->setText(ini.readString(DRAW, key("Winnings")));
    p.cbWinnings->setChecked(ini.readBool(DRAW, key("UseWinnings"), false));

    host.loadPrizeList();                                                   // 19
}

SettingsSaveResult SaveSettings(SettingsPanel &p, SettingsHost &host, const QString &settingsFile)
{
    ProfileFile ini(settingsFile);
    // Each write is on disk before the next; the first that fails ends the saving.
    bool ok = true;
    auto integer = [&](const QString &section, const char *name, qint32 value) {
        ok = ok && ini.writeInteger(section, key(name), value);
    };
    auto boolean = [&](const QString &section, const char *name, bool value) {
        ok = ok && ini.writeBool(section, key(name), value);
    };
    auto text = [&](const QString &section, const char *name, const QString &value) {
        ok = ok && ini.writeString(section, key(name), value);
    };
    auto ceiling = [](double value) { return static_cast<qint32>(std::ceil(value)); };

    integer(NUM, "Start", p.Minimum->value());
    integer(NUM, "End", p.Maximum->value());
    boolean(NUM, "Cent", p.Ziehung_Prozent->isChecked());
    if (p.Ziehung_Prozent->isChecked())
        ok = ok && ini.writeDecimal(NUM, key("Count"), p.Ziehungsquote->value());
    else
        integer(NUM, "Percentage", ceiling(p.Ziehungsquote->value()));
    boolean(NUM, "AutoPilot", p.ckAutopilot->isChecked());
    integer(NUM, "AutoVal", p.AutopilotStart->value());

    boolean(DISPLAY, "Zeros", p.ZeigeNullen->isChecked());
    boolean(DISPLAY, "Help", p.HilfeAktiv->isChecked());
    boolean(DISPLAY, "Sound", p.cbSound->isChecked());
    boolean(DISPLAY, "Play", p.cbSchleife->isChecked());
    boolean(DISPLAY, "Colors", p.cbFarbenregen->isChecked());
    boolean(DISPLAY, "Numbers", p.cbNumberEffect->isChecked());
    integer(DISPLAY, "Language", p.HilfeLng->currentIndex());
    boolean(DISPLAY, "Size", p.cbMaximiert->isChecked());
    boolean(DISPLAY, "List", p.cbListeAus->isChecked());
    boolean(DISPLAY, "Lottery", host.gameColumnVisible());
    integer(DISPLAY, "FGC", static_cast<qint32>(p.cpVordergrund->colour()));
    integer(DISPLAY, "BGC", static_cast<qint32>(p.cpHintergrund->colour()));
    boolean(DISPLAY, "HGB", p.cbHintergrund->isChecked());
    boolean(DISPLAY, "HGA", p.cbHintergrundAnimiert->isChecked());
    text(DISPLAY, "HGI", p.edHintergrundbild->text());
    text(DISPLAY, "SFile", p.edSoundfile->text());
    integer(DISPLAY, "WinSize", host.outputPanePercentNow());

    integer(LOTTERY, "Games", p.Lotto_Spiele->value());
    integer(LOTTERY, "Pool", p.Lotto_Pool->value());
    if (p.Lotto_n->value() < 1)
        p.Lotto_n->setValue(1);
    integer(LOTTERY, "Pool_n", p.Lotto_n->value());
    if (p.Lotto_x->value() < 1)
        p.Lotto_x->setValue(1);
    integer(LOTTERY, "Pool_x", p.Lotto_x->value());

    integer(DRAW, "Mode", p.DoStatus->itemIndex());
    integer(DRAW, "Intervall", p.Sekunden->value());
    boolean(DRAW, "Autostop", p.chkAutostop->isChecked());
    text(DRAW, "Time", p.Uhrzeit->text());
    boolean(DRAW, "UseFile", p.AusDatei->isChecked());
    text(DRAW, "Filename", p.AusDateiPfad->text());
    boolean(DRAW, "UseWinnings", p.cbWinnings->isChecked());
    text(DRAW, "Winnings", p.edWinnings->text());
    integer(DRAW, "Cols", p.AusDateiLaenge->value());

    if (ok)
        return {};
    return {false, ini.errorString()};
}
