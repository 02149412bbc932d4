#pragma once

#include "draw/mersenne.h"
#include "presentation/numberdisplay.h"

// Everything one paint of the number display starts from: given the same, the renderer draws
// the same frame, at whatever size the frame asks for.
struct DisplayPaint {
    QString text;
    int smoothing = 2;
    bool isEntry = false;
    DisplayState state; // before the paint
    DisplayOptions options;
    DisplayFrame frame;
    const EntryPool *pool = nullptr;
    EffectsGenerator effects; // before the paint
};

// A second view of the number display (the audience's screen): it is handed each paint
// before the display makes it, and renders it for itself.
class DisplayMirror {
public:
    virtual ~DisplayMirror() = default;
    virtual void showPaint(const DisplayPaint &paint) = 0;
};
