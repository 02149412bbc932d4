#pragma once

// How draws are started: by hand, every N seconds, at a time of day (announced, or counted
// down to), or as a lottery ticket suggestion. The values are the item indexes of the mode
// list and the stored "Mode" key.
enum class DrawMode { Manual = 0, Timer = 1, TimeOfDay = 2, Countdown = 3, Lottery = 4 };

inline constexpr int DrawModeCount = 5;

// Manual and timed drawing can attach prizes and use the autopilot.
inline bool drawsSingleEntries(DrawMode mode)
{
    return mode == DrawMode::Manual || mode == DrawMode::Timer;
}

inline bool waitsForTimeOfDay(DrawMode mode)
{
    return mode == DrawMode::TimeOfDay || mode == DrawMode::Countdown;
}
