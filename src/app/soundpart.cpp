#include "app/soundpart.h"

#include "settings/settings.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"

#include <QCheckBox>

SoundPart::SoundPart(SettingsPanel &panel, Platform &platform, QObject *parent)
    : QObject(parent), m_panel(panel), m_control(m_player, platform)
{
    connect(panel.cbSound, &QCheckBox::toggled, this, &SoundPart::cbSoundClick);
    connect(panel.cbSchleife, &QCheckBox::toggled, this, &SoundPart::cbSchleifeClick);
    connect(panel.edSoundfile, &FileField::textChanged, this, &SoundPart::edSoundfileChange);
    connect(panel.edSoundfile, &FileField::exited, this, &SoundPart::edSoundfileExit);
    connect(panel.edSoundfile, &FileField::buttonClicked, this, &SoundPart::edSoundfileButtonClick);
}

SoundOptions SoundPart::optionsOf(const Settings &settings)
{
    return {settings.Sound, settings.Play, settings.SFile};
}

void SoundPart::createWavePlayer()
{
    edSoundfileExit();
    m_player.setLoop(true);
}

void SoundPart::lockToEnd()
{
    m_panel.cbSchleife->setEnabled(false);
    m_panel.cbSchleife->setChecked(false);
}

void SoundPart::cbSoundClick()
{
    const QString name = m_panel.edSoundfile->text();
    m_control.cbSoundClick(name);
    m_namedFileFailed = SoundControl::fileNamed(name) && m_player.Sound().isEmpty();
}

void SoundPart::cbSchleifeClick()
{
    // "bis Ende" exists only for a named file that could be loaded.
    if (!SoundControl::fileNamed(m_panel.edSoundfile->text()) || m_namedFileFailed)
        lockToEnd();
}

void SoundPart::edSoundfileChange()
{
    m_namedFileFailed = false;
    m_panel.cbSchleife->setEnabled(SoundControl::fileNamed(m_panel.edSoundfile->text()));
}

void SoundPart::edSoundfileExit()
{
    m_namedFileFailed = !m_control.edSoundfileExit(m_panel.edSoundfile->text());
    if (m_namedFileFailed)
        lockToEnd();
}

void SoundPart::edSoundfileButtonClick()
{
    m_panel.edSoundfile->setText(m_control.edSoundfileButtonClick(m_panel.edSoundfile->text()));
}
