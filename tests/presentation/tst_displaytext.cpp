#include "draw/entrypool.h"
#include "draw/mersenne.h"
#include "presentation/backgroundpicture.h"
#include "presentation/displaypixels.h"
#include "presentation/displaytext.h"
#include "presentation/glyphcache.h"
#include "presentation/numberdisplay.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A bitmap with something under the text: colours and alphas that change across it, so a
// pixel blended twice or at the wrong place shows.
QImage patternedBitmap(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgba((x * 7) & 0xFF, (y * 5) & 0xFF, (x ^ y) & 0xFF,
                            (x + y) % 3 == 0 ? 255 : (x * 3 + y) & 0xFF);
    }
    return image;
}

QImage drawn(bool cached, const QString &text, int size, QPoint at, QRgb colour, int smoothing = 0)
{
    TextRasterizer text_;
    text_.setGlyphCache(cached);
    QImage bitmap = patternedBitmap(QSize(240, 160));
    text_.drawText(bitmap, text, size, at, colour, smoothing);
    return bitmap;
}

QImage picture()
{
    QImage image(97, 61, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 4, (x * y) & 0xFF));
    makeOuterRingTransparent(image);
    return image;
}

// The picture sampled pixel by pixel, every pixel checked against the picture's bounds: the
// rule PaintBackgroundPicture follows, without its shortcuts.
QImage sampledPixelByPixel(QSize size, const QImage &picture, double angle)
{
    QImage bitmap(size, QImage::Format_ARGB32);
    const int w = picture.width();
    const int h = picture.height();
    const double scale = backgroundPictureScale(w, h, size.width(), size.height(), angle);
    const double c = std::cos(angle * M_PI / 180.0);
    const double s = std::sin(angle * M_PI / 180.0);
    const double one = 4294967296.0;
    const qint64 stepU = std::llround(c / scale * one);
    const qint64 stepV = std::llround(-s / scale * one);
    for (int y = 0; y < size.height(); ++y) {
        const double dy = y + 0.5 - size.height() / 2.0;
        const double dx0 = 0.5 - size.width() / 2.0;
        const double u0 = (c * dx0 + s * dy) / scale + (w - 1) / 2.0 + 0.5;
        const double v0 = (-s * dx0 + c * dy) / scale + (h - 1) / 2.0 + 0.5;
        for (int x = 0; x < size.width(); ++x) {
            // Fixed point from the row's start, as the painter steps it.
            const qint64 fu = std::llround(u0 * one) + x * stepU;
            const qint64 fv = std::llround(v0 * one) + x * stepV;
            QRgb p = 0xFF000000u;
            if (quint64(fu >> 32) < quint64(w) && quint64(fv >> 32) < quint64(h)) {
                const QRgb q = picture.pixel(int(fu >> 32), int(fv >> 32));
                const uint a = uint(qAlpha(q));
                p = qRgb(int((uint(qRed(q)) * a + 127) / 255),
                         int((uint(qGreen(q)) * a + 127) / 255),
                         int((uint(qBlue(q)) * a + 127) / 255));
            }
            bitmap.setPixel(x, y, p);
        }
    }
    return bitmap;
}

} // namespace

class TestDisplayText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keptMetricsGiveTheFontSystemsExtent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one digit") << QStringLiteral("7");
        QTest::newRow("all digits") << QStringLiteral("1234567890");
        QTest::newRow("zeros") << QStringLiteral("000417");
        QTest::newRow("minus and blank") << QStringLiteral("-12 345");
    }
    void keptMetricsGiveTheFontSystemsExtent()
    {
        QFETCH(QString, text);
        DisplayFontCache cache;
        // Small sizes one by one, large ones (the rain and the text on a large screen) spread.
        for (int size = 3; size <= 1500; size += size < 40 ? 1 : (size < 420 ? 7 : 53))
            QCOMPARE(cache.plainExtent(text, size), textExtent(text, size));
        TextRasterizer rasterizer;
        for (QSize box : {QSize(50, 30), QSize(1600, 900), QSize(3200, 300), QSize(20, 1800)})
            QCOMPARE(rasterizer.fitFontSize(text, box.width(), box.height()),
                     FitFontSize(text, box.width(), box.height()));
    }

    void plainTextsAreTheOnlyOnesKept_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        QTest::newRow("digits") << QStringLiteral("0123456789") << true;
        QTest::newRow("negative") << QStringLiteral("-5") << true;
        QTest::newRow("letters") << QStringLiteral("Anna") << false;
        QTest::newRow("ligature pair") << QStringLiteral("fi") << false;
        QTest::newRow("time") << QStringLiteral("12:30") << false;
        QTest::newRow("arabic digits") << QStringLiteral("\u0661\u0662") << false;
    }
    void plainTextsAreTheOnlyOnesKept()
    {
        QFETCH(QString, text);
        QFETCH(bool, plain);
        QCOMPARE(DisplayFontCache::isPlain(text), plain);
    }

    // Texts put together from glyph rasters have the pixels of the text rasterised at once:
    // at small sizes (the font system's own glyph bitmaps) and large ones (outlines), at every
    // sub-pixel pen position the digits produce, cut at each edge, opaque and translucent.
    void glyphRastersGiveTheSamePixels_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("inside, opaque")
            << QStringLiteral("1234567890") << QPoint(3, 9) << qRgba(200, 10, 30, 255);
        QTest::newRow("inside, translucent")
            << QStringLiteral("-4711 08") << QPoint(11, 4) << qRgba(10, 250, 90, 131);
        QTest::newRow("cut left and top")
            << QStringLiteral("98765") << QPoint(-17, -23) << qRgba(0, 0, 0, 255);
        QTest::newRow("cut right and bottom")
            << QStringLiteral("31") << QPoint(170, 120) << qRgba(255, 255, 255, 77);
        QTest::newRow("beside the bitmap")
            << QStringLiteral("5") << QPoint(-400, 10) << qRgba(1, 2, 3, 255);
    }
    void glyphRastersGiveTheSamePixels()
    {
        QFETCH(QString, text);
        QFETCH(QPoint, at);
        QFETCH(QRgb, colour);
        for (int size : {3, 5, 8, 11, 17, 26, 40, 53, 71, 97, 130, 211})
            QVERIFY2(drawn(true, text, size, at, colour) == drawn(false, text, size, at, colour),
                     qPrintable(QStringLiteral("size %1").arg(size)));
    }

    // Smoothed texts put together from the kept subpixel counts of their glyphs have the
    // pixels of the text rasterised at once at the larger size and averaged: at every
    // smoothing level, at sizes from the font's bitmaps to outlines, at pen positions that
    // put the glyphs in every phase of the blocks, cut at the edges, and with one rasteriser
    // drawing them one after the other (kept counts met again at other positions).
    void smoothedTextsGiveTheSamePixels_data()
    {
        QTest::addColumn<int>("smoothing");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("level 1") << 1 << QStringLiteral("1234567890") << qRgba(200, 10, 30, 255);
        QTest::newRow("level 2") << 2 << QStringLiteral("-4711 08") << qRgba(10, 250, 90, 131);
        QTest::newRow("level 2, digits") << 2 << QStringLiteral("417") << qRgba(0, 0, 0, 255);
        QTest::newRow("level 3") << 3 << QStringLiteral("96") << qRgba(255, 255, 255, 77);
    }
    void smoothedTextsGiveTheSamePixels()
    {
        QFETCH(int, smoothing);
        QFETCH(QString, text);
        QFETCH(QRgb, colour);
        TextRasterizer kept;
        for (int size : {3, 8, 17, 26, 53, 97, 131})
            for (QPoint at : {QPoint(3, 9), QPoint(4, 10), QPoint(-17, -23), QPoint(170, 120)}) {
                QImage bitmap = patternedBitmap(QSize(240, 160));
                kept.drawText(bitmap, text, size, at, colour, smoothing);
                QVERIFY2(
                    bitmap == drawn(false, text, size, at, colour, smoothing),
                    qPrintable(
                        QStringLiteral("size %1 at %2, %3").arg(size).arg(at.x()).arg(at.y())));
            }
    }

    // The buffers a rasteriser keeps carry nothing of one text into the next.
    void keptBuffersLeaveNoTrace_data()
    {
        QTest::addColumn<int>("smoothing");
        QTest::addColumn<QString>("text");
        QTest::newRow("level 0, letters") << 0 << QStringLiteral("Wm");
        QTest::newRow("level 0, digits") << 0 << QStringLiteral("18");
        QTest::newRow("level 1") << 1 << QStringLiteral("18");
        QTest::newRow("level 2") << 2 << QStringLiteral("18");
        QTest::newRow("level 3") << 3 << QStringLiteral("Wm");
    }
    void keptBuffersLeaveNoTrace()
    {
        QFETCH(int, smoothing);
        QFETCH(QString, text);
        TextRasterizer used;
        QImage first = patternedBitmap(QSize(240, 160));
        used.drawText(first, QStringLiteral("8888"), 60, QPoint(-5, 0), qRgb(0, 0, 0), smoothing);
        QImage second = patternedBitmap(QSize(240, 160));
        used.drawText(second, text, 40, QPoint(30, 20), qRgba(0, 0, 90, 200), smoothing);
        TextRasterizer fresh;
        QImage expected = patternedBitmap(QSize(240, 160));
        fresh.drawText(expected, text, 40, QPoint(30, 20), qRgba(0, 0, 90, 200), smoothing);
        QVERIFY(second == expected);
        QVERIFY(second != patternedBitmap(QSize(240, 160)));
    }

    // mergeIntoOpaque gives mergePixel's result for every opacity and channel value.
    void opaqueBlendEqualsMerge()
    {
        int mismatches = 0;
        for (uint opacity = 0; opacity < 256; ++opacity)
            for (int d = 0; d < 256; ++d)
                for (int c : {0, 1, 77, 128, 254, 255}) {
                    const QRgb dst = qRgb(d, 255 - d, (d * 7) & 0xFF);
                    const QRgb colour = qRgba(c, 255 - c, (c * 3) & 0xFF, 99);
                    mismatches +=
                        mergeIntoOpaque(dst, colour, opacity) != mergePixel(dst, colour, opacity);
                }
        QCOMPARE(mismatches, 0);
    }

    // Blending through a coverage raster gives each pixel mergePixel's result at the text's
    // opacity times its coverage: over opaque and translucent pixels, in stretches of no, full
    // and partial coverage, and at the ends of rows that are not a multiple of the word size.
    void coverageBlendEqualsMergePerPixel_data()
    {
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("opaque text") << qRgba(200, 10, 30, 255);
        QTest::newRow("translucent text") << qRgba(10, 250, 90, 131);
        QTest::newRow("faint text") << qRgba(255, 255, 255, 1);
    }
    void coverageBlendEqualsMergePerPixel()
    {
        QFETCH(QRgb, colour);
        const QSize size(53, 21);
        QImage bitmap = patternedBitmap(size);
        for (int y = 0; y < 3; ++y) // rows that are opaque throughout
            std::fill_n(reinterpret_cast<QRgb *>(bitmap.scanLine(y)), size.width(),
                        qRgb(y * 90, 255 - y * 40, 17));
        std::vector<uchar> coverage(size_t(size.width() * size.height()));
        quint32 seed = 12345;
        for (size_t i = 0; i < coverage.size(); ++i) {
            seed = seed * 1103515245u + 12345u;
            const uint kind = (seed >> 16) % 4; // runs of none, full, partial
            coverage[i] = i % 16 < 8 ? uchar((i / 16) % 2 ? 255 : 0)
                                     : uchar(kind == 0   ? 0
                                             : kind == 1 ? 255
                                                         : (seed >> 8) & 0xFF);
        }
        QImage expected = bitmap;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const uint c = coverage[size_t(y * size.width() + x)];
                const uint a = uint(qAlpha(colour));
                expected.setPixel(x, y,
                                  mergePixel(expected.pixel(x, y), colour, (a * c + 127) / 255));
            }
        blendCoverage(bitmap, QPoint(0, 0), size.height(), size.width(), colour, coverage.data(),
                      size.width());
        QVERIFY(bitmap == expected);
    }

    // The picture painted in runs equals the picture sampled and checked pixel by pixel, at
    // every angle the animation takes, on bitmaps wider and narrower than the picture.
    void pictureRunsEqualPixelByPixelSampling_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("wide") << QSize(203, 101);
        QTest::newRow("tall") << QSize(64, 150);
    }
    void pictureRunsEqualPixelByPixelSampling()
    {
        QFETCH(QSize, size);
        const QImage source = picture();
        QImage bitmap(size, QImage::Format_ARGB32);
        for (int angle = 0; angle < NumberDisplayRenderer::PictureAngles; angle += 7) {
            PaintBackgroundPicture(bitmap, source, angle);
            const QImage expected = sampledPixelByPixel(size, source, angle);
            QVERIFY2(bitmap == expected, qPrintable(QStringLiteral("angle %1").arg(angle)));
            // The same from the picture put over black once.
            bitmap.fill(0xFF123456u);
            PaintPictureOverBlack(bitmap, pictureOverBlack(source), angle);
            QVERIFY2(bitmap == expected,
                     qPrintable(QStringLiteral("over black, angle %1").arg(angle)));
        }
    }

    // Whole frames of a running draw, rain and spinning picture included, from several
    // states of the effects generator: the kept glyphs change no pixel.
    void framesEqualThoseRasterisedAtOnce_data()
    {
        QTest::addColumn<int>("skip"); // values taken from the effects generator first
        QTest::addColumn<bool>("withPicture");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("running");  // else still frames, smoothed
        QTest::addColumn<bool>("spinning"); // the picture turns while running
        QTest::newRow("start, picture") << 0 << true << QStringLiteral("417") << true << true;
        QTest::newRow("later, no picture") << 977 << false << QStringLiteral("88") << true << true;
        QTest::newRow("later, picture") << 31337 << true << QStringLiteral("-3") << true << true;
        QTest::newRow("list entries") << 5 << false << QStringLiteral("Anna") << true << true;
        QTest::newRow("upright picture") << 3 << true << QStringLiteral("52") << true << false;
        QTest::newRow("still, picture") << 0 << true << QStringLiteral("417") << false << false;
        QTest::newRow("still, no picture") << 0 << false << QStringLiteral("-90") << false << false;
    }
    void framesEqualThoseRasterisedAtOnce()
    {
        QFETCH(int, skip);
        QFETCH(bool, withPicture);
        QFETCH(QString, text);
        QFETCH(bool, running);
        QFETCH(bool, spinning);
        const EntryPool pool = EntryPool::fromList(
            text.at(0).isLetter() ? QStringList{QStringLiteral("Anna"), QStringLiteral("Bert")}
                                  : QStringList{QStringLiteral("7"), QStringLiteral("123"),
                                                QStringLiteral("99999"), QStringLiteral("-40")});
        struct Run {
            NumberDisplayRenderer renderer;
            EffectsGenerator effects;
            DisplayState state;
        } cached, direct;
        direct.renderer.setGlyphCache(false);
        direct.renderer.setPictureCache(false);
        DisplayOptions options;
        options.picture = withPicture;
        options.pictureEnabled = withPicture;
        options.pictureAnimated = spinning;
        const DisplayFrame frame{QSize(400, 240), QSize(420, 330), running, running, false};
        for (Run *run : {&cached, &direct}) {
            run->state.picture = picture();
            for (int i = 0; i < skip; ++i)
                run->effects.next(2);
        }
        for (int i = 0; i < 6; ++i) {
            for (Run *run : {&cached, &direct})
                run->renderer.ShowOnDisplay(text, running ? 0 : 2, true, run->state, options, frame,
                                            pool, run->effects);
            QCOMPARE(cached.renderer.rain().size(),
                     running ? NumberDisplayRenderer::RainGlyphs : 0);
            QCOMPARE(cached.renderer.fontSize(), direct.renderer.fontSize());
            QCOMPARE(cached.renderer.textRect(), direct.renderer.textRect());
            QVERIFY2(cached.renderer.bitmap() == direct.renderer.bitmap(),
                     qPrintable(QStringLiteral("frame %1").arg(i)));
        }
    }

    // The kept picture follows what it was made from: a new size of the display, another
    // picture loaded, and the same picture changed in place each show at once.
    void keptPictureFollowsSizeAndPicture()
    {
        struct Run {
            NumberDisplayRenderer renderer;
            EffectsGenerator effects;
            DisplayState state;
        } cached, direct;
        direct.renderer.setPictureCache(false);
        DisplayOptions options;
        options.picture = true;
        options.pictureEnabled = true;
        const EntryPool pool = EntryPool::fromList({QStringLiteral("5")});
        QImage other = picture().mirrored(true, false);
        makeOuterRingTransparent(other);
        QImage changed = picture();
        auto showBoth = [&](QSize size, const QImage &shown) {
            for (Run *run : {&cached, &direct}) {
                run->state.picture = shown;
                const DisplayFrame frame{size, size, false, false, false};
                run->renderer.ShowOnDisplay(QStringLiteral("5"), 2, false, run->state, options,
                                            frame, pool, run->effects);
            }
            return cached.renderer.bitmap() == direct.renderer.bitmap();
        };
        QVERIFY(showBoth(QSize(200, 120), picture()));
        QVERIFY(showBoth(QSize(200, 120), picture()));
        QVERIFY(showBoth(QSize(150, 170), picture()));
        QVERIFY(showBoth(QSize(150, 170), other));
        QVERIFY(showBoth(QSize(150, 170), changed));
        changed.setPixel(40, 30, qRgb(255, 0, 0));
        QVERIFY(showBoth(QSize(150, 170), changed));
    }
};

QTEST_MAIN(TestDisplayText)
#include "tst_displaytext.moc"
