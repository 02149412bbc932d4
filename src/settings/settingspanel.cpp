#include "settings/settingspanel.h"

#include "settings/settingsaccessibility.h"
#include "settings/settingscontrols.h"
#include "settings/showoptions.h"
#include "settings/weboptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QString t(const char *text)
{
    return QString::fromUtf8(text);
}

constexpr int Margin = 8;
constexpr int RowHeight = 26;
constexpr int PageGap = 6;       // between the page buttons and the page area
constexpr int ReportHeight = 44; // the report on the draw list, under the page area
} // namespace

SettingsPanel::SettingsPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Einstellungen"));
    setFixedHeight(PanelHeight);
    setAutoFillBackground(true);
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    setPalette(cream);

    // SettingX is placed by hand (EinstellungenResize), everything inside it by layouts.
    SettingX = new QWidget(this);
    SettingX->setFixedSize(SettingXWidth, PanelHeight);

    auto *columns = new QHBoxLayout(SettingX);
    // The page buttons, the page area and the button column sit centred in the panel's height.
    constexpr int contentHeight = RowHeight + PageGap + PageHeight + PageGap + ReportHeight;
    constexpr int top = (PanelHeight - contentHeight) / 2;
    columns->setContentsMargins(Margin, top, Margin, PanelHeight - top - contentHeight);
    columns->setSpacing(Margin + 2);

    // Left: the page buttons over the page area.
    auto *left = new QVBoxLayout;
    left->setSpacing(PageGap);
    auto *topRow = new QHBoxLayout;
    topRow->setSpacing(4);
    btModus = new QPushButton(t("Modus"), SettingX);
    btKonfig = new QPushButton(t("Konfigurieren"), SettingX);
    btOptionen = new QPushButton(t("Optionen"), SettingX);
    for (QPushButton *b : {btModus, btKonfig, btOptionen}) {
        markPageTab(b);
        b->setCheckable(true);
        b->setMinimumSize(96, RowHeight);
        b->setAutoDefault(false);
        topRow->addWidget(b);
    }
    topRow->addSpacing(6);
    HilfeAktiv = new QCheckBox(t("Hilfe"), SettingX);
    HilfeAktiv->setChecked(true);
    topRow->addWidget(HilfeAktiv);
    topRow->addStretch();
    left->addLayout(topRow);

    Konfiguration = new QStackedWidget(SettingX);
    Konfiguration->setFixedSize(PageWidth, PageHeight);
    Konfiguration->setFrameShape(QFrame::StyledPanel);
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
    left->addWidget(Konfiguration);
    auto *report = new QHBoxLayout;
    report->setSpacing(4);
    lbPoolReport = new QLabel(SettingX);
    lbPoolReport->setWordWrap(true);
    lbPoolReport->setFixedHeight(ReportHeight);
    lbPoolReport->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbPoolReport->setFont(smallerFont(lbPoolReport->font()));
    btPoolFindings = new QPushButton(SettingX);
    btPoolFindings->setAutoDefault(false);
    btPoolFindings->setFixedHeight(RowHeight - 4);
    report->addWidget(lbPoolReport, 1);
    report->addWidget(btPoolFindings, 0, Qt::AlignTop);
    left->addLayout(report);
    lbPoolReport->setObjectName(QStringLiteral("lbPoolReport"));
    btPoolFindings->setObjectName(QStringLiteral("btPoolFindings"));
    lbPoolReport->setVisible(false);
    btPoolFindings->setVisible(false);
    columns->addLayout(left);

    // Right: the result buttons, and lower down the larger apply button.
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    BTDrucken = new QPushButton(t("Ergebnis &drucken"), SettingX);
    BTDrucken->setToolTip(t("Ausgabe der Liste auf den Standard-Drucker"));
    BTHTML = new QPushButton(t("Ergebnis als &HTML"), SettingX);
    BTHTML->setToolTip(t("Die aktuelle Liste im Browser anzeigen"));
    BTCSV = new QPushButton(t("&CSV-Export"), SettingX);
    BTTxT = new QPushButton(t("&TXT-Export"), SettingX);
    Reset_Ziehung = new QPushButton(t("&Neuer Durchgang"), SettingX);
    Reset_Ziehung->setToolTip(t("Der aktuelle Durchgang wird gelöscht!"));
    for (QPushButton *b : {BTDrucken, BTHTML, BTCSV, BTTxT, Reset_Ziehung}) {
        b->setFixedSize(ButtonColumnWidth, RowHeight);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    BTEinstellungenSchliessen = new WrapButton(t("&Einstellungen übernehmen"), SettingX);
    BTEinstellungenSchliessen->setFixedSize(ButtonColumnWidth, 2 * RowHeight);
    BTEinstellungenSchliessen->setAutoDefault(false);
    QFont bold = BTEinstellungenSchliessen->font();
    bold.setBold(true);
    BTEinstellungenSchliessen->setFont(bold);
    buttons->addWidget(BTEinstellungenSchliessen); // ends level with the page area
    buttons->addSpacing(PageGap + ReportHeight);
    columns->addLayout(buttons);

    connect(btModus, &QPushButton::clicked, this, &SettingsPanel::btModusClick);
    connect(btKonfig, &QPushButton::clicked, this, &SettingsPanel::btKonfigClick);
    connect(btOptionen, &QPushButton::clicked, this, &SettingsPanel::btOptionenClick);

    nameControls();
    arrangeTabOrder();
    applyAccessibleTexts(*this, true);
    takeWheelOnlyWithFocus(*this);
    Konfiguration->setCurrentWidget(konfAktion);
    syncPageButtons();
    EinstellungenResize();
}

void SettingsPanel::EinstellungenResize()
{
    SettingX->move((width() - SettingX->width()) / 2, 0);
}

void SettingsPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    EinstellungenResize();
}

QString SettingsPanel::activePageCaption() const
{
    const QWidget *page = Konfiguration->currentWidget();
    return page ? page->windowTitle() : QString();
}

void SettingsPanel::showPage(QWidget *page)
{
    Konfiguration->setCurrentWidget(page);
    syncPageButtons();
    if (HilfeAktiv->isChecked())
        Q_EMIT helpPageRequested(page->windowTitle());
}

// The button of the page in front looks pressed; konfQuote and konfLotto share btKonfig.
void SettingsPanel::syncPageButtons()
{
    QWidget *page = Konfiguration->currentWidget();
    btModus->setChecked(page == konfAktion);
    btKonfig->setChecked(page == konfQuote || page == konfLotto);
    btOptionen->setChecked(page == konfOptionen);
}

void SettingsPanel::btModusClick()
{
    showPage(konfAktion);
}

void SettingsPanel::btKonfigClick()
{
    switch (DoStatus->itemIndex()) {
    case 0:
    case 1: showPage(konfQuote); break;
    case 4: showPage(konfLotto); break;
    default:
        syncPageButtons(); // a click does not change the page
        break;
    }
}

void SettingsPanel::btOptionenClick()
{
    showPage(konfOptionen);
}

// Object names are the control names, which the language files address.
void SettingsPanel::nameControls()
{
    const std::initializer_list<std::pair<QObject *, const char *>> names = {
        {SettingX, "SettingX"},
        {btModus, "btModus"},
        {btKonfig, "btKonfig"},
        {btOptionen, "btOptionen"},
        {HilfeAktiv, "HilfeAktiv"},
        {Konfiguration, "Konfiguration"},
        {konfAktion, "konfAktion"},
        {konfQuote, "konfQuote"},
        {konfLotto, "konfLotto"},
        {konfOptionen, "konfOptionen"},
        {hpModus, "hpModus"},
        {hpQuote, "hpQuote"},
        {hpLotto, "hpLotto"},
        {hpOptionen, "hpOptionen"},
        {DoStatus, "DoStatus"},
        {chkAutostop, "chkAutostop"},
        {Sekunden, "Sekunden"},
        {Uhrzeit, "Uhrzeit"},
        {Minimum, "Minimum"},
        {Maximum, "Maximum"},
        {ZeigeNullen, "ZeigeNullen"},
        {AusDatei, "AusDatei"},
        {AusDateiPfad, "AusDateiPfad"},
        {AusDateiLaenge, "AusDateiLaenge"},
        {LQuote, "LQuote"},
        {Ziehungsquote, "Ziehungsquote"},
        {Ziehung_Prozent, "Ziehung_Prozent"},
        {LAnzahl_Ziehungen, "LAnzahl_Ziehungen"},
        {ckAutopilot, "ckAutopilot"},
        {AutopilotStart, "AutopilotStart"},
        {lbAutopilotRest, "lbAutopilotRest"},
        {cbWinnings, "cbWinnings"},
        {edWinnings, "edWinnings"},
        {Lotto_n, "Lotto_n"},
        {Lotto_x, "Lotto_x"},
        {Lotto_Spiele, "Lotto_Spiele"},
        {Lotto_Pool, "Lotto_Pool"},
        {HilfeLng, "HilfeLng"},
        {cbListeAus, "cbListeAus"},
        {cbMaximiert, "cbMaximiert"},
        {cbNachpruefbar, "cbNachpruefbar"},
        {lbPublikumswort, "lbPublikumswort"},
        {edPublikumswort, "edPublikumswort"},
        {cbNumberEffect, "cbNumberEffect"},
        {cbFarbenregen, "cbFarbenregen"},
        {cbSound, "cbSound"},
        {cbSchleife, "cbSchleife"},
        {edSoundfile, "edSoundfile"},
        {cbHintergrund, "cbHintergrund"},
        {cbHintergrundAnimiert, "cbHintergrundAnimiert"},
        {edHintergrundbild, "edHintergrundbild"},
        {cpVordergrund, "cpVordergrund"},
        {cpHintergrund, "cpHintergrund"},
        {Label1, "Label1"},
        {Label2, "Label2"},
        {lbAusDateiLaenge, "lbAusDateiLaenge"},
        {lbLottoBereich, "lbLottoBereich"},
        {Label4, "Label4"},
        {lbLottoSpiele, "lbLottoSpiele"},
        {LBLottoPool, "LBLottoPool"},
        {lbLottoAnzahl, "lbLottoAnzahl"},
        {lbHilfeLng, "lbHilfeLng"},
        {Label5, "Label5"},
        {Label6, "Label6"},
        {Label7, "Label7"},
        {BTDrucken, "BTDrucken"},
        {BTHTML, "BTHTML"},
        {BTCSV, "BTCSV"},
        {BTTxT, "BTTxT"},
        {Reset_Ziehung, "Reset_Ziehung"},
        {BTEinstellungenSchliessen, "BTEinstellungenSchliessen"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QString::fromLatin1(name));
}

// Tab goes through the page buttons, the page in front in reading order, then the button
// column; the hidden pages are skipped.
void SettingsPanel::arrangeTabOrder()
{
    const QList<QWidget *> chain = {
        btModus,
        btKonfig,
        btOptionen,
        HilfeAktiv,
        // konfAktion
        DoStatus->itemButton(0),
        DoStatus->itemButton(1),
        DoStatus->itemButton(2),
        DoStatus->itemButton(3),
        DoStatus->itemButton(4),
        chkAutostop,
        Sekunden,
        Uhrzeit,
        // konfQuote
        Minimum,
        Maximum,
        ZeigeNullen,
        AusDateiLaenge,
        AusDatei,
        AusDateiPfad->lineEdit(),
        AusDateiPfad->button(),
        Ziehungsquote,
        Ziehung_Prozent,
        ckAutopilot,
        AutopilotStart,
        cbWinnings,
        edWinnings->lineEdit(),
        edWinnings->button(),
        btPoolFindings,
        // konfLotto
        Lotto_n,
        Lotto_x,
        Lotto_Spiele,
        Lotto_Pool,
        cbNachpruefbar,
        edPublikumswort,
        // konfOptionen
        HilfeLng,
        cbNumberEffect,
        cbFarbenregen,
        cbSound,
        cbSchleife,
        edSoundfile->lineEdit(),
        edSoundfile->button(),
        cbHintergrund,
        cbHintergrundAnimiert,
        edHintergrundbild->lineEdit(),
        edHintergrundbild->button(),
        cpVordergrund,
        cbListeAus,
        cpHintergrund,
        cbMaximiert,
        gbShow->cbPublikum,
        gbShow->cbBildschirm,
        gbShow->cbSanft,
        gbShow->cbAnsagen,
        gbWeb->cbWeb,
        gbWeb->sbWebPort,
        gbWeb->cbWebAdresse,
        gbWeb->cbWebEcke,
        // buttons
        BTDrucken,
        BTHTML,
        BTCSV,
        BTTxT,
        Reset_Ziehung,
        BTEinstellungenSchliessen,
    };
    // A compound control takes part through the widget it passes its focus to.
    auto target = [](QWidget *w) { return w->focusProxy() ? w->focusProxy() : w; };
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(target(chain.at(i - 1)), target(chain.at(i)));
}
