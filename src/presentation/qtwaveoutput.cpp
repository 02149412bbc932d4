#include "presentation/qtwaveoutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QEventLoop>
#include <QIODevice>
#include <QLoggingCategory>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>
#include <limits>

Q_LOGGING_CATEGORY(lcSound, "tivrel.sound", QtWarningMsg)

// The sample data of an image as a read-only device that, when looping, starts over at its
// end within the same read, so the sink never sees a gap.
class LoopingSamples final : public QIODevice {
public:
    LoopingSamples(const QByteArray &image, const WaveLayout &layout, bool loop)
        : m_image(image), m_begin(layout.dataOffset), m_size(layout.dataSize), m_loop(loop)
    {
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override
    {
        const qint64 own = m_loop ? std::numeric_limits<int>::max() : m_size - m_position;
        return own + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        qint64 done = 0;
        while (done < maxSize) {
            if (m_position == m_size) {
                if (!m_loop)
                    break;
                m_position = 0;
            }
            const qint64 chunk = std::min(maxSize - done, m_size - m_position);
            std::memcpy(data + done, m_image.constData() + m_begin + m_position,
                        static_cast<size_t>(chunk));
            done += chunk;
            m_position += chunk;
        }
        return done;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    const QByteArray m_image; // shares the player's image; it is not changed while playing
    const qint64 m_begin;
    const qint64 m_size;
    const bool m_loop;
    qint64 m_position = 0;
};

namespace {

// The sink's format for an image, or an invalid one for encodings it cannot take.
QAudioFormat sinkFormat(const WaveFormat &wave)
{
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(wave.sampleRate));
    format.setChannelCount(wave.channels);
    if (wave.encoding == WaveEncoding::Pcm && wave.bitsPerSample == 8)
        format.setSampleFormat(QAudioFormat::UInt8);
    else if (wave.encoding == WaveEncoding::Pcm && wave.bitsPerSample == 16)
        format.setSampleFormat(QAudioFormat::Int16);
    else if (wave.encoding == WaveEncoding::Pcm && wave.bitsPerSample == 32)
        format.setSampleFormat(QAudioFormat::Int32);
    else if (wave.encoding == WaveEncoding::Float && wave.bitsPerSample == 32)
        format.setSampleFormat(QAudioFormat::Float);
    else
        format.setSampleFormat(QAudioFormat::Unknown);
    return format;
}

} // namespace

QtWaveOutput::QtWaveOutput(QObject *parent) : QObject(parent) {}

QtWaveOutput::~QtWaveOutput()
{
    stop();
}

bool QtWaveOutput::play(const QByteArray &image, const WaveLayout &layout, WavePlayRequest request)
{
    if (request.noStop && playing())
        return false;
    stop();
    // A looping sound that the caller waits for would never return.
    if (request.loop && !request.async)
        return false;
    const QAudioFormat format = sinkFormat(layout.format);
    if (!format.isValid())
        return false;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) {
        qCDebug(lcSound) << "No audio output for" << format;
        return false;
    }
    m_samples = std::make_unique<LoopingSamples>(image, layout, request.loop);
    m_samples->open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, &QtWaveOutput::sinkStateChanged);
    m_loop = request.loop;
    m_playing = true;
    m_sink->start(m_samples.get());
    if (m_sink->error() != QAudio::NoError) {
        stop();
        return false;
    }
    if (!request.async) {
        QEventLoop wait;
        connect(m_sink.get(), &QAudioSink::stateChanged, &wait, [&wait, this] {
            if (!m_playing)
                wait.quit();
        });
        if (m_playing)
            wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}

void QtWaveOutput::sinkStateChanged()
{
    if (!m_sink)
        return;
    const QAudio::State state = m_sink->state();
    // A single sound has ended when the sink runs idle. A loop never runs dry: idle means the
    // device was not fed in time (a busy machine), and the sink goes on by itself.
    const bool ended = state == QAudio::StoppedState || (state == QAudio::IdleState && !m_loop);
    if (m_sink->error() != QAudio::NoError)
        qCDebug(lcSound) << "Audio output" << state << m_sink->error();
    if (ended)
        m_playing = false;
}

void QtWaveOutput::stop()
{
    m_playing = false;
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->reset();
        m_sink->stop();
        m_sink.reset();
    }
    m_samples.reset();
}

bool QtWaveOutput::playing() const
{
    return m_playing;
}

qint64 QtWaveOutput::playedMs() const
{
    return m_sink ? m_sink->processedUSecs() / 1000 : 0;
}
