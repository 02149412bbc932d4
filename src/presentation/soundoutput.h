#pragma once

// A sound player as the program uses it: play the chosen sound, stop it, and whether it is
// playing. TWavePlayer is the program's one.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
};
