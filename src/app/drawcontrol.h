#pragma once

#include "app/commands.h"

#include <QObject>

class ControlStrip;
class DrawAnimation;
class DrawPass;
class EntryDisplay;
class TimedDrawing;

// The draw control: the start/stop command with what it checks before a start (settings still
// open, the pass over, the autopilot's turn, a lottery table left over), a new pass from the
// menu, and the draw commands the settings steps give (the interruption when they open, the
// mode armed when they are applied, the waits). The animation and the timed modes are parts of
// their own that it drives.
class DrawControl : public QObject, public DrawCommands {
    Q_OBJECT
public:
    struct Parts {
        DrawPass &pass;        // whether a draw is allowed, the draws made
        EntryDisplay &display; // the texts of a new pass
        ControlStrip &strip;
        DrawAnimation &animation;
        TimedDrawing &timed;
        PassCommands &passCommands;
    };
    explicit DrawControl(const Parts &parts, QObject *parent = nullptr);
    ~DrawControl() override;
    // The settings steps, which are made after the draw control and use it in turn.
    void setSettingsCommands(SettingsCommands &commands) { m_settingsCommands = &commands; }

    bool autopilotSuppressed() const { return AutopilotSuppressed; }

    void BTStartStopClick();
    void mmNeueRundeStartenClick();

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

private:
    Parts p;
    SettingsCommands *m_settingsCommands = nullptr;
    bool AutopilotSuppressed = false; // a start command must not switch to timed drawing
};
