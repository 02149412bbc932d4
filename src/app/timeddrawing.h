#pragma once

#include <QDateTime>
#include <QObject>

class ControlStrip;
class EntryDisplay;
class ModePage;
class Platform;
class SettingsSource;
class SoundControl;
class WindowTimer;

// The draw modes at work: arming the mode chosen, the interval timer of timed draws and of the
// autostop countdown, the countdown to a time of day, the autopilot's switch to timed drawing,
// and the end of a pass on the status line. A timed draw goes through the start/stop command:
// the window connects startStopDue to it.
class TimedDrawing : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ControlStrip &strip; // the notes of the modes, the Start button hidden while timed
        EntryDisplay &display;
        ModePage &mode; // back to manual drawing when the countdown is reached
        const SettingsSource &settings;
        Platform &platform; // the time of day, the notice at the end of a pass
        SoundControl &sound;
    };
    explicit TimedDrawing(const Parts &parts, QObject *parent = nullptr);
    ~TimedDrawing() override;

    // The timers and the state of timed drawing, to look at.
    const WindowTimer &intervalTimer() const { return *IntervallTimer; }
    const WindowTimer &countdownTimer() const { return *Nochtimer; }
    bool autostopArmed() const { return AutostopArmed; }
    int autostopRemaining() const { return AutostopRemaining; }
    QDateTime timeOfNextDraw() const { return NextDrawTime; }

    void IntervallTimerTimer();
    void IntervalTick();
    void NochtimerTimer();
    void ShowTimeToNextDraw();

    // Arms the mode chosen in the settings: Start in the manual mode, a timer in the timed
    // ones; the lottery mode asks for its run.
    void ActivateMode();
    // Whether Start/Stop arms and disarms the autostop countdown (manual mode, autostop on).
    bool autostopApplies() const;
    // Start/Stop pressed with the autostop on: arms the countdown, or disarms a running one.
    void toggleAutostop();
    // After the manual part of `drawsMade` draws the autopilot switches the mode page to timed
    // drawing; true when it did.
    bool autopilotTakesOver(qsizetype drawsMade);
    // The pass is over: the interval timer stops, Start hides, "StrZiehungEnde" on the status
    // line, and with help on the notice that a new pass is needed.
    void endPass();
    // Both timers off.
    void stop();

Q_SIGNALS:
    // The interval is over: a timed draw starts or stops.
    void startStopDue();
    // The lottery mode was applied: its run is to start.
    void lotteryRunRequested();

private:
    Parts p;
    WindowTimer *IntervallTimer; // timed start/stop and autostop countdown
    WindowTimer *Nochtimer;      // 1000 ms countdown
    bool AutostopArmed = false;  // while an autostop countdown runs
    int AutostopRemaining = 0;   // seconds left in it
    QDateTime NextDrawTime;      // the moment of the next draw in the countdown mode
};
