#pragma once

#include <QObject>

class ControlStrip;
class DrawPass;
class EntryDisplay;
class Platform;
class ResultsTable;
class SettingsSource;
class SoundControl;
class WindowTimer;

// The draw's animation: the 80 ms tick that flashes entries of the pool until Stop, the draw
// that the next tick after Stop makes due, the sounds of starting and stopping, and the waits
// that keep handling events (WaitPumping). The tick and the waits both end when the window
// closes. The draw itself is the pool part's: the window connects numberDue to it.
class DrawAnimation : public QObject {
    Q_OBJECT
public:
    // Whether an animation runs: Running until Stop is pressed, Stopping until the next tick
    // draws.
    enum class Animation { Idle, Running, Stopping };

    struct Parts {
        DrawPass &pass;
        EntryDisplay &display;
        ControlStrip &strip; // the button's caption follows the animation
        ResultsTable &results;
        const SettingsSource &settings; // the sound options
        SoundControl &sound;
        Platform &platform; // the clock of the waits
    };
    explicit DrawAnimation(const Parts &parts, QObject *parent = nullptr);
    ~DrawAnimation() override;

    Animation animation() const { return m_animation; }
    // The animation tick, to look at.
    const WindowTimer &refresher() const { return *Refresher; }

    // Start pressed: the selection hides, the start sound plays, the tick runs.
    void start();
    // Stop pressed: the results show, the stop sound plays; the next tick draws.
    void stop();
    // A number of the lottery run begins and ends, with the lottery's sounds.
    void startLotteryNumber();
    void stopLotteryNumber();
    // A number whose tick has not come yet (a machine too busy for the pause) is drawn now.
    void drawPendingNumber();
    // An animation that ends without a draw: the display shows its last still again.
    void abandon();
    void RefresherTimer();
    // The settings open: the sound stops as the options say.
    void settingsOpened();
    // Waits while events go on; false when the window is closing.
    bool WaitPumping(int ms);
    // The window closes: a wait or an animation tick still to come ends.
    void windowClosing() { m_closing = true; }

Q_SIGNALS:
    // Whether an animation runs changed.
    void animationChanged(DrawAnimation::Animation animation);
    // The tick after Stop: the entry is to be drawn now.
    void numberDue();

private:
    void setAnimation(Animation animation);

    Parts p;
    WindowTimer *Refresher; // 80 ms animation tick
    Animation m_animation = Animation::Idle;
    bool m_closing = false;
};
