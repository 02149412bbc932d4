#include "settings/weboptions.h"

#include "localisation/uitext.h"
#include "settings/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

WebOptionsBox::WebOptionsBox(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("gbWeb"));
    cbWeb = new QCheckBox(this);
    cbWeb->setObjectName(QStringLiteral("cbWeb"));
    sbWebPort = new QSpinBox(this);
    sbWebPort->setObjectName(QStringLiteral("sbWebPort"));
    sbWebPort->setRange(settinglimits::WebPortLimits.low, settinglimits::WebPortLimits.high);
    sbWebPort->setValue(Settings{}.WebPort);
    lbWebPort = new QLabel(this);
    lbWebPort->setBuddy(sbWebPort);
    cbWebAdresse = new QComboBox(this);
    cbWebAdresse->setObjectName(QStringLiteral("cbWebAdresse"));
    cbWebAdresse->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbWebAdresse->setMinimumContentsLength(14);
    cbWebAdresse->addItem(QString(), QString());
    lbWebAdresse = new QLabel(this);
    lbWebAdresse->setBuddy(cbWebAdresse);
    cbWebEcke = new QCheckBox(this);
    cbWebEcke->setObjectName(QStringLiteral("cbWebEcke"));
    lbWebSeite = new QLabel(this);
    lbWebSeite->setObjectName(QStringLiteral("lbWebSeite"));
    lbWebSeite->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbWebSeite->setWordWrap(true);
    lbWebHilfe = new QLabel(this);
    lbWebHilfe->setObjectName(QStringLiteral("lbWebHilfe"));
    lbWebHilfe->setWordWrap(true);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(cbWeb, 0, 0, 1, 4);
    grid->addWidget(lbWebPort, 1, 0);
    grid->addWidget(sbWebPort, 1, 1);
    grid->addWidget(lbWebAdresse, 1, 2, Qt::AlignRight);
    grid->addWidget(cbWebAdresse, 1, 3);
    grid->addWidget(cbWebEcke, 2, 0, 1, 4);
    grid->addWidget(lbWebSeite, 3, 0, 1, 4);
    grid->addWidget(lbWebHilfe, 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    retranslate();
}

void WebOptionsBox::retranslate()
{
    setTitle(lng("StrWebGruppe"));
    cbWeb->setText(lng("StrWebAn"));
    cbWebEcke->setText(lng("StrWebEcke"));
    lbWebPort->setText(lng("StrWebPort"));
    lbWebAdresse->setText(lng("StrWebAdresse"));
    cbWebAdresse->setItemText(0, lng("StrWebAlleAdressen"));
    lbWebHilfe->setText(lng("StrWebHilfe"));
    showState(m_url, m_error);
}

void WebOptionsBox::load(const Settings &settings)
{
    cbWeb->setChecked(settings.WebEnabled);
    sbWebPort->setValue(settings.WebPort);
    setAddress(settings.WebAddress);
    cbWebEcke->setChecked(settings.WebCorner);
}

void WebOptionsBox::collect(Settings &settings) const
{
    settings.WebEnabled = cbWeb->isChecked();
    settings.WebPort = sbWebPort->value();
    settings.WebAddress = address();
    settings.WebCorner = cbWebEcke->isChecked();
}

void WebOptionsBox::setAddresses(const QStringList &addresses)
{
    const QString chosen = address();
    const QSignalBlocker blocker(cbWebAdresse);
    while (cbWebAdresse->count() > 1)
        cbWebAdresse->removeItem(1);
    for (const QString &address : addresses)
        cbWebAdresse->addItem(address, address);
    setAddress(chosen);
}

QString WebOptionsBox::address() const
{
    return cbWebAdresse->currentData().toString();
}

void WebOptionsBox::setAddress(const QString &address)
{
    int index = cbWebAdresse->findData(address);
    if (index < 0) {
        cbWebAdresse->addItem(address, address);
        index = cbWebAdresse->count() - 1;
    }
    cbWebAdresse->setCurrentIndex(index);
}

void WebOptionsBox::showState(const QString &url, const QString &error)
{
    m_url = url;
    m_error = error;
    lbWebSeite->setVisible(!url.isEmpty() || !error.isEmpty());
    lbWebSeite->setText(!error.isEmpty() ? lngFormat("StrWebFehler", {error})
                                         : lngFormat("StrWebSeite", {url}));
}

QList<QWidget *> WebOptionsBox::tabChain() const
{
    return {cbWeb, sbWebPort, cbWebAdresse, cbWebEcke};
}
