#pragma once

#include "presentation/waveoutput.h"

#include <QObject>

#include <memory>

class QAudioSink;
class LoopingSamples;

// The process's sound output on Qt Multimedia: a QAudioSink pulls the samples of the image
// straight from memory, wrapping round at the end for a seamless loop. With no audio device,
// or one that does not take the image's sample format, a request fails at once.
class QtWaveOutput final : public QObject, public WaveOutput {
    Q_OBJECT
public:
    explicit QtWaveOutput(QObject *parent = nullptr);
    ~QtWaveOutput() override;

    bool play(const QByteArray &image, const WaveLayout &layout, WavePlayRequest request) override;
    void stop() override;
    bool playing() const override;
    // Milliseconds of sound the device has taken since the last start (0 when none plays).
    qint64 playedMs() const;

private:
    void sinkStateChanged();

    std::unique_ptr<QAudioSink> m_sink;
    std::unique_ptr<LoopingSamples> m_samples;
    bool m_playing = false;
    bool m_loop = false;
};
