#include "presentation/flashcounter.h"
#include "presentation/showcolours.h"

#include <QTest>

#include <functional>

namespace {

// The screen the rule's field of view is given for.
constexpr QSize Screen(1024, 768);
// A screen of one colour flashes as a whole at any size: a small one is counted quickly.
constexpr QSize SmallScreen(64, 48);

// Frames every `periodMs` for `durationMs` at the screen's size: frame i from paint(i).
FlashCounter countFrames(int periodMs, int durationMs, const std::function<QImage(int)> &paint)
{
    FlashCounter counter;
    for (int i = 0, t = 0; t < durationMs; ++i, t += periodMs)
        counter.addFrame(paint(i), t);
    return counter;
}

QImage filled(QRgb colour, QSize size = Screen)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Grey, with rectangles of colour `on` drawn into it.
QImage withRects(const QList<QRect> &rects, QRgb on)
{
    QImage image = filled(qRgb(128, 128, 128));
    for (const QRect &r : rects)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                image.setPixel(x, y, on);
    return image;
}

} // namespace

class TestFlashes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fieldOfViewScalesWithTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("field");
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(341, 256);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(639, 360);
        QTest::newRow("3840x2160") << QSize(3840, 2160) << QSize(1279, 720);
    }
    void fieldOfViewScalesWithTheScreen()
    {
        QFETCH(QSize, screen);
        QTEST(FlashCounter::fieldOfView(screen), "field");
    }

    // Black and white alternating on rectangles over grey at 12.5 changes a second: six
    // flashes in any second where the rectangles count.
    void countsFlashesOverAQuarterOfAField_data()
    {
        QTest::addColumn<QList<QRect>>("rects");
        QTest::addColumn<int>("flashes");
        // A quarter of 341 x 256 is 21,824 pixels.
        QTest::newRow("148x148, just over a quarter") << QList<QRect>{{10, 10, 148, 148}} << 6;
        QTest::newRow("147x148, just under a quarter") << QList<QRect>{{10, 10, 147, 148}} << 0;
        QTest::newRow("long thin stripe, under a quarter in any field")
            << QList<QRect>{{0, 300, 1024, 60}} << 0;
        QTest::newRow("two under a quarter, one field holds both")
            << QList<QRect>{{10, 10, 100, 120}, {150, 10, 100, 120}} << 6;
        QTest::newRow("two under a quarter, no field holds both")
            << QList<QRect>{{10, 10, 100, 120}, {600, 500, 100, 120}} << 0;
        QTest::newRow("whole screen") << QList<QRect>{{0, 0, 1024, 768}} << 6;
    }
    void countsFlashesOverAQuarterOfAField()
    {
        QFETCH(QList<QRect>, rects);
        const QImage black = withRects(rects, qRgb(0, 0, 0));
        const QImage white = withRects(rects, qRgb(255, 255, 255));
        const FlashCounter counter =
            countFrames(80, 3000, [&](int i) { return i % 2 ? white : black; });
        QTEST(counter.generalFlashesPerSecond(), "flashes");
        QCOMPARE(counter.redFlashesPerSecond(), 0);
    }

    // The whole screen changing every `everyFrames` frames of 40 ms.
    void countsFlashesWithinAnySecond_data()
    {
        QTest::addColumn<int>("everyFrames");
        QTest::addColumn<QRgb>("a");
        QTest::addColumn<QRgb>("b");
        QTest::addColumn<int>("general");
        QTest::addColumn<int>("red");
        const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), red = qRgb(255, 0, 0);
        // Every 160 ms: seven changes within a second at most, three flashes.
        QTest::newRow("black-white, 160 ms") << 4 << black << white << 3 << 0;
        // Every 120 ms: nine changes, four flashes, one too many.
        QTest::newRow("black-white, 120 ms") << 3 << black << white << 4 << 0;
        QTest::newRow("black-white, 40 ms") << 1 << black << white << 12 << 0;
        QTest::newRow("red-black, 160 ms") << 4 << red << black << 3 << 3;
        QTest::newRow("red-black, 120 ms") << 3 << red << black << 4 << 4;
        // A dark red against a dark grey of the same luminance: red flashes only.
        QTest::newRow("dark red-grey, 120 ms")
            << 3 << qRgb(120, 0, 0) << qRgb(33, 33, 33) << 0 << 4;
        // Both states light: no general flash.
        QTest::newRow("white-light grey, 40 ms") << 1 << white << qRgb(240, 240, 240) << 0 << 0;
        // A change of less than a tenth of the luminance.
        QTest::newRow("two greys, 40 ms")
            << 1 << qRgb(100, 100, 100) << qRgb(110, 110, 110) << 0 << 0;
        // Hues of one luminance, none a saturated red.
        QTest::newRow("same-luminance hues, 40 ms")
            << 1 << colourOfHueAtLuminance(120, qRgb(90, 90, 90))
            << colourOfHueAtLuminance(300, qRgb(90, 90, 90)) << 0 << 0;
    }
    void countsFlashesWithinAnySecond()
    {
        QFETCH(int, everyFrames);
        QFETCH(QRgb, a);
        QFETCH(QRgb, b);
        const QImage first = filled(a, SmallScreen);
        const QImage second = filled(b, SmallScreen);
        const FlashCounter counter =
            countFrames(40, 3000, [&](int i) { return (i / everyFrames) % 2 ? second : first; });
        QTEST(counter.generalFlashesPerSecond(), "general");
        QTEST(counter.redFlashesPerSecond(), "red");
        QCOMPARE(counter.general().overLimitShare > 0.25,
                 counter.generalFlashesPerSecond() > FlashCounter::AllowedPerSecond);
    }

    void slowFadeCountsOnceItsSwingIsLarge()
    {
        // Up by 10 of 255 a frame for ten frames, then down again: each step alone is too
        // small, the swings are not; one swing up and down takes 1.6 s.
        const FlashCounter counter = countFrames(80, 3200, [](int i) {
            const int phase = i % 20;
            const int level = 40 + 10 * (phase < 10 ? phase : 20 - phase);
            return filled(qRgb(level, level, level), SmallScreen);
        });
        QCOMPARE(counter.generalFlashesPerSecond(), 1);
    }

    void flashesInDifferentSecondsDoNotAddUp()
    {
        // Two areas, each under a sixth of a field, flash fast in turn, a second each, side by
        // side: together they would cover more than a quarter.
        const QList<QRect> left{{10, 10, 100, 120}};
        const QList<QRect> right{{150, 10, 100, 120}};
        const QImage grey = filled(qRgb(128, 128, 128));
        const QImage frames[] = {
            withRects(left, qRgb(0, 0, 0)), withRects(left, qRgb(255, 255, 255)),
            withRects(right, qRgb(0, 0, 0)), withRects(right, qRgb(255, 255, 255))};
        const FlashCounter counter = countFrames(80, 4400, [&](int i) {
            if (i < 13)
                return frames[i % 2];
            if (i < 27)
                return grey;
            if (i < 40)
                return frames[2 + i % 2];
            return grey;
        });
        QCOMPARE(counter.generalFlashesPerSecond(), 0);
        QVERIFY(counter.general().flashingShare < 0.25);
        QVERIFY(counter.general().flashingShare > 0.1);
    }
};

QTEST_MAIN(TestFlashes)
#include "tst_flashes.moc"
