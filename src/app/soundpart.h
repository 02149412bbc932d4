#pragma once

#include "presentation/WavePlay.h"
#include "presentation/qtwaveoutput.h"
#include "presentation/soundcontrol.h"

#include <QObject>

class Platform;
class OptionsPage;
struct Settings;

// The window's sound: the process's audio output, the one player WavePlayer, and the handlers
// of the sound options on the options page ("Klang", "bis Ende" and the file field).
class SoundPart final : public QObject {
    Q_OBJECT
public:
    SoundPart(OptionsPage &page, Platform &platform, QObject *parent = nullptr);

    // The occasions of a draw, the settings and "Musik aus" go through here.
    SoundControl &control() { return m_control; }
    TWavePlayer &WavePlayer() { return m_player; }
    static SoundOptions optionsOf(const Settings &settings);

    void cbSoundClick();
    void cbSchleifeClick();
    void edSoundfileChange();
    void edSoundfileExit();
    void edSoundfileButtonClick();

private:
    // "bis Ende" off and locked: no file is named, or the named one could not be loaded.
    void lockToEnd();

    OptionsPage &m_page;
    QtWaveOutput m_output;
    TWavePlayer m_player{m_output};
    SoundControl m_control;
    bool m_namedFileFailed = false;
};
