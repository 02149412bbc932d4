#include "presentation/displaypixels.h"

#include <algorithm>
#include <cstring>

namespace {

// The opacity of a pixel of the given coverage under a text of the given alpha.
inline uint opacityOf(uint alpha, uint coverage)
{
    return alpha == 255 ? coverage : (alpha * coverage + 127) / 255;
}

inline QRgb blendOne(QRgb dst, QRgb colour, uint opacity)
{
    return dst >= 0xFF000000u ? mergeIntoOpaque(dst, colour, opacity)
                              : mergePixel(dst, colour, opacity);
}

#if defined(__SSE2__)
// mergeIntoOpaque for two opaque pixels at once: every channel in a 16-bit lane,
// c * o + d * (255 - o) rounded and divided by 255 as mergeIntoOpaque does. opacity holds each
// pixel's opacity in its four lanes; colourTimes the colour times that opacity plus 128.
inline __m128i mergeTwoIntoOpaque(__m128i dst16, __m128i colourTimes, __m128i opacity)
{
    const __m128i v = _mm_add_epi16(
        colourTimes, _mm_mullo_epi16(dst16, _mm_sub_epi16(_mm_set1_epi16(255), opacity)));
    return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
}

// Four opaque pixels, each with its own opacity.
inline __m128i mergeFourIntoOpaque(__m128i dst, __m128i colour16, const uint *o)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    const __m128i low = _mm_set_epi16(short(o[1]), short(o[1]), short(o[1]), short(o[1]),
                                      short(o[0]), short(o[0]), short(o[0]), short(o[0]));
    const __m128i high = _mm_set_epi16(short(o[3]), short(o[3]), short(o[3]), short(o[3]),
                                       short(o[2]), short(o[2]), short(o[2]), short(o[2]));
    const __m128i a = mergeTwoIntoOpaque(_mm_unpacklo_epi8(dst, zero),
                                         _mm_add_epi16(_mm_mullo_epi16(colour16, low), half), low);
    const __m128i b = mergeTwoIntoOpaque(
        _mm_unpackhi_epi8(dst, zero), _mm_add_epi16(_mm_mullo_epi16(colour16, high), half), high);
    return _mm_or_si128(_mm_packus_epi16(a, b), _mm_set1_epi32(int(0xFF000000u)));
}

// Four opaque pixels under one opacity, whose colour terms are worked out once.
inline __m128i mergeFourUniform(__m128i dst, __m128i colourTimes, __m128i opacity)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = mergeTwoIntoOpaque(_mm_unpacklo_epi8(dst, zero), colourTimes, opacity);
    const __m128i b = mergeTwoIntoOpaque(_mm_unpackhi_epi8(dst, zero), colourTimes, opacity);
    return _mm_or_si128(_mm_packus_epi16(a, b), _mm_set1_epi32(int(0xFF000000u)));
}
#endif

} // namespace

void blendCoverage(QImage &bitmap, QPoint origin, int rows, int width, QRgb colour,
                   const uchar *coverage, qsizetype coverageStride)
{
    const uint alpha = uint(qAlpha(colour));
    const QRgb solid = colour | 0xFF000000u;
    constexpr quint64 Full = ~quint64(0);
    uchar *const bits = bitmap.bits();
    const qsizetype bytesPerLine = bitmap.bytesPerLine();
#if defined(__SSE2__)
    const __m128i colour16 = _mm_unpacklo_epi8(_mm_set1_epi32(int(colour)), _mm_setzero_si128());
    const __m128i alphaBits = _mm_set1_epi32(int(0xFF000000u));
    // Under full coverage every pixel takes the text's own opacity.
    const __m128i fullOpacity = _mm_set1_epi16(short(alpha));
    const __m128i fullColourTimes =
        _mm_add_epi16(_mm_mullo_epi16(colour16, fullOpacity), _mm_set1_epi16(128));
#endif
    for (int y = 0; y < rows; ++y) {
        const uchar *cover = coverage + y * coverageStride;
        auto *line = reinterpret_cast<QRgb *>(bits + (origin.y() + y) * bytesPerLine) + origin.x();
        int x = 0;
        if (alpha == 255) {
            // An opaque text replaces what it covers fully; empty and fully covered stretches
            // are taken eight pixels at a time.
            while (x < width) {
                if (x + 8 <= width) {
                    quint64 word;
                    std::memcpy(&word, cover + x, sizeof word);
                    if (word == 0 || word == Full) {
                        if (word == Full)
                            fillPixels(line + x, 8, solid);
                        x += 8;
                        continue;
                    }
                }
                const uint c = cover[x];
                if (c == 255)
                    line[x] = solid;
                else if (c != 0)
                    line[x] = blendOne(line[x], colour, c);
                ++x;
            }
            continue;
        }
#if defined(__SSE2__)
        // A translucent text: four pixels at a time where they are all opaque.
        for (; x + 4 <= width; x += 4) {
            quint32 four;
            std::memcpy(&four, cover + x, sizeof four);
            if (four == 0)
                continue;
            auto *at = reinterpret_cast<__m128i *>(line + x);
            const __m128i dst = _mm_loadu_si128(at);
            if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(dst, alphaBits), alphaBits)) ==
                0xFFFF) {
                if (four == 0xFFFFFFFFu) {
                    _mm_storeu_si128(at, mergeFourUniform(dst, fullColourTimes, fullOpacity));
                    continue;
                }
                const uint opacity[4] = {opacityOf(alpha, cover[x]), opacityOf(alpha, cover[x + 1]),
                                         opacityOf(alpha, cover[x + 2]),
                                         opacityOf(alpha, cover[x + 3])};
                _mm_storeu_si128(at, mergeFourIntoOpaque(dst, colour16, opacity));
                continue;
            }
            for (int k = x; k < x + 4; ++k)
                if (cover[k] != 0)
                    line[k] = blendOne(line[k], colour, opacityOf(alpha, cover[k]));
        }
#endif
        for (; x < width; ++x)
            if (cover[x] != 0)
                line[x] = blendOne(line[x], colour, opacityOf(alpha, cover[x]));
    }
}

void paintGreyPatch(QImage &bitmap, const QRect &rect)
{
    const QRect area = rect.intersected(bitmap.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] = greyOf(line[x]);
    }
}

void fillBitmap(QImage &bitmap, QRgb pixel)
{
    // For a 32-bit format the value is stored as it is (Qt's vectorised fill).
    bitmap.fill(uint(pixel));
}
