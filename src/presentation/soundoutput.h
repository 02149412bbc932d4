#pragma once

// What the draw control asks of the sound player: play the chosen sound, stop it, and whether
// it is playing. The window holds a silent player until the WAV player is built in.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
};

class SilentSound final : public SoundOutput {
public:
    void Play() override { m_active = true; }
    void Stop() override { m_active = false; }
    bool Active() const override { return m_active; }

private:
    bool m_active = false;
};
