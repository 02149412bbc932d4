#include "settings/modepage.h"

#include "settings/pagebuilding.h"
#include "settings/settings.h"
#include "settings/settingscontrols.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

using namespace pagebuilding;

ModePage::ModePage(QWidget *parent) : QWidget(parent)
{
    QGridLayout *grid = pageWithHeader(this, hpModus, "Modus wählen");
    DoStatus = new RadioGroup(t("Aktion"),
                              {t("manuelle Ziehung"), t("Automatisch alle (Sekunden)"),
                               t("nächste Ziehung um (Uhr)"), t("nächste Ziehung um (Countdown)"),
                               t("Lotterie")},
                              this);
    // The fields stand beside the modes that use them.
    chkAutostop = new QCheckBox(t("Autostop"), this);
    DoStatus->setItemWidget(0, chkAutostop);
    Sekunden = spinField(0, 9999, 5, ShortFieldWidth + 8, this);
    DoStatus->setItemWidget(1, Sekunden);
    Uhrzeit = new QLineEdit(this);
    Uhrzeit->setInputMask(QStringLiteral("99:99;_"));
    Uhrzeit->setMaxLength(5);
    Uhrzeit->setFixedWidth(ShortFieldWidth + 8);
    Uhrzeit->setAlignment(Qt::AlignCenter);
    Uhrzeit->setEnabled(false);
    DoStatus->setItemWidget(2, Uhrzeit, 2);
    grid->addWidget(DoStatus, 0, 0);

    nameObjects({{this, "konfAktion"},
                 {hpModus, "hpModus"},
                 {DoStatus, "DoStatus"},
                 {chkAutostop, "chkAutostop"},
                 {Sekunden, "Sekunden"},
                 {Uhrzeit, "Uhrzeit"}});
    connect(DoStatus, &RadioGroup::itemIndexChanged, this, &ModePage::modeChosen);
    connect(chkAutostop, &QCheckBox::toggled, this, &ModePage::autostopToggled);
    connect(Uhrzeit, &QLineEdit::editingFinished, this, &ModePage::timeOfDayEdited);
}

int ModePage::modeIndex() const
{
    return DoStatus->itemIndex();
}

void ModePage::chooseMode(int index)
{
    DoStatus->setItemIndex(index);
}

bool ModePage::autostop() const
{
    return chkAutostop->isChecked();
}

QString ModePage::timeOfDay() const
{
    return Uhrzeit->text();
}

void ModePage::setTimeOfDay(const QString &time)
{
    Uhrzeit->setText(time);
}

bool ModePage::timeOfDayOpen() const
{
    return Uhrzeit->isEnabled();
}

void ModePage::openFields(bool seconds, bool autostop, bool timeOfDay)
{
    Sekunden->setEnabled(seconds);
    chkAutostop->setEnabled(autostop);
    Uhrzeit->setEnabled(timeOfDay);
}

void ModePage::openSeconds(bool open)
{
    Sekunden->setEnabled(open);
}

void ModePage::setTitle(const QString &title)
{
    hpModus->setText(title);
}

QStringList ModePage::modeNames() const
{
    QStringList names;
    for (int i = 0; i < DoStatus->count(); ++i)
        names << DoStatus->itemText(i);
    return names;
}

void ModePage::setModeNames(const QStringList &names)
{
    for (int i = 0; i < DoStatus->count() && i < names.size(); ++i)
        DoStatus->setItemText(i, names.at(i));
}

void ModePage::load(const Settings &s)
{
    DoStatus->setItemIndex(s.Mode);
    Sekunden->setValue(s.Intervall);
    chkAutostop->setChecked(s.Autostop);
    Uhrzeit->setText(s.Time);
}

void ModePage::collect(Settings &s) const
{
    s.Mode = DoStatus->itemIndex();
    s.Intervall = Sekunden->value();
    s.Autostop = chkAutostop->isChecked();
    s.Time = Uhrzeit->text();
}

QList<QWidget *> ModePage::tabChain() const
{
    return modeButtons() + QList<QWidget *>{chkAutostop, Sekunden, Uhrzeit};
}

QList<QWidget *> ModePage::modeButtons() const
{
    QList<QWidget *> buttons;
    for (int i = 0; i < DoStatus->count(); ++i)
        buttons << DoStatus->itemButton(i);
    return buttons;
}
