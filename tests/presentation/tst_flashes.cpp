#include "draw/mersenne.h"
#include "presentation/backgroundpicture.h"
#include "presentation/displaypixels.h"
#include "presentation/flashcounter.h"
#include "presentation/numberdisplay.h"
#include "presentation/safeanimation.h"

#include <QTest>

#include <functional>

namespace {

constexpr QSize DisplaySize(320, 200);

// Frames every `periodMs` for `durationMs`: frame i from paint(i).
FlashCounter countFrames(int periodMs, int durationMs, const std::function<QImage(int)> &paint)
{
    FlashCounter counter;
    for (int i = 0, t = 0; t < durationMs; ++i, t += periodMs)
        counter.addFrame(paint(i), t);
    return counter;
}

// Two colours alternating on the left `share` of the display, the rest staying grey.
QImage alternating(int i, QRgb a, QRgb b, double share)
{
    QImage image(DisplaySize, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 128));
    const int width = int(DisplaySize.width() * share);
    for (int y = 0; y < DisplaySize.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(line, line + width, i % 2 ? a : b);
    }
    return image;
}

QImage checkerPicture()
{
    QImage picture(QSize(64, 48), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, ((x / 8 + y / 8) % 2) ? qRgb(250, 250, 250) : qRgb(10, 10, 60));
    makeOuterRingTransparent(picture);
    return picture;
}

// The display animating a draw for `durationMs` at the real tick, then stopping.
struct Animation {
    NumberDisplayRenderer renderer;
    EffectsGenerator effects;
    DisplayState state;
    DisplayOptions options;
    EntryPool pool = EntryPool::fromRange({1, 999}, false);

    FlashCounter run(int durationMs)
    {
        DisplayFrame frame{DisplaySize, DisplaySize, false, false, false};
        renderer.ShowOnDisplay(QStringLiteral("Hallo!"), 2, false, state, options, frame, pool,
                               effects);
        FlashCounter counter;
        counter.addFrame(renderer.bitmap(), 0);
        frame.running = frame.stopCaption = true;
        int t = AnimationTickMs;
        for (; t <= durationMs; t += AnimationTickMs) {
            const QString entry = pool.at(qsizetype(effects.next(quint32(pool.size()))));
            renderer.ShowOnDisplay(entry, 0, true, state, options, frame, pool, effects);
            counter.addFrame(renderer.bitmap(), t);
        }
        frame.running = frame.stopCaption = false;
        renderer.ShowOnDisplay(QStringLiteral("123"), 2, true, state, options, frame, pool,
                               effects);
        counter.addFrame(renderer.bitmap(), t);
        return counter;
    }
};

} // namespace

class TestFlashes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countsFlashesOfLargeAreas_data()
    {
        QTest::addColumn<int>("periodMs");
        QTest::addColumn<QRgb>("a");
        QTest::addColumn<QRgb>("b");
        QTest::addColumn<double>("share");
        QTest::addColumn<int>("general");
        QTest::addColumn<int>("red");
        const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
        // 12.5 changes a second: six flashes in a second.
        QTest::newRow("black-white whole, 80 ms") << 80 << black << white << 1.0 << 6 << 0;
        QTest::newRow("black-white half, 80 ms") << 80 << black << white << 0.5 << 6 << 0;
        // Below a quarter of the display a flash does not count.
        QTest::newRow("black-white fifth, 80 ms") << 80 << black << white << 0.2 << 0 << 0;
        // 2.5 changes a second: one flash.
        QTest::newRow("black-white whole, 400 ms") << 400 << black << white << 1.0 << 1 << 0;
        QTest::newRow("red-black whole, 80 ms") << 80 << qRgb(255, 0, 0) << black << 1.0 << 6 << 6;
        // Both states light: no general flash.
        QTest::newRow("white-light grey, 80 ms")
            << 80 << white << qRgb(240, 240, 240) << 1.0 << 0 << 0;
        // A change of less than a tenth of the luminance.
        QTest::newRow("two greys, 80 ms")
            << 80 << qRgb(100, 100, 100) << qRgb(110, 110, 110) << 1.0 << 0 << 0;
        // Hues of one luminance, none a saturated red.
        QTest::newRow("same-luminance hues, 80 ms")
            << 80 << colourOfHueAtLuminance(120, qRgb(90, 90, 90))
            << colourOfHueAtLuminance(300, qRgb(90, 90, 90)) << 1.0 << 0 << 0;
    }
    void countsFlashesOfLargeAreas()
    {
        QFETCH(int, periodMs);
        QFETCH(QRgb, a);
        QFETCH(QRgb, b);
        QFETCH(double, share);
        const FlashCounter counter =
            countFrames(periodMs, 3000, [&](int i) { return alternating(i, a, b, share); });
        QTEST(counter.generalFlashesPerSecond(), "general");
        QTEST(counter.redFlashesPerSecond(), "red");
    }

    void slowFadeCountsOnceItsSwingIsLarge()
    {
        // Up by 0.04 of the grey scale a frame for ten frames, then down again, twice: each
        // step alone is too small, the swings are not.
        const FlashCounter counter = countFrames(80, 3200, [](int i) {
            const int phase = i % 20;
            const int level = 40 + 10 * (phase < 10 ? phase : 20 - phase);
            QImage image(DisplaySize, QImage::Format_RGB32);
            image.fill(qRgb(level, level, level));
            return image;
        });
        QVERIFY(counter.generalFlashesPerSecond() >= 1);
        QVERIFY(counter.generalFlashesPerSecond() <= FlashCounter::AllowedPerSecond);
    }

    void animationFlashes_data()
    {
        QTest::addColumn<bool>("colours");
        QTest::addColumn<bool>("rain");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<quint32>("foreground");
        QTest::addColumn<quint32>("background");
        // Whether the animation as specified flashes: the random background does; over a
        // picture only the number and the rain take random colours.
        QTest::addColumn<bool>("flashes");
        QTest::newRow("colours and rain")
            << true << true << false << 0x000000u << 0xFFFFFFu << true;
        QTest::newRow("colours") << true << false << false << 0x000000u << 0xFFFFFFu << true;
        QTest::newRow("colours, rain, spinning picture")
            << true << true << true << 0x000000u << 0xFFFFFFu << false;
        QTest::newRow("colours, light on dark")
            << true << true << false << 0xFFFF80u << 0x200000u << true;
        QTest::newRow("colours, pure red on black")
            << true << true << false << 0x0000FFu << 0x000000u << true;
    }
    void animationFlashes()
    {
        QFETCH(bool, colours);
        QFETCH(bool, rain);
        QFETCH(bool, picture);
        QFETCH(quint32, foreground);
        QFETCH(quint32, background);
        QFETCH(bool, flashes);
        int counts[2][2] = {};
        for (const bool safe : {false, true}) {
            Animation animation;
            animation.options.colourEffect = colours;
            animation.options.numberEffect = rain;
            animation.options.foreground = foreground;
            animation.options.background = background;
            if (picture) {
                animation.state.picture = checkerPicture();
                animation.options.picture = animation.options.pictureEnabled = true;
                animation.options.pictureAnimated = true;
            }
            animation.options.safeAnimation = safe;
            const FlashCounter counter = animation.run(4000);
            counts[safe][0] = counter.generalFlashesPerSecond();
            counts[safe][1] = counter.redFlashesPerSecond();
        }
        qInfo("flashes a second, general/red: as specified %d/%d, safe %d/%d", counts[0][0],
              counts[0][1], counts[1][0], counts[1][1]);
        // The random colours flash the display; the safe animation does not.
        QCOMPARE(counts[0][0] > FlashCounter::AllowedPerSecond, flashes);
        QCOMPARE(counts[1][0], 0);
        QCOMPARE(counts[1][1], 0);
    }

    void stillNumberStandsOutBySevenToOne_data()
    {
        QTest::addColumn<quint32>("foreground");
        QTest::addColumn<quint32>("background");
        QTest::addColumn<bool>("picture");
        QTest::newRow("black on white, kept") << 0x000000u << 0xFFFFFFu << false;
        QTest::newRow("grey on white") << 0x909090u << 0xFFFFFFu << false;
        QTest::newRow("yellow on white") << 0x00FFFFu << 0xFFFFFFu << false;
        QTest::newRow("dark blue on black") << 0x800000u << 0x000000u << false;
        QTest::newRow("middle grey on middle grey") << 0x767676u << 0x777777u << false;
        QTest::newRow("black on a picture") << 0x000000u << 0xFFFFFFu << true;
        QTest::newRow("white on a picture") << 0xFFFFFFu << 0x000000u << true;
        QTest::newRow("grey on a picture") << 0x808080u << 0x808080u << true;
    }
    void stillNumberStandsOutBySevenToOne()
    {
        QFETCH(quint32, foreground);
        QFETCH(quint32, background);
        QFETCH(bool, picture);
        Animation display;
        display.options.foreground = foreground;
        display.options.background = background;
        display.options.safeAnimation = true;
        if (picture) {
            display.state.picture = checkerPicture();
            display.options.picture = display.options.pictureEnabled = true;
        }
        DisplayFrame frame{DisplaySize, DisplaySize, false, false, false};
        display.renderer.ShowOnDisplay(QStringLiteral("88"), 2, false, display.state,
                                       display.options, frame, display.pool, display.effects);
        const QRgb fg = display.state.DisplayForeColour;
        const QRgb bg = display.state.DisplayBackColour;
        if (!picture) {
            QVERIFY(contrastRatio(fg, bg) >= StillContrast);
            if (contrastRatio(ToColor32(foreground), ToColor32(background)) >= StillContrast)
                QCOMPARE(fg, ToColor32(foreground));
        }
        // Every pixel around the number that is not the number itself: the background or
        // the grey strip over the picture, the alpha not showing on screen.
        const QRect around = display.renderer.textRect()
                                 .adjusted(-1, -1, 2, 2)
                                 .intersected(QRect(QPoint(), DisplaySize));
        const QImage &bitmap = display.renderer.bitmap();
        double least = 21.0;
        for (int y = around.top(); y <= around.bottom(); ++y)
            for (int x = around.left(); x <= around.right(); ++x)
                if (qAlpha(bitmap.pixel(x, y)) == 16 || bitmap.pixel(x, y) == bg)
                    least = std::min(least, contrastRatio(bitmap.pixel(x, y) | 0xFF000000u, fg));
        QVERIFY2(least >= StillContrast, qPrintable(QString::number(least)));
    }

    void contrastFollowsLuminance_data()
    {
        QTest::addColumn<QRgb>("a");
        QTest::addColumn<QRgb>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black-white") << qRgb(0, 0, 0) << qRgb(255, 255, 255) << 21.0;
        QTest::newRow("same") << qRgb(40, 80, 120) << qRgb(40, 80, 120) << 1.0;
        QTest::newRow("#767676 on white") << qRgb(0x76, 0x76, 0x76) << qRgb(255, 255, 255) << 4.54;
        QTest::newRow("#595959 on white") << qRgb(0x59, 0x59, 0x59) << qRgb(255, 255, 255) << 7.0;
    }
    void contrastFollowsLuminance()
    {
        QFETCH(QRgb, a);
        QFETCH(QRgb, b);
        QFETCH(double, ratio);
        QVERIFY(qAbs(contrastRatio(a, b) - ratio) < 0.02);
        QCOMPARE(contrastRatio(a, b), contrastRatio(b, a));
    }
};

QTEST_MAIN(TestFlashes)
#include "tst_flashes.moc"
