#include "presentation/flashcounter.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// Relative luminance in 1/60000 and the red value in 1/100.
constexpr int LuminanceScale = 60000;
constexpr uint16_t LuminanceStep = LuminanceScale / 10;
constexpr uint16_t DarkerBelow = LuminanceScale * 8 / 10;
constexpr uint16_t RedStep = 20 * 100;

struct Tables {
    std::array<int, 256> red{}, green{}, blue{}; // each channel's share of the luminance
    std::array<double, 256> linear{};
};

const Tables &tables()
{
    static const Tables t = [] {
        Tables t;
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            const double lin = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
            t.linear[size_t(i)] = lin;
            t.red[size_t(i)] = int(std::lround(0.2126 * lin * LuminanceScale));
            t.green[size_t(i)] = int(std::lround(0.7152 * lin * LuminanceScale));
            t.blue[size_t(i)] = int(std::lround(0.0722 * lin * LuminanceScale));
        }
        return t;
    }();
    return t;
}

uint16_t luminance(QRgb p)
{
    const Tables &t = tables();
    const int l = t.red[size_t(qRed(p))] + t.green[size_t(qGreen(p))] + t.blue[size_t(qBlue(p))];
    return uint16_t(std::min(l, LuminanceScale));
}

uint16_t redValue(QRgb p)
{
    const Tables &t = tables();
    const double r = t.linear[size_t(qRed(p))];
    const double g = t.linear[size_t(qGreen(p))];
    const double b = t.linear[size_t(qBlue(p))];
    if (r <= 0.0 || r < 0.8 * (r + g + b))
        return 0;
    return uint16_t(std::lround(std::max(0.0, r - g - b) * 320.0 * 100.0));
}

// The luminance and red value of a colour, kept for the next pixel: neighbours mostly share
// their colour, and working the values out again dominates the time of a frame.
class PixelValues {
public:
    void of(QRgb p, uint16_t &lum, uint16_t &red)
    {
        p &= 0x00FFFFFFu;
        if (p != m_colour) {
            m_colour = p;
            m_luminance = luminance(p);
            m_red = redValue(p);
        }
        lum = m_luminance;
        red = m_red;
    }

private:
    QRgb m_colour = 0xFF000000u; // no pixel's colour: the alpha is masked off
    uint16_t m_luminance = 0;
    uint16_t m_red = 0;
};

} // namespace

QSize FlashCounter::fieldOfView(QSize screen)
{
    return {int((qint64(screen.width()) * 341 + 512) / 1024),
            int((qint64(screen.height()) * 256 + 384) / 768)};
}

void FlashCounter::addFrame(const QImage &frame, qint64 timeMs)
{
    // The alpha of the display's bitmap does not show on screen.
    const QImage image =
        frame.format() == QImage::Format_RGB32 || frame.format() == QImage::Format_ARGB32
            ? frame
            : frame.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const size_t pixels = size_t(width) * size_t(height);
    PixelValues values;
    uint16_t lum = 0;
    uint16_t red = 0;
    const size_t words = (pixels + 63) / 64;
    if (m_previous.empty()) {
        m_size = image.size();
        const QSize field = fieldOfView(m_screen.isEmpty() ? m_size : m_screen);
        m_fieldArea = qint64(field.width()) * field.height();
        m_field = field.boundedTo(m_size);
        for (Kind *kind : {&m_general, &m_red}) {
            kind->low.resize(pixels);
            kind->high.resize(pixels);
            kind->direction.assign(pixels, 0);
            kind->count.assign(pixels, 0);
        }
        m_words = words;
        m_previous.resize(pixels);
        QRgb *previous = m_previous.data();
        Tracks general(m_general, 0);
        Tracks reds(m_red, 0);
        size_t i = 0;
        for (int y = 0; y < height; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < width; ++x, ++i) {
                previous[i] = line[x];
                values.of(line[x], lum, red);
                general.low[i] = general.high[i] = lum;
                reds.low[i] = reds.high[i] = red;
            }
        }
        return;
    }
    if (image.size() != m_size)
        return;

    // Frames that lie a second or more back, and the slot this frame takes, leave the count.
    const int slot = int(m_frames % MaxFramesPerSecond);
    for (int s = 0; s < MaxFramesPerSecond; ++s) {
        if (m_slotUsed[size_t(s)] && (s == slot || m_slotTime[size_t(s)] <= timeMs - 1000)) {
            forget(m_general, s);
            forget(m_red, s);
            m_slotUsed[size_t(s)] = false;
        }
    }
    for (Kind *kind : {&m_general, &m_red})
        if (kind->planes[size_t(slot)].empty())
            kind->planes[size_t(slot)].assign(m_words, 0);
    m_slotUsed[size_t(slot)] = true;
    m_slotTime[size_t(slot)] = timeMs;
    ++m_frames;

    QRgb *previous = m_previous.data();
    Tracks general(m_general, slot);
    Tracks reds(m_red, slot);
    size_t i = 0;
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x, ++i) {
            // A pixel that kept its colour makes no transition.
            if (((line[x] ^ previous[i]) & 0x00FFFFFFu) == 0)
                continue;
            previous[i] = line[x];
            values.of(line[x], lum, red);
            follow(general, i, lum, LuminanceStep, true);
            follow(reds, i, red, RedStep, false);
        }
    }
    m_general.changed |= general.changed;
    m_red.changed |= reds.changed;
    evaluate(m_general, timeMs);
    evaluate(m_red, timeMs);
}

void FlashCounter::follow(Tracks &kind, size_t i, uint16_t value, uint16_t step, bool darkerLimit)
{
    uint16_t &low = kind.low[i];
    uint16_t &high = kind.high[i];
    int direction = 0;
    if (value >= low + step && (!darkerLimit || low < DarkerBelow))
        direction = 1;
    else if (value + step <= high && (!darkerLimit || value < DarkerBelow))
        direction = -1;
    if (direction == 0) {
        low = std::min(low, value);
        high = std::max(high, value);
        return;
    }
    low = high = value;
    if (kind.direction[i] == direction)
        return; // the same change going on
    kind.direction[i] = int8_t(direction);
    ++kind.count[i];
    kind.changed = true;
    kind.plane[i / 64] |= uint64_t(1) << (i % 64);
}

void FlashCounter::forget(Kind &kind, int slot)
{
    std::vector<uint64_t> &words = kind.planes[size_t(slot)];
    uint64_t *plane = words.data();
    uint8_t *count = kind.count.data();
    for (size_t w = 0; w < words.size(); ++w) {
        uint64_t bits = plane[w];
        while (bits) {
            const int b = std::countr_zero(bits);
            --count[w * 64 + size_t(b)];
            kind.changed = true;
            bits &= bits - 1;
        }
        plane[w] = 0;
    }
}

void FlashCounter::evaluate(Kind &kind, qint64 timeMs)
{
    if (!kind.changed)
        return;
    kind.changed = false;
    // How many pixels flash at least k times within the last second, for every k.
    std::array<qint64, MaxFramesPerSecond / 2 + 2> atLeast{};
    for (const uint8_t c : kind.count)
        ++atLeast.data()[std::min<int>(c / 2, MaxFramesPerSecond / 2)];
    for (int k = MaxFramesPerSecond / 2; k > 0; --k)
        atLeast[size_t(k - 1)] += atLeast[size_t(k)];

    Figures &figures = kind.figures;
    auto share = [this](int pixels) { return double(pixels) / double(m_fieldArea); };
    // The pixels flashing at least k times are among those flashing at least k - 1 times: as
    // many of them are the same pixels, and their densest field is the one found before.
    qint64 searchedPixels = -1;
    int densest = 0;
    QRect where;
    auto densestOf = [&](int k) {
        if (atLeast[size_t(k)] != searchedPixels) {
            searchedPixels = atLeast[size_t(k)];
            densest = densestField(kind.count, k, &where);
        }
        return densest;
    };
    for (int k = 1; k <= MaxFramesPerSecond / 2 && atLeast[size_t(k)] > 0; ++k) {
        densestOf(k);
        if (k == 1)
            figures.flashingShare = std::max(figures.flashingShare, share(densest));
        if (k == AllowedPerSecond + 1)
            figures.overLimitShare = std::max(figures.overLimitShare, share(densest));
        if (qint64(densest) * 4 <= m_fieldArea) {
            if (k <= AllowedPerSecond && atLeast[size_t(AllowedPerSecond + 1)] > 0) {
                // Not counted here, but the share that flashes too often is still wanted.
                const int over = densestOf(AllowedPerSecond + 1);
                figures.overLimitShare = std::max(figures.overLimitShare, share(over));
            }
            break;
        }
        if (k >= figures.flashesPerSecond) {
            figures.flashesPerSecond = k;
            figures.worstField = where;
            figures.worstTimeMs = timeMs;
        }
    }
}

int FlashCounter::densestField(const std::vector<uint8_t> &count, int flashes, QRect *where)
{
    // A field's column sums slide down the rows, the field along each row.
    const int width = m_size.width();
    const int height = m_size.height();
    const int fw = m_field.width();
    const int fh = m_field.height();
    const int transitions = 2 * flashes;
    m_columns.assign(size_t(width), 0);
    int *columns = m_columns.data();
    int best = 0;
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = count.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x)
            columns[x] += row[x] >= transitions;
        if (y >= fh) {
            const uint8_t *old = count.data() + size_t(y - fh) * size_t(width);
            for (int x = 0; x < width; ++x)
                columns[x] -= old[x] >= transitions;
        }
        if (y < fh - 1)
            continue;
        int sum = 0;
        for (int x = 0; x < fw; ++x)
            sum += columns[x];
        for (int x = fw;; ++x) {
            if (sum > best) {
                best = sum;
                if (where)
                    *where = QRect(x - fw, y - fh + 1, fw, fh);
            }
            if (x >= width)
                break;
            sum += columns[x] - columns[x - fw];
        }
    }
    return best;
}
