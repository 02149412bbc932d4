#include "settings/settingspanel.h"

#include "settings/settingscontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
QString t(const char *text)
{
    return QString::fromUtf8(text);
}

QLabel *headerPanel(const char *title, QWidget *parent)
{
    auto *label = new QLabel(t(title), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAutoFillBackground(true);
    label->setMargin(4);
    label->setStyleSheet(QStringLiteral("background:#e8e0c0;"));
    return label;
}

QSpinBox *spinField(int minimum, int maximum, int value, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    return spin;
}
} // namespace

SettingsPanel::SettingsPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Einstellungen"));
    setFixedHeight(300);
    setAutoFillBackground(true);
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    setPalette(cream);

    SettingX = new QWidget(this);
    SettingX->setObjectName(QStringLiteral("SettingX"));
    SettingX->setFixedWidth(549);
    SettingX->setGeometry(0, 0, 549, 300);

    auto *grid = new QGridLayout(SettingX);
    grid->setContentsMargins(4, 4, 4, 4);

    auto *topRow = new QHBoxLayout;
    btModus = new QPushButton(t("Modus"), SettingX);
    btKonfig = new QPushButton(t("Konfigurieren"), SettingX);
    btOptionen = new QPushButton(t("Optionen"), SettingX);
    HilfeAktiv = new QCheckBox(t("Hilfe"), SettingX);
    HilfeAktiv->setChecked(true);
    topRow->addWidget(btModus);
    topRow->addWidget(btKonfig);
    topRow->addWidget(btOptionen);
    topRow->addWidget(HilfeAktiv);
    topRow->addStretch();
    grid->addLayout(topRow, 0, 0);

    Konfiguration = new QStackedWidget(SettingX);
    Konfiguration->setFixedSize(375, 199);
    konfAktion = buildActionPage();
    konfQuote = buildQuotaPage();
    konfLotto = buildLotteryPage();
    konfOptionen = buildOptionsPage();
    konfAktion->setWindowTitle(QStringLiteral("HTMLAktion"));
    konfQuote->setWindowTitle(QStringLiteral("HTMLQuote"));
    konfLotto->setWindowTitle(QStringLiteral("HTMLLotto"));
    konfOptionen->setWindowTitle(QStringLiteral("HTMLOptionen"));
    for (QWidget *page : {konfAktion, konfQuote, konfLotto, konfOptionen})
        Konfiguration->addWidget(page);
    grid->addWidget(Konfiguration, 1, 0);

    auto *buttons = new QVBoxLayout;
    BTDrucken = new QPushButton(t("Ergebnis &drucken"), SettingX);
    BTDrucken->setToolTip(t("Ausgabe der Liste auf den Standard-Drucker"));
    BTHTML = new QPushButton(t("Ergebnis als &HTML"), SettingX);
    BTHTML->setToolTip(t("Die aktuelle Liste im Browser anzeigen"));
    BTCSV = new QPushButton(t("&CSV-Export"), SettingX);
    BTTxT = new QPushButton(t("&TXT-Export"), SettingX);
    Reset_Ziehung = new QPushButton(t("&Neuer Durchgang"), SettingX);
    Reset_Ziehung->setToolTip(t("Der aktuelle Durchgang wird gelöscht!"));
    BTEinstellungenSchliessen = new QPushButton(t("&Einstellungen übernehmen"), SettingX);
    BTEinstellungenSchliessen->setMinimumHeight(48);
    for (QPushButton *b : {BTDrucken, BTHTML, BTCSV, BTTxT, Reset_Ziehung}) {
        b->setFixedWidth(148);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    BTEinstellungenSchliessen->setFixedWidth(148);
    buttons->addWidget(BTEinstellungenSchliessen);
    grid->addLayout(buttons, 0, 1, 2, 1);
}

QWidget *SettingsPanel::buildActionPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    hpModus = headerPanel("Modus wählen", page);
    layout->addWidget(hpModus, 0, 0, 1, 2);
    DoStatus = new RadioGroup(t("Aktion"),
                              {t("manuelle Ziehung"), t("Automatisch alle (Sekunden)"),
                               t("nächste Ziehung um (Uhr)"), t("nächste Ziehung um (Countdown)"),
                               t("Lotterie")},
                              page);
    layout->addWidget(DoStatus, 1, 0, 3, 1);
    chkAutostop = new QCheckBox(t("Autostop"), page);
    layout->addWidget(chkAutostop, 1, 1);
    Sekunden = spinField(0, 9999, 5, page);
    layout->addWidget(Sekunden, 2, 1);
    Uhrzeit = new QLineEdit(page);
    Uhrzeit->setInputMask(QStringLiteral("99:99;_"));
    Uhrzeit->setMaxLength(5);
    Uhrzeit->setEnabled(false);
    layout->addWidget(Uhrzeit, 3, 1);
    return page;
}

QWidget *SettingsPanel::buildQuotaPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    hpQuote = headerPanel("Zahlenbereich und Quote einstellen", page);
    layout->addWidget(hpQuote, 0, 0, 1, 4);

    layout->addWidget(new QLabel(t("Zahlen &zwischen"), page), 1, 0);
    Minimum = spinField(0, 999999, 100, page);
    layout->addWidget(Minimum, 1, 1);
    layout->addWidget(new QLabel(t("&und"), page), 1, 2);
    Maximum = spinField(0, 999999, 999, page);
    layout->addWidget(Maximum, 1, 3);

    ZeigeNullen = new QCheckBox(t("Nullen füllen"), page);
    layout->addWidget(ZeigeNullen, 2, 0);
    AusDatei = new QCheckBox(t("Aus Datei"), page);
    layout->addWidget(AusDatei, 2, 1);
    AusDateiPfad = new FileField(page);
    layout->addWidget(AusDateiPfad, 2, 2, 1, 2);
    layout->addWidget(new QLabel(t("Anzeigelänge"), page), 3, 2);
    AusDateiLaenge = spinField(0, 999, 10, page);
    layout->addWidget(AusDateiLaenge, 3, 3);

    LQuote = new QLabel(t("Ziehungsqu&ote (%)"), page);
    layout->addWidget(LQuote, 4, 0);
    Ziehungsquote = new QDoubleSpinBox(page);
    Ziehungsquote->setDecimals(1);
    Ziehungsquote->setRange(0, 100);
    Ziehungsquote->setValue(10);
    LQuote->setBuddy(Ziehungsquote);
    layout->addWidget(Ziehungsquote, 4, 1);
    Ziehung_Prozent = new QCheckBox(t("%"), page);
    Ziehung_Prozent->setChecked(true);
    layout->addWidget(Ziehung_Prozent, 4, 2);
    LAnzahl_Ziehungen = new QLabel(t("(= n Ziehungen)"), page);
    layout->addWidget(LAnzahl_Ziehungen, 4, 3);

    ckAutopilot = new QCheckBox(t("Autopilot"), page);
    layout->addWidget(ckAutopilot, 5, 0);
    AutopilotStart = spinField(0, 9999, 999, page);
    AutopilotStart->setEnabled(false);
    layout->addWidget(AutopilotStart, 5, 1);
    lbAutopilotRest = new QLabel(page);
    lbAutopilotRest->setVisible(false);
    layout->addWidget(lbAutopilotRest, 5, 2, 1, 2);

    cbWinnings = new QCheckBox(t("Gewinnliste"), page);
    layout->addWidget(cbWinnings, 6, 0);
    edWinnings = new FileField(page);
    layout->addWidget(edWinnings, 6, 1, 1, 3);
    layout->setRowStretch(7, 1);
    return page;
}

QWidget *SettingsPanel::buildLotteryPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    hpLotto = headerPanel("Lotterie (Lottozahlen) einstellen", page);
    layout->addWidget(hpLotto, 0, 0, 1, 4);
    layout->addWidget(new QLabel(t("Gezogen werden"), page), 1, 0);
    Lotto_n = spinField(1, 15, 6, page);
    layout->addWidget(Lotto_n, 1, 1);
    layout->addWidget(new QLabel(t("aus"), page), 1, 2);
    Lotto_x = spinField(15, 99, 49, page);
    layout->addWidget(Lotto_x, 1, 3);
    layout->addWidget(new QLabel(t("Anzahl der Spiele"), page), 2, 0);
    Lotto_Spiele = spinField(1, 999, 2, page);
    layout->addWidget(Lotto_Spiele, 2, 1);
    layout->addWidget(new QLabel(t("Verteile Zahlenpool auf"), page), 3, 0);
    Lotto_Pool = spinField(1, 8, 2, page);
    layout->addWidget(Lotto_Pool, 3, 1);
    layout->addWidget(new QLabel(t("Spiel"), page), 3, 2);
    layout->setRowStretch(4, 1);
    return page;
}

QWidget *SettingsPanel::buildOptionsPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    hpOptionen = headerPanel("Optionen", page);
    layout->addWidget(hpOptionen, 0, 0, 1, 4);

    layout->addWidget(new QLabel(t("Sprache:"), page), 1, 0);
    HilfeLng = new QComboBox(page);
    layout->addWidget(HilfeLng, 1, 1);
    cbListeAus = new QCheckBox(t("Liste aus"), page);
    layout->addWidget(cbListeAus, 1, 2);
    cbMaximiert = new QCheckBox(t("Maximiert"), page);
    layout->addWidget(cbMaximiert, 1, 3);

    layout->addWidget(new QLabel(t("Effekte"), page), 2, 0);
    cbNumberEffect = new QCheckBox(t("Zahlenregen"), page);
    cbNumberEffect->setChecked(true);
    layout->addWidget(cbNumberEffect, 2, 1);
    cbFarbenregen = new QCheckBox(t("Farben"), page);
    cbFarbenregen->setChecked(true);
    layout->addWidget(cbFarbenregen, 2, 2);

    cbSound = new QCheckBox(t("Klang"), page);
    cbSound->setChecked(true);
    layout->addWidget(cbSound, 3, 0);
    cbSchleife = new QCheckBox(t("bis Ende"), page);
    layout->addWidget(cbSchleife, 3, 1);
    edSoundfile = new FileField(page);
    layout->addWidget(edSoundfile, 3, 2, 1, 2);

    cbHintergrund = new QCheckBox(t("Hintergrundbild"), page);
    cbHintergrund->setEnabled(false);
    layout->addWidget(cbHintergrund, 4, 0);
    cbHintergrundAnimiert = new QCheckBox(t("animiert"), page);
    cbHintergrundAnimiert->setEnabled(false);
    layout->addWidget(cbHintergrundAnimiert, 4, 1);
    edHintergrundbild = new FileField(page);
    layout->addWidget(edHintergrundbild, 4, 2, 1, 2);

    layout->addWidget(new QLabel(t("Vordergrundfarbe"), page), 5, 0);
    cpVordergrund = new ColourPicker(true, page);
    cpVordergrund->setColour(0x000000);
    layout->addWidget(cpVordergrund, 5, 1);
    layout->addWidget(new QLabel(t("Hintergrundfarbe"), page), 5, 2);
    cpHintergrund = new ColourPicker(false, page);
    cpHintergrund->setColour(0xFFFFFF);
    layout->addWidget(cpHintergrund, 5, 3);
    layout->setRowStretch(6, 1);
    return page;
}
