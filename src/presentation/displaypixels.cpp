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
// mergeIntoOpaque for four opaque pixels at once, each with its own opacity: every channel in
// a 16-bit lane, c * o + d * (255 - o) rounded and divided by 255 as mergeIntoOpaque does.
inline __m128i mergeFourIntoOpaque(__m128i dst, __m128i colour16, const uint *opacity)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(128);
    auto pair = [&](__m128i d, uint o0, uint o1) {
        const __m128i o = _mm_set_epi16(short(o1), short(o1), short(o1), short(o1), short(o0),
                                        short(o0), short(o0), short(o0));
        const __m128i x = _mm_add_epi16(_mm_mullo_epi16(colour16, o),
                                        _mm_mullo_epi16(d, _mm_sub_epi16(full, o)));
        const __m128i v = _mm_add_epi16(x, half);
        return _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), 8);
    };
    const __m128i low = pair(_mm_unpacklo_epi8(dst, zero), opacity[0], opacity[1]);
    const __m128i high = pair(_mm_unpackhi_epi8(dst, zero), opacity[2], opacity[3]);
    return _mm_or_si128(_mm_packus_epi16(low, high), _mm_set1_epi32(int(0xFF000000u)));
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
                const uint opacity[4] = {
                    opacityOf(alpha, cover[x]), opacityOf(alpha, cover[x + 1]),
                    opacityOf(alpha, cover[x + 2]), opacityOf(alpha, cover[x + 3])};
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
