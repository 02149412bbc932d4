#include "app/soundpart.h"

#include "settings/optionspage.h"
#include "settings/settings.h"

SoundPart::SoundPart(OptionsPage &page, Platform &platform, QObject *parent)
    : QObject(parent), m_page(page), m_control(m_player, platform)
{
    connect(&page, &OptionsPage::soundToggled, this, &SoundPart::cbSoundClick);
    connect(&page, &OptionsPage::loopToggled, this, &SoundPart::cbSchleifeClick);
    connect(&page, &OptionsPage::soundFileChanged, this, &SoundPart::edSoundfileChange);
    connect(&page, &OptionsPage::soundFileLeft, this, &SoundPart::edSoundfileExit);
    connect(&page, &OptionsPage::soundBrowseClicked, this, &SoundPart::edSoundfileButtonClick);
    // The player loops its sound; whether it plays on to the end is the sound options' choice.
    m_player.setLoop(true);
}

SoundOptions SoundPart::optionsOf(const Settings &settings)
{
    return {settings.Sound, settings.Play, settings.SFile};
}

void SoundPart::lockToEnd()
{
    m_page.lockLoop();
}

void SoundPart::cbSoundClick()
{
    const QString name = m_page.soundFile();
    m_control.cbSoundClick(name);
    m_namedFileFailed = SoundControl::fileNamed(name) && m_player.Sound().isEmpty();
}

void SoundPart::cbSchleifeClick()
{
    // "bis Ende" exists only for a named file that could be loaded.
    if (!SoundControl::fileNamed(m_page.soundFile()) || m_namedFileFailed)
        lockToEnd();
}

void SoundPart::edSoundfileChange()
{
    m_namedFileFailed = false;
    m_page.openLoop(SoundControl::fileNamed(m_page.soundFile()));
}

void SoundPart::edSoundfileExit()
{
    m_namedFileFailed = !m_control.edSoundfileExit(m_page.soundFile());
    if (m_namedFileFailed)
        lockToEnd();
}

void SoundPart::edSoundfileButtonClick()
{
    m_page.setSoundFile(m_control.edSoundfileButtonClick(m_page.soundFile()));
}
