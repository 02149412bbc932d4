#pragma once

#include <QImage>
#include <QList>

#include <vector>

// Counts flashes in a sequence of frames as the web's accessibility rules define them for
// people with photosensitive epilepsy. A flash is a pair of opposing changes:
// - general: the relative luminance rises or falls by at least 0.1 while the darker state lies
//   below 0.8;
// - red: the red value of a saturated red (red at least four fifths of the channels' sum),
//   (R - G - B) x 320 with channels in 0..1, changes by at least 20.
// Each pixel keeps the darkest and lightest value it passed since its last change, so a slow
// fade counts once its whole swing is large enough. A frame changes the display as a whole
// when at least `areaShare` of its pixels change the same way; a flash is a pair of such
// changes of opposite direction. More than three flashes in any one second are too many.
class FlashCounter {
public:
    explicit FlashCounter(double areaShare = 0.25) : m_areaShare(areaShare) {}

    // The next frame, shown from timeMs on; every frame has the size of the first.
    void addFrame(const QImage &frame, qint64 timeMs);

    // The most flashes of each kind within any one second.
    int generalFlashesPerSecond() const { return maxPerSecond(m_general); }
    int redFlashesPerSecond() const { return maxPerSecond(m_red); }

    static constexpr int AllowedPerSecond = 3;

private:
    struct Change {
        qint64 timeMs;
        int direction; // +1 lighter / more red, -1 darker / less red
    };
    struct Swing {
        float low;
        float high;
    };
    static void record(QList<Change> &changes, qint64 timeMs, int direction);
    static int maxPerSecond(const QList<Change> &changes);

    double m_areaShare;
    std::vector<Swing> m_luminance;
    std::vector<Swing> m_redValue;
    QList<Change> m_general;
    QList<Change> m_red;
};
