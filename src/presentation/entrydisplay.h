#pragma once

#include <QString>

// The number display as the rest of the program sees it: the one way to put a text on it.
class EntryDisplay {
public:
    virtual ~EntryDisplay() = default;
    // Smoothing 0 for animation frames, 2 otherwise; isEntry marks a pool entry.
    virtual void ShowOnDisplay(const QString &text, int smoothing, bool isEntry) = 0;
    // Shows again, as a still, the last text that was shown as one: after an animation that
    // ended without a draw, the display must not keep a flashed entry that was never drawn.
    virtual void showLastStill() = 0;
};
