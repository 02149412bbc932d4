#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Pixel rules of the number display. Its bitmap holds straight (not premultiplied) ARGB
// pixels; everything painted by the display itself is opaque except the grey strip behind
// a still number on a background picture, whose pixels carry alpha 16.

// A colour as the pickers and the settings file hold it (0x00BBGGRR, red in the lowest byte)
// as an opaque ARGB pixel. The highest byte is ignored, so system colours and the no-colour
// value convert by the same byte rule.
constexpr QRgb ToColor32(quint32 colour)
{
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

// Blends a colour of the given opacity (0..255, the colour's own alpha is not used) into a
// straight ARGB pixel in merge mode: the destination's alpha takes part, so a colour merged
// into a faint pixel dominates the result.
inline QRgb mergePixel(QRgb dst, QRgb colour, uint opacity)
{
    if (opacity == 0)
        return dst;
    if (opacity >= 255)
        return colour | 0xFF000000u;
    const uint da = qAlpha(dst);
    if (da == 255) {
        const uint inv = 255 - opacity;
        auto mix = [&](uint c, uint d) { return (c * opacity + d * inv + 127) / 255; };
        return qRgba(int(mix(uint(qRed(colour)), uint(qRed(dst)))),
                     int(mix(uint(qGreen(colour)), uint(qGreen(dst)))),
                     int(mix(uint(qBlue(colour)), uint(qBlue(dst)))), 255);
    }
    // Weights scaled by 255: the colour counts with opacity, the destination with its alpha
    // times what the colour leaves uncovered.
    const uint fw = opacity * 255;
    const uint dw = da * (255 - opacity);
    const uint total = fw + dw;
    auto mix = [&](uint c, uint d) { return (c * fw + d * dw + total / 2) / total; };
    return qRgba(int(mix(uint(qRed(colour)), uint(qRed(dst)))),
                 int(mix(uint(qGreen(colour)), uint(qGreen(dst)))),
                 int(mix(uint(qBlue(colour)), uint(qBlue(dst)))), int((total + 127) / 255));
}

// mergePixel for an opaque destination, three channels at once: each channel in a 16-bit lane
// of a 64-bit word, c * opacity + d * (255 - opacity) rounded and divided by 255 exactly as
// mergePixel does ((x + 127) / 255 equals (v + (v >> 8)) >> 8 with v = x + 128 for x up to
// 255 * 255).
inline QRgb mergeIntoOpaque(QRgb dst, QRgb colour, uint opacity)
{
    constexpr quint64 Lanes = 0x00FF00FF00FF00FFull;
    auto spread = [](QRgb p) { return (quint64(p & 0xFF00u) << 24) | (p & 0x00FF00FFu); };
    const quint64 x = spread(colour) * opacity + spread(dst) * (255 - opacity);
    const quint64 v = x + 0x0080008000800080ull;
    const quint64 q = ((v + ((v >> 8) & Lanes)) >> 8) & Lanes;
    return 0xFF000000u | QRgb(q & 0x00FF00FFu) | QRgb((q >> 24) & 0xFF00u);
}

// The grey of a pixel's intensity with alpha 16: I = (61 R + 174 G + 21 B) div 256.
constexpr QRgb greyOf(QRgb pixel)
{
    const quint32 r = (pixel >> 16) & 0xFFu;
    const quint32 g = (pixel >> 8) & 0xFFu;
    const quint32 b = pixel & 0xFFu;
    const quint32 i = (61 * r + 174 * g + 21 * b) >> 8;
    return (16u << 24) | (i << 16) | (i << 8) | i;
}

// Sets n pixels from p on to one value, four at a time where the processor allows.
inline void fillPixels(QRgb *p, qsizetype n, QRgb value)
{
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(int(value));
    for (; n >= 4; n -= 4, p += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(p), four);
#endif
    std::fill(p, p + n, value);
}

// Blends a colour into rows of a straight ARGB bitmap through a coverage raster: the pixel at
// origin + (x, y) takes the colour at opacity alpha * coverage / 255 (mergePixel), where
// coverage is coverage[y * coverageStride + x] (0 leaves the pixel alone). The rows must lie
// on the bitmap.
void blendCoverage(QImage &bitmap, QPoint origin, int rows, int width, QRgb colour,
                   const uchar *coverage, qsizetype coverageStride);

// Replaces every pixel of the rectangle (clipped to the bitmap) by its grey.
void paintGreyPatch(QImage &bitmap, const QRect &rect);

// Fills the whole bitmap with one pixel value.
void fillBitmap(QImage &bitmap, QRgb pixel);
