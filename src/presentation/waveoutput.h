#pragma once

#include "presentation/waveimage.h"

#include <QByteArray>

// The flags of a play request: asynchronous (return at once), no-stop (yield to a sound that
// is already playing instead of cutting it off) and loop (repeat seamlessly until stopped).
struct WavePlayRequest {
    bool async = true;
    bool noStop = true;
    bool loop = false;
};

// The process's sound output: one sound at a time, from a WAV image held in memory.
class WaveOutput {
public:
    virtual ~WaveOutput() = default;
    // Starts playing the image, whose layout parseWaveImage has checked. Returns false when it
    // cannot play (no audio device, a sample format the device does not take, or a no-stop
    // request while a sound plays). An asynchronous request returns at once; the output keeps
    // its own reference to the image while it plays.
    virtual bool play(const QByteArray &image, const WaveLayout &layout,
                      WavePlayRequest request) = 0;
    // Stops whatever sound of the process plays, at once.
    virtual void stop() = 0;
    // Whether a sound started by play() still sounds; false once it ended or the device failed.
    virtual bool playing() const = 0;
};
