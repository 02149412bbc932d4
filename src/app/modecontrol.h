#pragma once

class ControlStrip;
class DrawPass;
class EntryDisplay;
class ModePage;
class Platform;
class SettingsSource;
class TimedDrawing;

// The handlers of the mode page, which it owns: the mode chosen opens its fields and says on
// the display what comes next, the page's title, the autostop tick and the time of day.
class ModeControl {
public:
    struct Parts {
        ModePage &mode;
        EntryDisplay &display;
        ControlStrip &strip; // the manual mode clears the status line
        const SettingsSource &settings;
        DrawPass &pass;      // whether the autopilot's manual part is done
        Platform &platform;  // the next full hour, for a time not offered before
        TimedDrawing &timed; // the manual mode stops its timers
    };
    explicit ModeControl(const Parts &parts) : p(parts) {}

    void DoStatusClick();
    // The mode page's title names the mode chosen, in the language in force.
    void showModeTitle();
    void chkAutostopClick();
    void UhrzeitExit();

private:
    Parts p;
};
