#include "presentation/flashcounter.h"

#include "presentation/showcolours.h"

#include <algorithm>

namespace {

constexpr float LuminanceStep = 0.1f;
constexpr float DarkerBelow = 0.8f;
constexpr float RedStep = 20.0f;

float redValue(QRgb p)
{
    const int sum = qRed(p) + qGreen(p) + qBlue(p);
    if (sum == 0 || qRed(p) * 5 < sum * 4)
        return 0.0f;
    return std::max(0.0f, float(qRed(p) - qGreen(p) - qBlue(p)) / 255.0f * 320.0f);
}

// Follows one pixel's value; returns +1 or -1 when it completed a change, else 0.
int follow(float &low, float &high, float value, float step, bool darkerLimit)
{
    int direction = 0;
    if (value - low >= step && (!darkerLimit || low < DarkerBelow))
        direction = 1;
    else if (high - value >= step && (!darkerLimit || value < DarkerBelow))
        direction = -1;
    if (direction != 0) {
        low = high = value;
    } else {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    return direction;
}

} // namespace

void FlashCounter::addFrame(const QImage &frame, qint64 timeMs)
{
    const QImage image =
        frame.format() == QImage::Format_RGB32 || frame.format() == QImage::Format_ARGB32
            ? frame
            : frame.convertToFormat(QImage::Format_RGB32);
    const size_t pixels = size_t(image.width()) * size_t(image.height());
    const bool first = m_luminance.empty();
    if (first) {
        m_luminance.resize(pixels);
        m_redValue.resize(pixels);
    }
    qsizetype lighter = 0, darker = 0, redder = 0, lessRed = 0;
    size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        // The alpha of the display's bitmap does not show on screen.
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, ++i) {
            const float l = float(relativeLuminance(line[x]));
            const float r = redValue(line[x]);
            if (first) {
                m_luminance[i] = {l, l};
                m_redValue[i] = {r, r};
                continue;
            }
            const int g = follow(m_luminance[i].low, m_luminance[i].high, l, LuminanceStep, true);
            lighter += g > 0;
            darker += g < 0;
            const int rd = follow(m_redValue[i].low, m_redValue[i].high, r, RedStep, false);
            redder += rd > 0;
            lessRed += rd < 0;
        }
    }
    const double needed = m_areaShare * double(pixels);
    if (double(lighter) >= needed)
        record(m_general, timeMs, 1);
    if (double(darker) >= needed)
        record(m_general, timeMs, -1);
    if (double(redder) >= needed)
        record(m_red, timeMs, 1);
    if (double(lessRed) >= needed)
        record(m_red, timeMs, -1);
}

void FlashCounter::record(QList<Change> &changes, qint64 timeMs, int direction)
{
    // Two changes the same way in a row are one longer change.
    if (!changes.isEmpty() && changes.last().direction == direction)
        return;
    changes.append({timeMs, direction});
}

int FlashCounter::maxPerSecond(const QList<Change> &changes)
{
    int most = 0;
    qsizetype end = 0;
    for (qsizetype start = 0; start < changes.size(); ++start) {
        end = std::max(end, start);
        while (end < changes.size() && changes.at(end).timeMs < changes.at(start).timeMs + 1000)
            ++end;
        most = std::max(most, int((end - start) / 2));
    }
    return most;
}
