#include "settings/optionspage.h"

#include "settings/pagebuilding.h"
#include "settings/settings.h"
#include "settings/settingscontrols.h"
#include "settings/showoptions.h"
#include "settings/weboptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace pagebuilding;

OptionsPage::OptionsPage(QWidget *parent) : QWidget(parent)
{
    QWidget *page = this;
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
    grid->addWidget(gbShow->contrastNote(), 6, 1, 1, 2);
    grid->addWidget(gbShow, 7, 0, 1, 3);
    gbWeb = new WebOptionsBox(page);
    grid->addWidget(gbWeb, 8, 0, 1, 3);
    const auto contrast = [this](quint32) {
        gbShow->showPickerContrast(cpVordergrund->colour(), cpHintergrund->colour());
    };
    connect(cpVordergrund, &ColourPicker::colourChanged, gbShow, contrast);
    connect(cpHintergrund, &ColourPicker::colourChanged, gbShow, contrast);

    nameObjects({{this, "konfOptionen"},
                 {hpOptionen, "hpOptionen"},
                 {HilfeLng, "HilfeLng"},
                 {lbHilfeLng, "lbHilfeLng"},
                 {Label5, "Label5"},
                 {cbNumberEffect, "cbNumberEffect"},
                 {cbFarbenregen, "cbFarbenregen"},
                 {cbSound, "cbSound"},
                 {cbSchleife, "cbSchleife"},
                 {edSoundfile, "edSoundfile"},
                 {cbHintergrund, "cbHintergrund"},
                 {cbHintergrundAnimiert, "cbHintergrundAnimiert"},
                 {edHintergrundbild, "edHintergrundbild"},
                 {Label6, "Label6"},
                 {cpVordergrund, "cpVordergrund"},
                 {Label7, "Label7"},
                 {cpHintergrund, "cpHintergrund"},
                 {cbListeAus, "cbListeAus"},
                 {cbMaximiert, "cbMaximiert"}});

    connect(HilfeLng, &QComboBox::currentIndexChanged, this, &OptionsPage::languageChosen);
    connect(cbSound, &QCheckBox::toggled, this, &OptionsPage::soundToggled);
    connect(cbSchleife, &QCheckBox::toggled, this, &OptionsPage::loopToggled);
    connect(edSoundfile, &FileField::textChanged, this, &OptionsPage::soundFileChanged);
    connect(edSoundfile, &FileField::exited, this, &OptionsPage::soundFileLeft);
    connect(edSoundfile, &FileField::buttonClicked, this, &OptionsPage::soundBrowseClicked);
    connect(cbNumberEffect, &QCheckBox::toggled, this, &OptionsPage::numberEffectToggled);
    connect(cbFarbenregen, &QCheckBox::toggled, this, &OptionsPage::colourEffectToggled);
    connect(cbHintergrund, &QCheckBox::toggled, this, &OptionsPage::pictureToggled);
    connect(cbHintergrundAnimiert, &QCheckBox::toggled, this, &OptionsPage::pictureAnimatedToggled);
    connect(edHintergrundbild, &FileField::buttonClicked, this, &OptionsPage::pictureBrowseClicked);
    connect(edHintergrundbild, &FileField::exited, this, &OptionsPage::pictureFieldLeft);
    connect(cpVordergrund, &ColourPicker::colourChanged, this, &OptionsPage::foreColourChanged);
    connect(cpHintergrund, &ColourPicker::colourChanged, this, &OptionsPage::backColourChanged);
}

void OptionsPage::setLanguageNames(const QStringList &names)
{
    const QSignalBlocker block(HilfeLng);
    HilfeLng->clear();
    HilfeLng->addItems(names);
}

int OptionsPage::languageCount() const
{
    return HilfeLng->count();
}

int OptionsPage::languageIndex() const
{
    return HilfeLng->currentIndex();
}

void OptionsPage::setLanguageIndex(int index)
{
    HilfeLng->setCurrentIndex(index);
}

QString OptionsPage::soundFile() const
{
    return edSoundfile->text();
}

void OptionsPage::setSoundFile(const QString &name)
{
    edSoundfile->setText(name);
}

void OptionsPage::leaveSoundFile()
{
    Q_EMIT soundFileLeft();
}

void OptionsPage::openLoop(bool open)
{
    cbSchleife->setEnabled(open);
}

void OptionsPage::lockLoop()
{
    cbSchleife->setEnabled(false);
    cbSchleife->setChecked(false);
}

QString OptionsPage::picturePath() const
{
    return edHintergrundbild->text();
}

void OptionsPage::setPicturePath(const QString &path)
{
    edHintergrundbild->setText(path);
}

bool OptionsPage::pictureTicked() const
{
    return cbHintergrund->isChecked();
}

bool OptionsPage::pictureAnimated() const
{
    return cbHintergrundAnimiert->isChecked();
}

void OptionsPage::openPictureOptions(bool picture, bool animated)
{
    cbHintergrund->setEnabled(picture);
    cbHintergrundAnimiert->setEnabled(animated);
}

void OptionsPage::untickPictureOptions()
{
    cbHintergrund->setChecked(false);
    cbHintergrundAnimiert->setChecked(false);
}

void OptionsPage::refusePicture(const QString &problem)
{
    cbHintergrund->setEnabled(false);
    edHintergrundbild->setProblem(problem);
}

bool OptionsPage::numberEffect() const
{
    return cbNumberEffect->isChecked();
}

bool OptionsPage::colourEffect() const
{
    return cbFarbenregen->isChecked();
}

quint32 OptionsPage::foreColour() const
{
    return cpVordergrund->colour();
}

quint32 OptionsPage::backColour() const
{
    return cpHintergrund->colour();
}

void OptionsPage::setForeColour(quint32 bgr)
{
    cpVordergrund->setColour(bgr);
}

void OptionsPage::setBackColour(quint32 bgr)
{
    cpHintergrund->setColour(bgr);
}

void OptionsPage::retranslateColours()
{
    cpVordergrund->retranslate();
    cpHintergrund->retranslate();
}

bool OptionsPage::listOff() const
{
    return cbListeAus->isChecked();
}

void OptionsPage::setListOff(bool off)
{
    cbListeAus->setChecked(off);
}

bool OptionsPage::maximised() const
{
    return cbMaximiert->isChecked();
}

void OptionsPage::loadSound(const Settings &s)
{
    cbSound->setChecked(s.Sound);
    cbSchleife->setChecked(s.Play);
    if (edSoundfile->text().isEmpty())
        cbSchleife->setEnabled(false);
}

void OptionsPage::loadEffects(const Settings &s)
{
    cbFarbenregen->setChecked(s.Colors);
    cbNumberEffect->setChecked(s.Numbers);
}

void OptionsPage::loadWindowOptions(const Settings &s)
{
    cbMaximiert->setChecked(s.Size);
    cbListeAus->setChecked(s.List);
}

void OptionsPage::loadPicture(const Settings &s)
{
    cbHintergrund->setChecked(s.HGB);
    cbHintergrundAnimiert->setChecked(s.HGA);
    edHintergrundbild->setText(s.HGI);
}

void OptionsPage::collect(Settings &s) const
{
    s.Sound = cbSound->isChecked();
    s.Play = cbSchleife->isChecked();
    s.Colors = cbFarbenregen->isChecked();
    s.Numbers = cbNumberEffect->isChecked();
    s.Language = HilfeLng->currentIndex();
    s.Size = cbMaximiert->isChecked();
    s.List = cbListeAus->isChecked();
    s.FGC = static_cast<qint32>(cpVordergrund->colour());
    s.BGC = static_cast<qint32>(cpHintergrund->colour());
    s.HGB = cbHintergrund->isChecked();
    s.HGA = cbHintergrundAnimiert->isChecked();
    s.HGI = edHintergrundbild->text();
    s.SFile = edSoundfile->text();
    gbShow->collect(s);
    gbWeb->collect(s);
}

QList<QWidget *> OptionsPage::tabChain() const
{
    return QList<QWidget *>{HilfeLng,
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
                            cbMaximiert} +
           gbShow->tabChain() + gbWeb->tabChain();
}
