#include "settings/lotterypage.h"

#include "draw/lottery.h"
#include "settings/pagebuilding.h"
#include "settings/settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

using namespace pagebuilding;

LotteryPage::LotteryPage(QWidget *parent) : QWidget(parent)
{
    QGridLayout *grid = pageWithHeader(this, hpLotto, "Lotterie (Lottozahlen) einstellen");
    grid->setContentsMargins(6, 10, 6, 2);
    grid->setVerticalSpacing(10);
    grid->setColumnStretch(4, 1);

    Lotto_n = spinField(1, 15, 6, ShortFieldWidth, this);
    Lotto_x = spinField(15, 99, 49, ShortFieldWidth, this);
    lbLottoBereich = caption("Gezogen werden", Lotto_n, this);
    Label4 = caption("aus", Lotto_x, this);
    grid->addWidget(lbLottoBereich, 0, 0);
    grid->addWidget(Lotto_n, 0, 1);
    grid->addWidget(Label4, 0, 2);
    grid->addWidget(Lotto_x, 0, 3);

    Lotto_Spiele = spinField(1, 999, 2, ShortFieldWidth, this);
    lbLottoSpiele = caption("Anzahl der Spiele", Lotto_Spiele, this);
    grid->addWidget(lbLottoSpiele, 1, 0);
    grid->addWidget(Lotto_Spiele, 1, 1);

    Lotto_Pool = spinField(1, 8, 2, ShortFieldWidth, this);
    LBLottoPool = caption("Verteile Zahlenpool auf", Lotto_Pool, this);
    lbLottoAnzahl = caption("Spiel", nullptr, this);
    grid->addWidget(LBLottoPool, 2, 0);
    grid->addWidget(Lotto_Pool, 2, 1);
    grid->addWidget(lbLottoAnzahl, 2, 2, 1, 2);

    // The verifiable draw of the other modes, and the audience's word for its next segment.
    cbNachpruefbar = new QCheckBox(t("Nachprüfbare Ziehung"), this);
    edPublikumswort = new QLineEdit(this);
    lbPublikumswort = caption("Publikumswort", edPublikumswort, this);
    grid->addWidget(cbNachpruefbar, 3, 0, 1, 4);
    grid->addWidget(lbPublikumswort, 4, 0);
    grid->addWidget(edPublikumswort, 4, 1, 1, 3);

    nameObjects({{this, "konfLotto"},
                 {hpLotto, "hpLotto"},
                 {Lotto_n, "Lotto_n"},
                 {Lotto_x, "Lotto_x"},
                 {Lotto_Spiele, "Lotto_Spiele"},
                 {Lotto_Pool, "Lotto_Pool"},
                 {lbLottoBereich, "lbLottoBereich"},
                 {Label4, "Label4"},
                 {lbLottoSpiele, "lbLottoSpiele"},
                 {LBLottoPool, "LBLottoPool"},
                 {lbLottoAnzahl, "lbLottoAnzahl"},
                 {cbNachpruefbar, "cbNachpruefbar"},
                 {lbPublikumswort, "lbPublikumswort"},
                 {edPublikumswort, "edPublikumswort"}});
    connect(Lotto_n, &QSpinBox::valueChanged, this, &LotteryPage::Lotto_nChange);
    connect(Lotto_x, &QSpinBox::valueChanged, this, &LotteryPage::Lotto_nChange);
    connect(Lotto_Pool, &QSpinBox::valueChanged, this, &LotteryPage::Lotto_PoolChange);
    connect(cbNachpruefbar, &QCheckBox::clicked, this, &LotteryPage::verificationClicked);
}

QString LotteryPage::audienceWord() const
{
    return edPublikumswort->text();
}

void LotteryPage::clearAudienceWord()
{
    edPublikumswort->clear();
}

void LotteryPage::Lotto_nChange()
{
    const LottoPoolField field =
        lottoPoolLimit(Lotto_n->value(), Lotto_x->value(), Lotto_Pool->value());
    if (Lotto_Pool->value() > field.value)
        Lotto_Pool->setValue(field.value);
    // The field never offers more games than the settings file keeps.
    Lotto_Pool->setMaximum(qMin(field.maximum, settinglimits::PoolLimits.high));
}

void LotteryPage::Lotto_PoolChange()
{
    lbLottoAnzahl->setText(lottoPoolWord(Lotto_Pool->value()));
}

void LotteryPage::loadLottery(const Settings &s)
{
    // The numbers before the pool: the pool's limit is what they allow, not what the page's
    // design values would (15 out of 99 allow a pool of 6 games, 15 out of 49 only 3).
    Lotto_Spiele->setValue(s.Games);
    Lotto_n->setValue(s.Pool_n);
    Lotto_x->setValue(s.Pool_x);
    Lotto_Pool->setValue(s.Pool);
}

void LotteryPage::loadVerification(const Settings &s)
{
    cbNachpruefbar->setChecked(s.VerifyEnabled);
}

void LotteryPage::collect(Settings &s) const
{
    s.Games = Lotto_Spiele->value();
    s.Pool = Lotto_Pool->value();
    s.Pool_n = Lotto_n->value();
    s.Pool_x = Lotto_x->value();
    s.VerifyEnabled = cbNachpruefbar->isChecked();
}

QList<QWidget *> LotteryPage::tabChain() const
{
    return {Lotto_n, Lotto_x, Lotto_Spiele, Lotto_Pool, cbNachpruefbar, edPublikumswort};
}
