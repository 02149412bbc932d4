#pragma once

#include <QDateTime>
#include <QObject>

class TForm1;
class WindowTimer;

// The draw control: the start/stop command, the animation tick that performs the draw after a
// stop, the interval timer of timed draws and autostop, the countdown to a time of day, the
// autopilot and the activation of the chosen draw mode.
class DrawControl : public QObject {
    Q_OBJECT
public:
    explicit DrawControl(TForm1 &form);
    ~DrawControl() override;

    WindowTimer *Refresher;      // 80 ms animation tick
    WindowTimer *IntervallTimer; // timed start/stop and autostop countdown
    WindowTimer *Nochtimer;      // 1000 ms countdown

    int AutopilotSuppressed = 0; // 1: a start command must not switch to timed drawing
    int AutostopArmed = 0;       // 1 while an autostop countdown runs
    int AutostopRemaining = 0;   // seconds left in it
    int AnimationIndex = 0;      // cycles through a pool of fewer than 6 entries
    QDateTime NextDrawTime;      // the moment of the next draw in the countdown mode

    void BTStartStopClick();
    void RefresherTimer();
    void IntervallTimerTimer();
    void IntervalTick();
    void NochtimerTimer();
    void ShowTimeToNextDraw();
    void DoStatusClick();
    void chkAutostopClick();
    void ckAutopilotClick();
    void AutopilotStartChange();
    void AutopilotStartEnter();
    void UhrzeitExit();
    // Arms the mode chosen in DoStatus; the last step of applying the settings.
    void ActivateMode();
    void mmNeueRundeStartenClick();
    // Waits `ms` milliseconds while events go on being processed; false when the application
    // is closing (the caller then stops its sequence).
    bool WaitPumping(int ms);

    // Switches all three timers off.
    void stopTimers();
    // The pass is over: timers off, button hidden, "StrZiehungEnde" on the status line.
    void endPass();
    // Shows a text on the status line.
    void showNote(const QString &text);

private:
    void startAnimation();
    void showFlashEntry();
    bool soundChecked() const;
    bool soundLoops() const;

    TForm1 &f;
};
