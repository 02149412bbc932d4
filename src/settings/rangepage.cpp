#include "settings/rangepage.h"

#include "settings/pagebuilding.h"
#include "settings/settings.h"
#include "settings/settingscontrols.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include <cmath>

using namespace pagebuilding;

RangePage::RangePage(QWidget *parent) : QWidget(parent)
{
    QGridLayout *grid = pageWithHeader(this, hpQuote, "Zahlenbereich und Quote einstellen");
    grid->setColumnStretch(2, 1);
    grid->setVerticalSpacing(1);

    Minimum = spinField(0, 999999, 100, FieldWidth, this);
    Maximum = spinField(0, 999999, 999, FieldWidth, this);
    Label1 = caption("Zahlen &zwischen", Minimum, this);
    Label2 = caption("&und", Maximum, this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Minimum, 0, 1);
    grid->addLayout(rightAligned({Label2, Maximum}), 0, 2);

    // How entries are shown: padded with zeros, or list entries cut to a length.
    ZeigeNullen = new QCheckBox(t("Nullen füllen"), this);
    AusDateiLaenge = spinField(0, 999, 10, FieldWidth, this);
    lbAusDateiLaenge = caption("Anzeigelänge", AusDateiLaenge, this);
    grid->addWidget(ZeigeNullen, 1, 0);
    grid->addLayout(rightAligned({lbAusDateiLaenge, AusDateiLaenge}), 1, 1, 1, 2);

    AusDatei = new QCheckBox(t("Aus Datei"), this);
    AusDateiPfad = new FileField(this);
    grid->addWidget(AusDatei, 2, 0);
    grid->addWidget(AusDateiPfad, 2, 1, 1, 2);

    Ziehungsquote = new QDoubleSpinBox(this);
    Ziehungsquote->setDecimals(1);
    Ziehungsquote->setRange(0, 100);
    Ziehungsquote->setValue(10);
    Ziehungsquote->setFixedWidth(FieldWidth);
    Ziehungsquote->setAlignment(Qt::AlignRight);
    LQuote = caption("Ziehungsqu&ote (%)", Ziehungsquote, this);
    Ziehung_Prozent = new QCheckBox(t("%"), this);
    Ziehung_Prozent->setChecked(true);
    grid->addWidget(LQuote, 3, 0);
    grid->addWidget(Ziehungsquote, 3, 1);
    grid->addWidget(Ziehung_Prozent, 3, 2);

    // The computed number of draws: a note in smaller type under the quota. Its row keeps its
    // height while the note is hidden (count mode), so the rows below do not move.
    LAnzahl_Ziehungen = new QLabel(t("(= n Ziehungen)"), this);
    LAnzahl_Ziehungen->setFont(smallerFont(LAnzahl_Ziehungen->font()));
    LAnzahl_Ziehungen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LAnzahl_Ziehungen->setIndent(2);
    grid->addWidget(LAnzahl_Ziehungen, 4, 1, 1, 2);
    grid->setRowMinimumHeight(4, LAnzahl_Ziehungen->sizeHint().height());

    ckAutopilot = new QCheckBox(t("Autopilot"), this);
    AutopilotStart = spinField(0, 9999, 999, FieldWidth, this);
    AutopilotStart->setEnabled(false);
    lbAutopilotRest = new QLabel(this);
    lbAutopilotRest->setVisible(false);
    grid->addWidget(ckAutopilot, 5, 0);
    grid->addWidget(AutopilotStart, 5, 1);
    grid->addWidget(lbAutopilotRest, 5, 2);

    cbWinnings = new QCheckBox(t("Gewinnliste"), this);
    edWinnings = new FileField(this);
    grid->addWidget(cbWinnings, 6, 0);
    grid->addWidget(edWinnings, 6, 1, 1, 2);

    nameObjects({{this, "konfQuote"},
                 {hpQuote, "hpQuote"},
                 {Minimum, "Minimum"},
                 {Maximum, "Maximum"},
                 {Label1, "Label1"},
                 {Label2, "Label2"},
                 {ZeigeNullen, "ZeigeNullen"},
                 {AusDateiLaenge, "AusDateiLaenge"},
                 {lbAusDateiLaenge, "lbAusDateiLaenge"},
                 {AusDatei, "AusDatei"},
                 {AusDateiPfad, "AusDateiPfad"},
                 {LQuote, "LQuote"},
                 {Ziehungsquote, "Ziehungsquote"},
                 {Ziehung_Prozent, "Ziehung_Prozent"},
                 {LAnzahl_Ziehungen, "LAnzahl_Ziehungen"},
                 {ckAutopilot, "ckAutopilot"},
                 {AutopilotStart, "AutopilotStart"},
                 {lbAutopilotRest, "lbAutopilotRest"},
                 {cbWinnings, "cbWinnings"},
                 {edWinnings, "edWinnings"}});

    // The range and quota rules run on a committed value (editing finished, the arrows, the
    // program's own change), not on each digit typed: "250" typed into Maximum passes through 2.
    for (QAbstractSpinBox *field :
         std::initializer_list<QAbstractSpinBox *>{Minimum, Maximum, Ziehungsquote, AutopilotStart})
        field->setKeyboardTracking(false);
    connect(Minimum, &QSpinBox::valueChanged, this, &RangePage::rangeChanged);
    connect(Maximum, &QSpinBox::valueChanged, this, &RangePage::rangeChanged);
    connect(Ziehungsquote, &QDoubleSpinBox::valueChanged, this, &RangePage::quotaChanged);
    connect(Ziehung_Prozent, &QCheckBox::toggled, this, &RangePage::quotaChanged);
    connect(ZeigeNullen, &QCheckBox::toggled, this, [this] {
        if (!m_zerosByProgram)
            Q_EMIT zerosClicked();
    });
    connect(ckAutopilot, &QCheckBox::toggled, this, &RangePage::autopilotToggled);
    connect(AutopilotStart, &QSpinBox::valueChanged, this, &RangePage::autopilotStartChanged);
    AutopilotStart->installEventFilter(this);
    connect(AusDatei, &QCheckBox::toggled, this, [this] {
        Q_EMIT listSwitched(m_listByProgram);
        Q_EMIT entryLengthChanged();
    });
    connect(AusDateiLaenge, &QSpinBox::valueChanged, this, &RangePage::entryLengthChanged);
    connect(AusDateiPfad, &FileField::buttonClicked, this, &RangePage::listBrowseClicked);
    connect(edWinnings, &FileField::buttonClicked, this, &RangePage::prizeBrowseClicked);
}

bool RangePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == AutopilotStart && event->type() == QEvent::FocusIn)
        Q_EMIT autopilotFieldEntered();
    return QWidget::eventFilter(watched, event);
}

qint32 RangePage::minimum() const
{
    return Minimum->value();
}

qint32 RangePage::maximum() const
{
    return Maximum->value();
}

void RangePage::setMinimum(qint32 value)
{
    Minimum->setValue(value);
}

void RangePage::setMaximum(qint32 value)
{
    Maximum->setValue(value);
}

bool RangePage::zeros() const
{
    return ZeigeNullen->isChecked();
}

void RangePage::setZerosQuietly(bool on)
{
    m_zerosByProgram = true;
    ZeigeNullen->setChecked(on);
    m_zerosByProgram = false;
}

bool RangePage::quotaInPercent() const
{
    return Ziehung_Prozent->isChecked();
}

void RangePage::setQuotaInPercent(bool on)
{
    Ziehung_Prozent->setChecked(on);
}

double RangePage::quota() const
{
    return Ziehungsquote->value();
}

void RangePage::setQuota(double value)
{
    Ziehungsquote->setValue(value);
}

void RangePage::shapeQuotaAsPercent()
{
    const QSignalBlocker block(Ziehungsquote);
    Ziehungsquote->setDecimals(1);
    Ziehungsquote->setMaximum(100);
}

void RangePage::shapeQuotaAsCount(qint32 maximum)
{
    // Raised to the next whole number before the field drops its decimal.
    const double whole = std::ceil(Ziehungsquote->value());
    const QSignalBlocker block(Ziehungsquote);
    Ziehungsquote->setMaximum(maximum);
    Ziehungsquote->setDecimals(0);
    Ziehungsquote->setValue(whole);
}

void RangePage::setQuotaCaption(const QString &caption)
{
    LQuote->setText(caption);
}

void RangePage::setQuotaCountLine(const QString &line)
{
    LAnzahl_Ziehungen->setText(line);
}

void RangePage::showQuotaCountLine(bool shown)
{
    LAnzahl_Ziehungen->setVisible(shown);
}

bool RangePage::autopilot() const
{
    return ckAutopilot->isChecked();
}

qint32 RangePage::autopilotStart() const
{
    return AutopilotStart->value();
}

void RangePage::setAutopilotStart(qint32 value)
{
    AutopilotStart->setValue(value);
}

void RangePage::setAutopilotMaximum(qint32 maximum)
{
    AutopilotStart->setMaximum(maximum);
}

void RangePage::openAutopilotFields(bool open)
{
    AutopilotStart->setEnabled(open);
    lbAutopilotRest->setVisible(open);
}

void RangePage::setAutopilotRest(const QString &text)
{
    lbAutopilotRest->setText(text);
}

bool RangePage::listOn() const
{
    return AusDatei->isChecked();
}

void RangePage::setListOn(bool on)
{
    AusDatei->setChecked(on);
}

void RangePage::setListOnByProgram(bool on)
{
    m_listByProgram = true;
    AusDatei->setChecked(on);
    m_listByProgram = false;
}

QString RangePage::listPath() const
{
    return AusDateiPfad->text();
}

void RangePage::setListPath(const QString &path)
{
    AusDateiPfad->setText(path);
}

const CsvLayout &RangePage::csvLayout() const
{
    return m_csvLayout;
}

void RangePage::setCsvLayout(const CsvLayout &layout)
{
    m_csvLayout = layout;
}

void RangePage::openListFields(bool list)
{
    Minimum->setEnabled(!list);
    Maximum->setEnabled(!list);
    ZeigeNullen->setEnabled(!list);
    AusDateiPfad->setEnabled(list);
    AusDateiLaenge->setEnabled(list);
    lbAusDateiLaenge->setEnabled(list);
}

bool RangePage::prizesOn() const
{
    return cbWinnings->isChecked();
}

void RangePage::setPrizesOn(bool on)
{
    cbWinnings->setChecked(on);
}

QString RangePage::prizePath() const
{
    return edWinnings->text();
}

void RangePage::setPrizePath(const QString &path)
{
    edWinnings->setText(path);
}

bool RangePage::entryLengthSet() const
{
    return AusDatei->isChecked();
}

int RangePage::entryLength() const
{
    return AusDateiLaenge->value();
}

void RangePage::loadRange(const Settings &s)
{
    // A stored range above the current maximum would be pulled down to it by the range
    // handler before the maximum arrives; give the maximum first in that case.
    if (s.Start > Maximum->value())
        Maximum->setValue(s.End);
    Minimum->setValue(s.Start);
    Maximum->setValue(s.End);
}

void RangePage::loadAutopilotAndZeros(const Settings &s)
{
    ckAutopilot->setChecked(s.AutoPilot);
    AutopilotStart->setValue(s.AutoVal);
    // Padding set from the file asks nothing.
    setZerosQuietly(s.Zeros);
}

void RangePage::loadLists(const Settings &s)
{
    // The draw list and the prize list set from the file ask nothing.
    setListOnByProgram(s.UseFile);
    AusDateiPfad->setText(s.Filename);
    AusDateiLaenge->setValue(s.Cols);
    edWinnings->setText(s.Winnings);
    cbWinnings->setChecked(s.UseWinnings);
    m_csvLayout =
        csvLayoutFromStored(s.ListColumns, s.ListCountColumn, s.ListHeader, s.ListSeparator);
}

void RangePage::collect(Settings &s) const
{
    s.Start = Minimum->value();
    s.End = Maximum->value();
    s.Cent = Ziehung_Prozent->isChecked();
    s.QuotaPercent = Ziehungsquote->value();
    s.QuotaCount = static_cast<qint32>(std::ceil(Ziehungsquote->value()));
    s.AutoPilot = ckAutopilot->isChecked();
    s.AutoVal = AutopilotStart->value();
    s.Zeros = ZeigeNullen->isChecked();
    s.UseFile = AusDatei->isChecked();
    s.Filename = AusDateiPfad->text();
    s.UseWinnings = cbWinnings->isChecked();
    s.Winnings = edWinnings->text();
    s.Cols = AusDateiLaenge->value();
    s.ListColumns = storedCsvColumns(m_csvLayout);
    s.ListCountColumn = storedCsvCountColumn(m_csvLayout);
    s.ListHeader = m_csvLayout.header;
    s.ListSeparator = storedCsvSeparator(m_csvLayout);
}

QList<QWidget *> RangePage::tabChain() const
{
    return {Minimum,
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
            edWinnings->button()};
}

PoolReportLine::PoolReportLine(int height, int buttonHeight, QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    lbPoolReport = new QLabel(this);
    lbPoolReport->setWordWrap(true);
    lbPoolReport->setFixedHeight(height);
    lbPoolReport->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbPoolReport->setFont(smallerFont(lbPoolReport->font()));
    btPoolFindings = new QPushButton(this);
    btPoolFindings->setAutoDefault(false);
    btPoolFindings->setFixedHeight(buttonHeight);
    row->addWidget(lbPoolReport, 1);
    row->addWidget(btPoolFindings, 0, Qt::AlignTop);
    setFixedHeight(height);
    nameObjects({{lbPoolReport, "lbPoolReport"}, {btPoolFindings, "btPoolFindings"}});
    lbPoolReport->setVisible(false);
    btPoolFindings->setVisible(false);
    connect(btPoolFindings, &QPushButton::clicked, this, &PoolReportLine::findingsRequested);
}

void PoolReportLine::showReport(bool shown, const QString &summary, const QString &buttonText)
{
    lbPoolReport->setVisible(shown);
    btPoolFindings->setVisible(shown);
    btPoolFindings->setText(buttonText);
    lbPoolReport->setText(summary);
    lbPoolReport->setToolTip(summary);
}

QWidget *PoolReportLine::findingsButton() const
{
    return btPoolFindings;
}
