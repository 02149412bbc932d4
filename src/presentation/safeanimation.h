#pragma once

#include "presentation/numberdisplay.h"
#include "presentation/showcolours.h"

// The safe animation's colours. Still: the user's colours with the number at 7:1 against what
// lies behind it. Running: the background stays that of the still frame, so the display never
// flips between dark and light as a whole; with "Farben" the number takes a new hue of the same
// brightness on every SafeColourTicks-th tick.
StillColours safeStill(const DisplayOptions &options);
void applySafeColours(DisplayState &state, const DisplayOptions &options, bool running,
                      bool panelHidden, EffectsGenerator &effects);
