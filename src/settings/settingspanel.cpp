#include "settings/settingspanel.h"

#include "draw/drawmode.h"
#include "settings/lotterypage.h"
#include "settings/modepage.h"
#include "settings/optionspage.h"
#include "settings/rangepage.h"
#include "settings/settingsaccessibility.h"
#include "settings/settingscontrols.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
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
    m_modePage = new ModePage;
    m_rangePage = new RangePage;
    m_lotteryPage = new LotteryPage;
    m_optionsPage = new OptionsPage;
    m_modePage->setWindowTitle(QStringLiteral("HTMLAktion"));
    m_rangePage->setWindowTitle(QStringLiteral("HTMLQuote"));
    m_lotteryPage->setWindowTitle(QStringLiteral("HTMLLotto"));
    m_optionsPage->setWindowTitle(QStringLiteral("HTMLOptionen"));
    for (QWidget *page :
         std::initializer_list<QWidget *>{m_modePage, m_rangePage, m_lotteryPage, m_optionsPage})
        Konfiguration->addWidget(page);
    left->addWidget(Konfiguration);
    m_poolReport = new PoolReportLine(ReportHeight, RowHeight - 4, SettingX);
    left->addWidget(m_poolReport);
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
    connect(m_modePage, &ModePage::modeChosen, this, &SettingsPanel::syncConfigureButton);
    connect(HilfeAktiv, &QCheckBox::toggled, this, &SettingsPanel::helpToggled);
    connect(BTDrucken, &QPushButton::clicked, this, &SettingsPanel::printClicked);
    connect(BTHTML, &QPushButton::clicked, this, &SettingsPanel::htmlClicked);
    connect(BTCSV, &QPushButton::clicked, this, &SettingsPanel::csvClicked);
    connect(BTTxT, &QPushButton::clicked, this, &SettingsPanel::txtClicked);
    connect(Reset_Ziehung, &QPushButton::clicked, this, &SettingsPanel::newPassClicked);
    connect(BTEinstellungenSchliessen, &QPushButton::clicked, this, &SettingsPanel::applyClicked);

    nameControls();
    arrangeTabOrder();
    applyAccessibleTexts(*this, true);
    takeWheelOnlyWithFocus(*this);
    showModePage();
    EinstellungenResize();
}

bool SettingsPanel::helpOn() const
{
    return HilfeAktiv->isChecked();
}

void SettingsPanel::setHelpOn(bool on)
{
    HilfeAktiv->setChecked(on);
}

void SettingsPanel::setPrintBusy(bool busy)
{
    BTDrucken->setEnabled(!busy);
}

void SettingsPanel::showModePage()
{
    Konfiguration->setCurrentWidget(m_modePage);
    syncPageButtons();
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
    btModus->setChecked(page == m_modePage);
    btKonfig->setChecked(page == m_rangePage || page == m_lotteryPage);
    btOptionen->setChecked(page == m_optionsPage);
}

// The modes drawn at a time of day have nothing to configure.
void SettingsPanel::syncConfigureButton()
{
    const auto mode = DrawMode(m_modePage->modeIndex());
    btKonfig->setEnabled(mode != DrawMode::TimeOfDay && mode != DrawMode::Countdown);
}

void SettingsPanel::btModusClick()
{
    showPage(m_modePage);
}

void SettingsPanel::btKonfigClick()
{
    switch (m_modePage->modeIndex()) {
    case 0:
    case 1: showPage(m_rangePage); break;
    case 4: showPage(m_lotteryPage); break;
    default:
        syncPageButtons(); // a click does not change the page
        break;
    }
}

void SettingsPanel::btOptionenClick()
{
    showPage(m_optionsPage);
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
    const QList<QWidget *> chain =
        QList<QWidget *>{btModus, btKonfig, btOptionen, HilfeAktiv} + m_modePage->tabChain() +
        m_rangePage->tabChain() + QList<QWidget *>{m_poolReport->findingsButton()} +
        m_lotteryPage->tabChain() + m_optionsPage->tabChain() +
        QList<QWidget *>{BTDrucken, BTHTML, BTCSV, BTTxT, Reset_Ziehung, BTEinstellungenSchliessen};
    // A compound control takes part through the widget it passes its focus to.
    auto target = [](QWidget *w) { return w->focusProxy() ? w->focusProxy() : w; };
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(target(chain.at(i - 1)), target(chain.at(i)));
}
