#pragma once

#include "presentation/waveoutput.h"

#include <QQueue>
#include <QTest>

// A sound output for tests that fails the test on any call it was not told to expect. Like the
// real output it answers a play request at once; whether the sound keeps going is decided
// later (deviceFails() stands for an audio device that gives up after the start).
class FakeWaveOutput final : public WaveOutput {
public:
    struct Expected {
        QString call; // "play" or "stop"
        bool answer = true;
        WavePlayRequest request;
    };

    void expectStop() { expected.enqueue({QStringLiteral("stop"), true, {}}); }
    // A looping, asynchronous, no-stop request (every request the program makes) and its answer.
    void expectPlay(bool answer = true) { expected.enqueue({QStringLiteral("play"), answer, {}}); }
    void deviceFails() { sounding = false; }

    bool play(const QByteArray &image, const WaveLayout &layout, WavePlayRequest request) override
    {
        const Expected next = take(QStringLiteral("play"));
        if (request.async != next.request.async || request.noStop != next.request.noStop)
            QTest::qFail("play request with unexpected flags", __FILE__, __LINE__);
        if (request.loop != loopExpected)
            QTest::qFail("play request with an unexpected loop flag", __FILE__, __LINE__);
        lastImage = image;
        lastLayout = layout;
        sounding = next.answer;
        return next.answer;
    }
    void stop() override
    {
        take(QStringLiteral("stop"));
        sounding = false;
    }
    bool playing() const override { return sounding; }

    // True when every expected call came.
    bool done() const { return expected.isEmpty(); }

    QQueue<Expected> expected;
    bool loopExpected = true;
    bool sounding = false;
    QByteArray lastImage;
    WaveLayout lastLayout;

private:
    Expected take(const QString &call)
    {
        if (expected.isEmpty() || expected.head().call != call) {
            QTest::qFail(qPrintable(QStringLiteral("unexpected %1 on the sound output").arg(call)),
                         __FILE__, __LINE__);
            return {call, false, {}};
        }
        return expected.dequeue();
    }
};
