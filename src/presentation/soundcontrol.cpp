#include "presentation/soundcontrol.h"

#include "localisation/filerefusal.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/WavePlay.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

SoundControl::SoundControl(TWavePlayer &player, Platform &platform)
    : m_player(player), m_platform(platform)
{
}

bool SoundControl::fileNamed(const QString &fileName)
{
    return fileName.compare(QStringLiteral(" ")) > 0;
}

QString SoundControl::soundPath(const QString &fileName) const
{
    if (QDir::isAbsolutePath(fileName))
        return fileName;
    return filesFolder() + fileName;
}

QString SoundControl::filesFolder() const
{
    return m_filesFolder.isEmpty() ? programFolder(m_platform) : m_filesFolder;
}

bool SoundControl::loadNamed(const QString &fileName)
{
    const QString path = soundPath(fileName);
    if (m_player.LoadFromFile(path) == WaveError::None)
        return true;
    // A folder, a pipe or a device in the file's place, or a file far too large, is named as
    // such; anything else cannot be loaded.
    QString text =
        fileRefusalMessage(path, checkReadable(path, MaxWaveImageSize), MaxWaveImageSize);
    if (text.isEmpty())
        text = lngFormat("HinweisDateiNichtGeladen", {lng("HinweisDateiKlang"), fileName});
    m_platform.messageBox(lng("StrTivrelHinweis"), text, Platform::Icon::Warning,
                          Platform::Buttons::Ok);
    return false;
}

void SoundControl::loadClick()
{
    QByteArray click = builtInWave(QStringLiteral("Klack"));
    if (click.isEmpty())
        return; // without the resource the player stays empty and nothing plays
    QBuffer stream(&click);
    stream.open(QIODevice::ReadOnly);
    m_player.LoadFromStream(stream);
}

bool SoundControl::edSoundfileExit(const QString &fileName)
{
    if (fileNamed(fileName))
        return loadNamed(fileName);
    loadClick();
    return true;
}

QString SoundControl::edSoundfileButtonClick(const QString &fieldText)
{
    const QString folder = filesFolder();
    QString chosen = m_platform.openFileName(QString(), folder, lng("StrFilterKlang"));
    if (chosen.isEmpty())
        return fieldText;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".wav");
    return QDir(folder).relativeFilePath(chosen);
}

void SoundControl::cbSoundClick(const QString &fileName)
{
    m_player.Clear();
    if (fileNamed(fileName))
        loadNamed(fileName);
    else
        loadClick();
}

void SoundControl::drawStarted(const SoundOptions &options)
{
    if (!options.sound)
        return;
    if (!options.toEnd || !m_player.Active())
        m_player.Play();
}

void SoundControl::drawStopped(const SoundOptions &options)
{
    if (options.sound && !options.toEnd)
        m_player.Stop();
}

void SoundControl::lotteryNumberStarts(const SoundOptions &options)
{
    if (options.sound && !m_player.Active())
        m_player.Play();
}

void SoundControl::lotteryNumberDone(const SoundOptions &options)
{
    if (options.sound && !options.toEnd)
        m_player.Stop();
}

void SoundControl::waitingStarted(const SoundOptions &options)
{
    if (options.sound && fileNamed(options.fileName))
        m_player.Play();
}

void SoundControl::settingsOpened(const SoundOptions &options)
{
    if (options.sound)
        m_player.Stop();
}

void SoundControl::MMStille()
{
    m_player.Stop();
}

void SoundControl::windowClosing()
{
    if (m_player.Active())
        m_player.Stop();
}
