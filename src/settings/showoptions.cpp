#include "settings/showoptions.h"

#include "localisation/uitext.h"
#include "presentation/displaypixels.h"
#include "presentation/showcolours.h"
#include "settings/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

ShowOptionsBox::ShowOptionsBox(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("gbShow"));
    cbPublikum = new QCheckBox(this);
    cbPublikum->setObjectName(QStringLiteral("cbPublikum"));
    cbBildschirm = new QComboBox(this);
    cbBildschirm->setObjectName(QStringLiteral("cbBildschirm"));
    cbBildschirm->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbBildschirm->setMinimumContentsLength(8);
    lbBildschirm = new QLabel(this);
    lbBildschirm->setBuddy(cbBildschirm);
    cbSanft = new QCheckBox(this);
    cbSanft->setObjectName(QStringLiteral("cbSanft"));
    cbAnsagen = new QCheckBox(this);
    cbAnsagen->setObjectName(QStringLiteral("cbAnsagen"));
    lbKeineSprache = new QLabel(this);
    lbKeineSprache->setObjectName(QStringLiteral("lbKeineSprache"));
    lbKeineSprache->setWordWrap(true);
    lbKeineSprache->hide();
    lbKontrast = new QLabel;
    lbKontrast->setObjectName(QStringLiteral("lbKontrast"));
    lbKontrast->setStyleSheet(QStringLiteral("QLabel { color: #A01010; }"));
    lbKontrast->setWordWrap(true);
    lbKontrast->hide();

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(cbPublikum, 0, 0);
    grid->addWidget(lbBildschirm, 0, 1, Qt::AlignRight);
    grid->addWidget(cbBildschirm, 0, 2);
    grid->addWidget(cbSanft, 1, 0);
    grid->addWidget(cbAnsagen, 1, 1, 1, 2);
    grid->addWidget(lbKeineSprache, 2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    cbBildschirm->setEnabled(false);
    connect(cbPublikum, &QCheckBox::toggled, cbBildschirm, &QWidget::setEnabled);
    connect(cbPublikum, &QCheckBox::toggled, this, &ShowOptionsBox::audienceToggled);
    connect(cbBildschirm, &QComboBox::currentIndexChanged, this, &ShowOptionsBox::screenChosen);
    connect(cbSanft, &QCheckBox::toggled, this, &ShowOptionsBox::safeAnimationToggled);
    connect(cbAnsagen, &QCheckBox::toggled, this, &ShowOptionsBox::speakingToggled);
    retranslate();
}

bool ShowOptionsBox::audienceOn() const
{
    return cbPublikum->isChecked();
}

void ShowOptionsBox::load(const Settings &s)
{
    cbPublikum->setChecked(s.Audience);
    setScreenName(s.AudienceScreen);
    cbSanft->setChecked(s.SafeAnimation);
    if (cbAnsagen->isEnabled())
        cbAnsagen->setChecked(s.Speak);
}

void ShowOptionsBox::collect(Settings &s) const
{
    s.Audience = cbPublikum->isChecked();
    s.AudienceScreen = screenName();
    s.SafeAnimation = cbSanft->isChecked();
    s.Speak = cbAnsagen->isChecked();
}

QList<QWidget *> ShowOptionsBox::tabChain() const
{
    return {cbPublikum, cbBildschirm, cbSanft, cbAnsagen};
}

void ShowOptionsBox::retranslate()
{
    setTitle(lng("StrShowGruppe"));
    cbPublikum->setText(lng("StrShowPublikum"));
    lbBildschirm->setText(lng("StrShowBildschirm"));
    cbSanft->setText(lng("StrShowSanft"));
    cbAnsagen->setText(lng("StrShowAnsagen"));
    lbKeineSprache->setText(lng("StrShowKeineSprache"));
    showContrastWarning();
}

void ShowOptionsBox::showContrastWarning()
{
    // Only a warning that shows has a text: a hidden label is still read by screen readers.
    const bool warns = m_contrast < PickerContrast;
    lbKontrast->setText(
        warns ? lngFormat("StrShowKontrast", {QLocale().toString(m_contrast, 'f', 1)}) : QString());
    lbKontrast->setVisible(warns);
}

void ShowOptionsBox::setSpeechAvailable(bool available)
{
    m_speech = available;
    if (!available)
        cbAnsagen->setChecked(false);
    cbAnsagen->setEnabled(available);
    lbKeineSprache->setVisible(!available);
}

void ShowOptionsBox::setScreenNames(const QStringList &names)
{
    const QString chosen = screenName();
    const QSignalBlocker blocker(cbBildschirm);
    cbBildschirm->clear();
    cbBildschirm->addItems(names);
    setScreenName(chosen);
}

QString ShowOptionsBox::screenName() const
{
    return cbBildschirm->currentText();
}

void ShowOptionsBox::setScreenName(const QString &name)
{
    if (name.isEmpty()) {
        cbBildschirm->setCurrentIndex(-1);
        return;
    }
    int index = cbBildschirm->findText(name);
    if (index < 0) {
        cbBildschirm->addItem(name);
        index = cbBildschirm->count() - 1;
    }
    cbBildschirm->setCurrentIndex(index);
}

void ShowOptionsBox::showPickerContrast(quint32 foreground, quint32 background)
{
    m_contrast = contrastRatio(ToColor32(foreground), ToColor32(background));
    showContrastWarning();
}
