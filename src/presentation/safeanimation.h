#pragma once

#include "presentation/numberdisplay.h"
#include "presentation/showcolours.h"

// The safe animation. Still: the user's colours with the number at 7:1 against what lies
// behind it. Running: the background stays that of the still frame, so the display never flips
// between dark and light as a whole; there is no rain and no spinning picture; the number
// shows a new entry on every SafeColourTicks-th animation frame only, with "Farben" in a new
// hue of the same brightness, and stays as it is in between.
StillColours safeStill(const DisplayOptions &options);

// The entry a paint shows: while the safe animation runs, a new one only when its frame comes.
struct SafeStep {
    QString text;
    bool isEntry = false;
    bool newEntry = false; // the number changes in this paint
};
SafeStep safeAnimationStep(DisplayState &state, const DisplayOptions &options, bool running,
                           int smoothing, const QString &text, bool isEntry);

void applySafeColours(DisplayState &state, const DisplayOptions &options, bool running,
                      bool panelHidden, bool newEntry, EffectsGenerator &effects);
