#pragma once

#include "app/commands.h"
#include "draw/drawmode.h"

#include <QDateTime>
#include <QObject>

class ControlStrip;
class EntryDisplay;
class DrawPass;
class Platform;
class ResultsTable;
class ModePage;
class SettingsSource;
class SoundControl;
class WindowTimer;

// The draw control: the start/stop command, the animation tick that performs the draw after a
// stop, the interval timer of timed draws and autostop, the countdown to a time of day, the
// autopilot and the activation of the chosen draw mode; and the handlers of the mode page.
// The lottery run is in lotteryrun.cpp.
class DrawControl : public QObject, public DrawCommands {
    Q_OBJECT
public:
    // Whether an animation runs: Running until Stop is pressed, Stopping until the next tick
    // draws.
    enum class Animation { Idle, Running, Stopping };

    struct Parts {
        DrawPass &pass;
        EntryDisplay &display;
        ControlStrip &strip;
        ResultsTable &results;
        ModePage &mode; // the mode page, whose handlers these are
        const SettingsSource &settings;
        Platform &platform;
        SoundControl &sound;
        PassCommands &passCommands;
    };
    explicit DrawControl(const Parts &parts, QObject *parent = nullptr);
    ~DrawControl() override;
    // The settings steps, which are made after the draw control and use it in turn.
    void setSettingsCommands(SettingsCommands &commands) { m_settingsCommands = &commands; }

    Animation animation() const { return m_animation; }

    // The timers and the state of timed drawing, to look at.
    const WindowTimer &refresher() const { return *Refresher; }
    const WindowTimer &intervalTimer() const { return *IntervallTimer; }
    const WindowTimer &countdownTimer() const { return *Nochtimer; }
    bool autopilotSuppressed() const { return AutopilotSuppressed; }
    bool autostopArmed() const { return AutostopArmed; }
    int autostopRemaining() const { return AutostopRemaining; }
    QDateTime timeOfNextDraw() const { return NextDrawTime; }

    void BTStartStopClick();
    void RefresherTimer();
    void IntervallTimerTimer();
    void IntervalTick();
    void NochtimerTimer();
    void ShowTimeToNextDraw();
    void DoStatusClick();
    // The mode page's title names the mode chosen, in the language in force.
    void showModeTitle();
    void chkAutostopClick();
    void UhrzeitExit();
    void mmNeueRundeStartenClick();
    // The lottery mode's activation: draws every game of the ticket suggestion, about a second
    // per number, inside the apply step.
    void runLottery();

    // DrawCommands.
    void interruptForSettings() override;
    void allowAutopilot() override { AutopilotSuppressed = false; }
    void ActivateMode() override;
    bool WaitPumping(int ms) override;

    // Switches all three timers off; an animation ends without a draw.
    void stopTimers();
    // The window closes: the timers stop, and a wait or an animation tick still to come ends.
    void windowClosing();
    // The pass is over: timers off, button hidden, "StrZiehungEnde" on the status line.
    void endPass();

Q_SIGNALS:
    // Whether an animation runs changed.
    void animationChanged(DrawControl::Animation animation);
    // The lottery mode was applied: its run is to start.
    void lotteryRunRequested();

private:
    // The lottery run's side of the game loop (lotteryrun.cpp).
    class LotteryWindow;

    void startAnimation();
    void setAnimation(Animation animation);
    // An animation that ends without a draw: the display shows its last still again.
    void abandonAnimation();
    DrawMode mode() const;

    Parts p;
    WindowTimer *Refresher;           // 80 ms animation tick
    WindowTimer *IntervallTimer;      // timed start/stop and autostop countdown
    WindowTimer *Nochtimer;           // 1000 ms countdown
    bool AutopilotSuppressed = false; // a start command must not switch to timed drawing
    bool AutostopArmed = false;       // while an autostop countdown runs
    int AutostopRemaining = 0;        // seconds left in it
    QDateTime NextDrawTime;           // the moment of the next draw in the countdown mode
    SettingsCommands *m_settingsCommands = nullptr;
    Animation m_animation = Animation::Idle;
    bool m_closing = false;
};
