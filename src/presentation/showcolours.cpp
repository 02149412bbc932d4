#include "presentation/showcolours.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Linear value of each 8-bit sRGB channel value.
const std::array<double, 256> &linearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

QRgb mix(QRgb from, QRgb to, double t)
{
    auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

// The least share of the way from `from` to `to` at which accept() holds; accept(to) holds.
template <typename Accept> QRgb leastMix(QRgb from, QRgb to, Accept accept)
{
    double lo = 0.0;
    double hi = 1.0;
    for (int i = 0; i < 24; ++i) {
        const double mid = (lo + hi) / 2;
        if (accept(mix(from, to, mid)))
            hi = mid;
        else
            lo = mid;
    }
    return mix(from, to, hi);
}

constexpr QRgb Black = 0xFF000000u;
constexpr QRgb White = 0xFFFFFFFFu;

} // namespace

double relativeLuminance(QRgb colour)
{
    const auto &lin = linearTable();
    return 0.2126 * lin[size_t(qRed(colour))] + 0.7152 * lin[size_t(qGreen(colour))] +
           0.0722 * lin[size_t(qBlue(colour))];
}

double contrastRatio(QRgb a, QRgb b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QRgb colourWithContrast(QRgb fg, QRgb bg, double ratio)
{
    fg |= 0xFF000000u;
    if (contrastRatio(fg, bg) >= ratio)
        return fg;
    const QRgb extreme = contrastRatio(Black, bg) >= contrastRatio(White, bg) ? Black : White;
    if (contrastRatio(extreme, bg) < ratio)
        return extreme;
    return leastMix(fg, extreme, [&](QRgb c) { return contrastRatio(c, bg) >= ratio; });
}

StillColours safeStillColours(QRgb foreground, QRgb background)
{
    const QRgb fg = colourWithContrast(foreground, background, StillContrast);
    if (contrastRatio(fg, background) >= StillContrast)
        return {fg, background | 0xFF000000u};
    return {fg, colourWithContrast(background, fg, StillContrast)};
}

QRgb colourOfHueAtLuminance(int hue, QRgb reference)
{
    // Saturation 200 of 255 keeps the lowest channel at a fifth of the highest: red never
    // reaches four fifths of the sum, and mixing with black or white does not change that.
    const QRgb pure = QColor::fromHsv(((hue % 360) + 360) % 360, 200, 255).rgb();
    const double target = relativeLuminance(reference);
    if (relativeLuminance(pure) >= target)
        return leastMix(Black, pure, [&](QRgb c) { return relativeLuminance(c) >= target; });
    return leastMix(pure, White, [&](QRgb c) { return relativeLuminance(c) >= target; });
}

void fitStripContrast(QImage &bitmap, const QRect &rect, QRgb foreground)
{
    const QRect area = rect.intersected(bitmap.rect());
    if (area.isEmpty())
        return;
    // The greys on the number's darker or lighter side, whichever leaves more room.
    const bool darkNumber = contrastRatio(foreground, White) >= contrastRatio(foreground, Black);
    int low = 0;
    int high = 255;
    auto grey = [](int i) { return qRgb(i, i, i); };
    if (darkNumber) {
        while (low < 255 && contrastRatio(foreground, grey(low)) < StillContrast)
            ++low;
    } else {
        while (high > 0 && contrastRatio(foreground, grey(high)) < StillContrast)
            --high;
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = line[x];
            const int i = low + qBlue(p) * (high - low) / 255;
            line[x] = (p & 0xFF000000u) | (uint(i) << 16) | (uint(i) << 8) | uint(i);
        }
    }
}
