#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

// Colour rules of the show options: contrast for large type and an animation that does not
// flash. Luminance and contrast follow the web's accessibility definitions: relative
// luminance of linearised sRGB, contrast (L1 + 0.05) / (L2 + 0.05).

// The animation's tick: the draw shows a new frame this often.
inline constexpr int AnimationTickMs = 80;
// With the safe animation the number (its entry and its colour) changes on every this many
// ticks: no more than three times within any one second.
inline constexpr int SafeColourTicks = 5;
static_assert((1000 + AnimationTickMs * SafeColourTicks - 1) /
                  (AnimationTickMs * SafeColourTicks) <=
              3);

// Contrast the still number keeps with the safe animation on, and the least contrast the
// colour pickers accept without a warning.
inline constexpr double StillContrast = 7.0;
inline constexpr double PickerContrast = 4.5;

// The colours the pickers offer, in the stored 0x00BBGGRR form, with the constants of their
// names.
struct NamedColour {
    const char *name;
    quint32 bgr;
};
inline constexpr NamedColour StandardColours[] = {
    {"StrFarbeSchwarz", 0x000000}, {"StrFarbeWeiss", 0xFFFFFF},  {"StrFarbeRot", 0x0000FF},
    {"StrFarbeGruen", 0x008000},   {"StrFarbeBlau", 0xFF0000},   {"StrFarbeGelb", 0x00FFFF},
    {"StrFarbeFuchsie", 0xFF00FF}, {"StrFarbeAqua", 0xFFFF00},   {"StrFarbeKastanie", 0x000080},
    {"StrFarbeOliv", 0x008080},    {"StrFarbeMarine", 0x800000}, {"StrFarbeViolett", 0x800080},
    {"StrFarbePetrol", 0x808000},  {"StrFarbeGrau", 0x808080},   {"StrFarbeSilber", 0xC0C0C0},
    {"StrFarbeLimone", 0x00FF00},
};

double relativeLuminance(QRgb colour);
double contrastRatio(QRgb a, QRgb b);

// fg moved as little as possible towards black or white (whichever gets further from bg)
// until it reaches the ratio against bg; the extreme itself when even that does not.
QRgb colourWithContrast(QRgb fg, QRgb bg, double ratio);

struct StillColours {
    QRgb foreground;
    QRgb background;
};
// The colours of a still frame with the safe animation on: the user's pair, the number's
// colour moved until it stands out by StillContrast, and if the background is too middling for
// any number colour to do that, the background moved too.
StillColours safeStillColours(QRgb foreground, QRgb background);

// A colour of the given hue (0..359) with the same luminance as reference: changing between
// such colours changes no brightness. Never a saturated red.
QRgb colourOfHueAtLuminance(int hue, QRgb reference);

// Squeezes the greys of the strip behind a still number (rect of the bitmap) into the range
// that keeps StillContrast against the number's colour; their alpha is kept.
void fitStripContrast(QImage &bitmap, const QRect &rect, QRgb foreground);
