#pragma once

#include "presentation/soundoutput.h"
#include "presentation/waveimage.h"

#include <QByteArray>

class QIODevice;
class WaveOutput;

// Holds one complete WAV file image in memory and hands it to the process's sound output.
// The window owns one, WavePlayer, and decides when it plays; every request it makes is
// asynchronous, looping and leaves another playing sound alone.
class TWavePlayer final : public SoundOutput {
public:
    explicit TWavePlayer(WaveOutput &output);
    ~TWavePlayer() override;
    TWavePlayer(const TWavePlayer &) = delete;
    TWavePlayer &operator=(const TWavePlayer &) = delete;

    // True from a successful looping Play until Stop, while the output still sounds.
    bool Active() const override;
    // Starts (Play) or stops (Stop) the sound; writing the current value does nothing.
    void setActive(bool active);

    bool Loop() const { return m_loop; }
    void setLoop(bool loop) { m_loop = loop; }

    // The image as loaded, RIFF header included.
    const QByteArray &Sound() const { return m_sound; }

    // Stops the sound and empties the image, if one is held.
    void Clear();
    // Clear, then the whole device from its start; refused (false, nothing cleared) when it
    // holds more than MaxWaveImageSize bytes.
    bool LoadFromStream(QIODevice &stream);
    // The whole file, checked first: a file that is missing, too large or not a sound image is
    // refused with its reason and the sound held so far stays.
    WaveError LoadFromFile(const QString &name);

    // Stop; then, if an image is held, the play request; Active tells whether it succeeded.
    void Play() override;
    // Stops any sound the output plays, not only this player's.
    void Stop() override;

private:
    WaveOutput &m_output;
    QByteArray m_sound;
    bool m_active = false;
    bool m_loop = false;
};
