#include "presentation/safeanimation.h"

#include "draw/mersenne.h"
#include "presentation/displaypixels.h"

StillColours safeStill(const DisplayOptions &options)
{
    return safeStillColours(ToColor32(options.foreground), ToColor32(options.background));
}

void applySafeColours(DisplayState &state, const DisplayOptions &options, bool running,
                      bool panelHidden, EffectsGenerator &effects)
{
    const StillColours still = safeStill(options);
    const bool keep = panelHidden || state.KeepColours;
    state.KeepColours = false;
    state.DisplayBackColour = still.background;
    if (!running) {
        state.DisplayForeColour = still.foreground;
        state.safeTick = 0;
        return;
    }
    if (keep || !options.colourEffect)
        return;
    if (state.safeTick++ % SafeColourTicks == 0)
        state.DisplayForeColour = colourOfHueAtLuminance(int(effects.next(360)), still.foreground);
}
