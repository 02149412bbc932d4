#include "presentation/safeanimation.h"

#include "draw/mersenne.h"
#include "presentation/displaypixels.h"

StillColours safeStill(const DisplayOptions &options)
{
    return safeStillColours(ToColor32(options.foreground), ToColor32(options.background));
}

SafeStep safeAnimationStep(DisplayState &state, const DisplayOptions &options, bool running,
                           int smoothing, const QString &text, bool isEntry)
{
    if (!options.safeAnimation || !running) {
        state.safeTick = 0;
        state.safeText.clear();
        return {text, isEntry, true};
    }
    // Animation frames are painted without smoothing; a still repaint while running (a
    // resize) shows the kept entry again and is no frame of the animation.
    if (smoothing == 0 && (state.safeTick++ % SafeColourTicks == 0 || state.safeText.isEmpty())) {
        state.safeText = text;
        state.safeTextIsEntry = isEntry;
        return {text, isEntry, true};
    }
    if (state.safeText.isEmpty())
        return {text, isEntry, false};
    return {state.safeText, state.safeTextIsEntry, false};
}

void applySafeColours(DisplayState &state, const DisplayOptions &options, bool running,
                      bool panelHidden, bool newEntry, EffectsGenerator &effects)
{
    const StillColours still = safeStill(options);
    const bool keep = panelHidden || state.KeepColours;
    state.KeepColours = false;
    state.DisplayBackColour = still.background;
    if (!running) {
        state.DisplayForeColour = still.foreground;
        return;
    }
    if (keep || !options.colourEffect || !newEntry)
        return;
    state.DisplayForeColour = colourOfHueAtLuminance(int(effects.next(360)), still.foreground);
}
