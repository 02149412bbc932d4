// The four pages of the settings panel: each a header with a bold title over its fields.

#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "settings/showoptions.h"
#include "settings/weboptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QString t(const char *text)
{
    return QString::fromUtf8(text);
}

constexpr int FieldWidth = 82;      // a number field of up to seven digits
constexpr int ShortFieldWidth = 56; // up to four digits

// A page filled by a header panel: the bold title over the page's own grid.
QGridLayout *pageWithHeader(QWidget *page, QLabel *&header, const char *title)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    header = new QLabel(t(title), page);
    QFont font = header->font();
    font.setBold(true);
    header->setFont(font);
    header->setFixedHeight(22);
    header->setStyleSheet(
        QStringLiteral("QLabel { background: #EDE3C4; color: #3A3220; padding: 2px 8px;"
                       " border-bottom: 1px solid #CDBF93; }"));
    outer->addWidget(header);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(6, 4, 6, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    outer->addLayout(grid);
    outer->addStretch();
    return grid;
}

QSpinBox *spinField(int minimum, int maximum, int value, int width, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setFixedWidth(width);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

// Widgets packed to the right end of a grid cell.
QHBoxLayout *rightAligned(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addStretch();
    for (QWidget *w : widgets)
        row->addWidget(w);
    return row;
}

// Two widgets at the two ends of a grid cell.
QHBoxLayout *spread(QWidget *left, QWidget *right)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(left);
    row->addStretch();
    row->addWidget(right);
    return row;
}

QLabel *caption(const char *text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(t(text), parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}
} // namespace

QWidget *SettingsPanel::buildActionPage()
{
    auto *page = new QWidget;
    QGridLayout *grid = pageWithHeader(page, hpModus, "Modus wählen");
    DoStatus = new RadioGroup(t("Aktion"),
                              {t("manuelle Ziehung"), t("Automatisch alle (Sekunden)"),
                               t("nächste Ziehung um (Uhr)"), t("nächste Ziehung um (Countdown)"),
                               t("Lotterie")},
                              page);
    // The fields stand beside the modes that use them.
    chkAutostop = new QCheckBox(t("Autostop"), page);
    DoStatus->setItemWidget(0, chkAutostop);
    Sekunden = spinField(0, 9999, 5, ShortFieldWidth + 8, page);
    DoStatus->setItemWidget(1, Sekunden);
    Uhrzeit = new QLineEdit(page);
    Uhrzeit->setInputMask(QStringLiteral("99:99;_"));
    Uhrzeit->setMaxLength(5);
    Uhrzeit->setFixedWidth(ShortFieldWidth + 8);
    Uhrzeit->setAlignment(Qt::AlignCenter);
    Uhrzeit->setEnabled(false);
    DoStatus->setItemWidget(2, Uhrzeit, 2);
    grid->addWidget(DoStatus, 0, 0);
    return page;
}

QWidget *SettingsPanel::buildQuotaPage()
{
    auto *page = new QWidget;
    QGridLayout *grid = pageWithHeader(page, hpQuote, "Zahlenbereich und Quote einstellen");
    grid->setColumnStretch(2, 1);
    grid->setVerticalSpacing(1);

    Minimum = spinField(0, 999999, 100, FieldWidth, page);
    Maximum = spinField(0, 999999, 999, FieldWidth, page);
    Label1 = caption("Zahlen &zwischen", Minimum, page);
    Label2 = caption("&und", Maximum, page);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Minimum, 0, 1);
    grid->addLayout(rightAligned({Label2, Maximum}), 0, 2);

    // How entries are shown: padded with zeros, or list entries cut to a length.
    ZeigeNullen = new QCheckBox(t("Nullen füllen"), page);
    AusDateiLaenge = spinField(0, 999, 10, FieldWidth, page);
    lbAusDateiLaenge = caption("Anzeigelänge", AusDateiLaenge, page);
    grid->addWidget(ZeigeNullen, 1, 0);
    grid->addLayout(rightAligned({lbAusDateiLaenge, AusDateiLaenge}), 1, 1, 1, 2);

    AusDatei = new QCheckBox(t("Aus Datei"), page);
    AusDateiPfad = new FileField(page);
    grid->addWidget(AusDatei, 2, 0);
    grid->addWidget(AusDateiPfad, 2, 1, 1, 2);

    Ziehungsquote = new QDoubleSpinBox(page);
    Ziehungsquote->setDecimals(1);
    Ziehungsquote->setRange(0, 100);
    Ziehungsquote->setValue(10);
    Ziehungsquote->setFixedWidth(FieldWidth);
    Ziehungsquote->setAlignment(Qt::AlignRight);
    LQuote = caption("Ziehungsqu&ote (%)", Ziehungsquote, page);
    Ziehung_Prozent = new QCheckBox(t("%"), page);
    Ziehung_Prozent->setChecked(true);
    grid->addWidget(LQuote, 3, 0);
    grid->addWidget(Ziehungsquote, 3, 1);
    grid->addWidget(Ziehung_Prozent, 3, 2);

    // The computed number of draws: a note in smaller type under the quota. Its row keeps its
    // height while the note is hidden (count mode), so the rows below do not move.
    LAnzahl_Ziehungen = new QLabel(t("(= n Ziehungen)"), page);
    LAnzahl_Ziehungen->setFont(smallerFont(LAnzahl_Ziehungen->font()));
    LAnzahl_Ziehungen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LAnzahl_Ziehungen->setIndent(2);
    grid->addWidget(LAnzahl_Ziehungen, 4, 1, 1, 2);
    grid->setRowMinimumHeight(4, LAnzahl_Ziehungen->sizeHint().height());

    ckAutopilot = new QCheckBox(t("Autopilot"), page);
    AutopilotStart = spinField(0, 9999, 999, FieldWidth, page);
    AutopilotStart->setEnabled(false);
    lbAutopilotRest = new QLabel(page);
    lbAutopilotRest->setVisible(false);
    grid->addWidget(ckAutopilot, 5, 0);
    grid->addWidget(AutopilotStart, 5, 1);
    grid->addWidget(lbAutopilotRest, 5, 2);

    cbWinnings = new QCheckBox(t("Gewinnliste"), page);
    edWinnings = new FileField(page);
    grid->addWidget(cbWinnings, 6, 0);
    grid->addWidget(edWinnings, 6, 1, 1, 2);
    return page;
}

QWidget *SettingsPanel::buildLotteryPage()
{
    auto *page = new QWidget;
    QGridLayout *grid = pageWithHeader(page, hpLotto, "Lotterie (Lottozahlen) einstellen");
    grid->setContentsMargins(6, 10, 6, 2);
    grid->setVerticalSpacing(10);
    grid->setColumnStretch(4, 1);

    Lotto_n = spinField(1, 15, 6, ShortFieldWidth, page);
    Lotto_x = spinField(15, 99, 49, ShortFieldWidth, page);
    lbLottoBereich = caption("Gezogen werden", Lotto_n, page);
    Label4 = caption("aus", Lotto_x, page);
    grid->addWidget(lbLottoBereich, 0, 0);
    grid->addWidget(Lotto_n, 0, 1);
    grid->addWidget(Label4, 0, 2);
    grid->addWidget(Lotto_x, 0, 3);

    Lotto_Spiele = spinField(1, 999, 2, ShortFieldWidth, page);
    lbLottoSpiele = caption("Anzahl der Spiele", Lotto_Spiele, page);
    grid->addWidget(lbLottoSpiele, 1, 0);
    grid->addWidget(Lotto_Spiele, 1, 1);

    Lotto_Pool = spinField(1, 8, 2, ShortFieldWidth, page);
    LBLottoPool = caption("Verteile Zahlenpool auf", Lotto_Pool, page);
    lbLottoAnzahl = caption("Spiel", nullptr, page);
    grid->addWidget(LBLottoPool, 2, 0);
    grid->addWidget(Lotto_Pool, 2, 1);
    grid->addWidget(lbLottoAnzahl, 2, 2, 1, 2);

    // The verifiable draw of the other modes, and the audience's word for its next segment.
    cbNachpruefbar = new QCheckBox(t("Nachprüfbare Ziehung"), page);
    edPublikumswort = new QLineEdit(page);
    lbPublikumswort = caption("Publikumswort", edPublikumswort, page);
    grid->addWidget(cbNachpruefbar, 3, 0, 1, 4);
    grid->addWidget(lbPublikumswort, 4, 0);
    grid->addWidget(edPublikumswort, 4, 1, 1, 3);
    return page;
}

QWidget *SettingsPanel::buildOptionsPage()
{
    auto *page = new QWidget;
    QGridLayout *pageGrid = pageWithHeader(page, hpOptionen, "Optionen");
    // The options do not all fit the page's height: its fields scroll under the header, the
    // show options below the colours.
    auto *outer = static_cast<QVBoxLayout *>(page->layout());
    delete outer->takeAt(outer->count() - 1); // the stretch: the fields take the height
    auto *scroll = new QScrollArea(page);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes through the fields themselves
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *fields = new QWidget(scroll);
    fields->setObjectName(QStringLiteral("konfOptionenFelder"));
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(pageGrid->contentsMargins());
    grid->setHorizontalSpacing(pageGrid->horizontalSpacing());
    grid->setVerticalSpacing(pageGrid->verticalSpacing());
    pageGrid->setContentsMargins(0, 0, 0, 0);
    pageGrid->addWidget(scroll, 0, 0);
    scroll->setWidget(fields);
    grid->setColumnStretch(2, 1);
    page = fields; // the fields' parent

    HilfeLng = new QComboBox(page);
    lbHilfeLng = caption("Sprache:", HilfeLng, page);
    grid->addWidget(lbHilfeLng, 0, 0);
    grid->addWidget(HilfeLng, 0, 1, 1, 2, Qt::AlignLeft);

    Label5 = caption("Effekte", nullptr, page);
    cbNumberEffect = new QCheckBox(t("Zahlenregen"), page);
    cbNumberEffect->setChecked(true);
    cbFarbenregen = new QCheckBox(t("Farben"), page);
    cbFarbenregen->setChecked(true);
    grid->addWidget(Label5, 1, 0);
    grid->addWidget(cbNumberEffect, 1, 1);
    grid->addWidget(cbFarbenregen, 1, 2);

    cbSound = new QCheckBox(t("Klang"), page);
    cbSound->setChecked(true);
    cbSchleife = new QCheckBox(t("bis Ende"), page);
    edSoundfile = new FileField(page);
    grid->addWidget(cbSound, 2, 0);
    grid->addWidget(cbSchleife, 2, 1);
    grid->addWidget(edSoundfile, 2, 2);

    cbHintergrund = new QCheckBox(t("Hintergrundbild"), page);
    cbHintergrund->setEnabled(false);
    cbHintergrundAnimiert = new QCheckBox(t("animiert"), page);
    cbHintergrundAnimiert->setEnabled(false);
    edHintergrundbild = new FileField(page);
    grid->addWidget(cbHintergrund, 3, 0);
    grid->addWidget(cbHintergrundAnimiert, 3, 1);
    grid->addWidget(edHintergrundbild, 3, 2);

    // The colours, and beside them the two options of the window.
    cpVordergrund = new ColourPicker(true, page);
    cpVordergrund->setColour(0x000000);
    Label6 = caption("Vordergrundfarbe", cpVordergrund, page);
    cpHintergrund = new ColourPicker(false, page);
    cpHintergrund->setColour(0xFFFFFF);
    Label7 = caption("Hintergrundfarbe", cpHintergrund, page);
    cbListeAus = new QCheckBox(t("Liste aus"), page);
    cbMaximiert = new QCheckBox(t("Maximiert"), page);
    grid->addWidget(Label6, 4, 0);
    grid->addLayout(spread(cpVordergrund, cbListeAus), 4, 1, 1, 2);
    grid->addWidget(Label7, 5, 0);
    grid->addLayout(spread(cpHintergrund, cbMaximiert), 5, 1, 1, 2);

    // The show options, and under the pickers the note on their contrast.
    gbShow = new ShowOptionsBox(page);
    grid->addWidget(gbShow->lbKontrast, 6, 1, 1, 2);
    grid->addWidget(gbShow, 7, 0, 1, 3);
    gbWeb = new WebOptionsBox(page);
    grid->addWidget(gbWeb, 8, 0, 1, 3);
    const auto contrast = [this](quint32) {
        gbShow->showPickerContrast(cpVordergrund->colour(), cpHintergrund->colour());
    };
    connect(cpVordergrund, &ColourPicker::colourChanged, gbShow, contrast);
    connect(cpHintergrund, &ColourPicker::colourChanged, gbShow, contrast);
    return scroll->parentWidget();
}
