#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

// Counts flashes in a sequence of frames as the web's accessibility rules define them for
// people with photosensitive epilepsy.
// - A general transition: the relative luminance of a pixel rises or falls by at least 0.1
//   while the darker state lies below 0.8. A red transition: the red value of a saturated red
//   (linear red at least four fifths of the linear channels' sum), (R - G - B) x 320 with
//   linear channels in 0..1, changes by at least 20. Each pixel keeps the darkest and lightest
//   value it passed since its last transition, so a slow fade counts once its swing is large
//   enough; a rise after a rise is one longer change.
// - A flash is a pair of opposing transitions: a pixel flashes k times within a second when
//   it makes at least 2k transitions within it.
// - Flashes count when the pixels that flash that often within the same second cover more
//   than a quarter of some field of view of ten degrees: a rectangle of 341 x 256 on a screen
//   of 1024 x 768, scaled to the screen's size, anywhere on it.
// More than three flashes in any one second are too many.
class FlashCounter {
public:
    // screen: the size of the screen the frames are shown on; empty: the frames' own size.
    explicit FlashCounter(QSize screen = QSize()) : m_screen(screen) {}

    // The ten-degree field of view on a screen of this size.
    static QSize fieldOfView(QSize screen);

    // The next frame, shown from timeMs on; every frame has the size of the first. Of more
    // than MaxFramesPerSecond frames within one second the oldest are forgotten early.
    void addFrame(const QImage &frame, qint64 timeMs);

    struct Figures {
        int flashesPerSecond = 0;  // the most flashes within a second over a quarter field
        double flashingShare = 0;  // the largest share of a field that flashes at all
        double overLimitShare = 0; // the largest share of a field that flashes too often
        QRect worstField;          // the field that flashes most often
        qint64 worstTimeMs = 0;    // the end of the second in which it does
    };
    const Figures &general() const { return m_general.figures; }
    const Figures &red() const { return m_red.figures; }
    int generalFlashesPerSecond() const { return general().flashesPerSecond; }
    int redFlashesPerSecond() const { return red().flashesPerSecond; }
    QSize field() const { return m_field; }

    static constexpr int AllowedPerSecond = 3;
    static constexpr int MaxFramesPerSecond = 32;

private:
    struct Kind {
        // Per pixel: the swing since the last transition, the last transition's direction
        // and the transitions within the last second.
        std::vector<uint16_t> low, high;
        std::vector<int8_t> direction;
        std::vector<uint8_t> count;
        // Per frame kept: which pixels made a transition in it, one bit each.
        std::array<std::vector<uint64_t>, MaxFramesPerSecond> planes;
        Figures figures;
        bool changed = false; // the counts changed since the last evaluation
    };
    // A kind's arrays as the loop over a frame's pixels follows them: plain pointers, as the
    // sanitizer builds would not inline the vectors' element access in that loop.
    struct Tracks {
        explicit Tracks(Kind &kind, int slot)
            : low(kind.low.data()), high(kind.high.data()), direction(kind.direction.data()),
              count(kind.count.data()), plane(kind.planes[size_t(slot)].data())
        {
        }
        uint16_t *low;
        uint16_t *high;
        int8_t *direction;
        uint8_t *count;
        uint64_t *plane;
        bool changed = false;
    };
    static void follow(Tracks &kind, size_t i, uint16_t value, uint16_t step, bool darkerLimit);
    static void forget(Kind &kind, int slot);
    void evaluate(Kind &kind, qint64 timeMs);
    // The most pixels flashing at least `flashes` times that lie in one field, and where.
    int densestField(const std::vector<uint8_t> &count, int flashes, QRect *where);

    QSize m_screen;
    QSize m_size;
    QSize m_field;
    qint64 m_fieldArea = 0;
    Kind m_general;
    Kind m_red;
    // The colours of the last frame. A copy of its own: holding the frame would make the
    // painter of the next one copy its whole bitmap before it draws.
    std::vector<QRgb> m_previous;
    qint64 m_frames = 0;
    size_t m_words = 0;                                  // 64-bit words of a plane
    std::array<qint64, MaxFramesPerSecond> m_slotTime{}; // the time of each kept frame
    std::array<bool, MaxFramesPerSecond> m_slotUsed{};
    std::vector<int> m_columns;
};
