#include "presentation/WavePlay.h"

#include "presentation/waveoutput.h"

#include <QIODevice>

#include <algorithm>

TWavePlayer::TWavePlayer(WaveOutput &output) : m_output(output) {}

TWavePlayer::~TWavePlayer()
{
    Stop();
}

bool TWavePlayer::Active() const
{
    return m_active && m_output.playing();
}

void TWavePlayer::setActive(bool active)
{
    if (active == Active())
        return;
    if (active)
        Play();
    else
        Stop();
}

void TWavePlayer::Clear()
{
    if (m_sound.isEmpty())
        return;
    Stop();
    m_sound.clear();
}

bool TWavePlayer::LoadFromStream(QIODevice &stream)
{
    if (!stream.isSequential() && !stream.seek(0))
        return false;
    // A stream of known size is read at that size; one of unknown size in pieces, until one
    // byte more than allowed tells a stream that is too long from one that just fits. Either
    // way no buffer of the largest allowed size is set aside for a small sound.
    QByteArray image;
    if (!stream.isSequential()) {
        if (stream.size() > MaxWaveImageSize)
            return false;
        image = stream.readAll();
    } else {
        constexpr qint64 piece = 1 << 16;
        while (image.size() <= MaxWaveImageSize) {
            const QByteArray more =
                stream.read(std::min<qint64>(piece, MaxWaveImageSize + 1 - image.size()));
            if (more.isEmpty() && !stream.waitForReadyRead(0))
                break;
            image += more;
        }
    }
    if (image.size() > MaxWaveImageSize)
        return false;
    Clear();
    m_sound = std::move(image);
    return true;
}

WaveError TWavePlayer::LoadFromFile(const QString &name)
{
    WaveFileResult file = readWaveFile(name);
    if (!file.ok())
        return file.error;
    Clear();
    m_sound = std::move(file.image);
    return WaveError::None;
}

void TWavePlayer::Play()
{
    Stop();
    if (m_sound.isEmpty())
        return;
    // An image the output cannot play fails quietly, as the request on it would.
    const WaveParseResult parsed = parseWaveImage(m_sound);
    if (!parsed.ok())
        return;
    const WavePlayRequest request{true, true, m_loop};
    m_active = m_output.play(m_sound, parsed.layout, request) && m_loop;
}

void TWavePlayer::Stop()
{
    m_active = false;
    m_output.stop();
}
