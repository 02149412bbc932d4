#include "draw/mersenne.h"
#include "presentation/backgroundpicture.h"
#include "presentation/displaytext.h"
#include "presentation/glyphcache.h"
#include "presentation/numberdisplay.h"

#include <QTest>

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

QImage drawn(bool cached, const QString &text, int size, QPoint at, QRgb colour)
{
    TextRasterizer text_;
    text_.setGlyphCache(cached);
    QImage bitmap = patternedBitmap(QSize(240, 160));
    text_.drawText(bitmap, text, size, at, colour, 0);
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
        for (int size = 3; size <= 420; size += size < 40 ? 1 : 7)
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
        for (int size : {3, 5, 8, 11, 17, 26, 40, 53, 71, 97, 130})
            QVERIFY2(drawn(true, text, size, at, colour) == drawn(false, text, size, at, colour),
                     qPrintable(QStringLiteral("size %1").arg(size)));
    }

    // Whole frames of a running draw, rain and spinning picture included, from several
    // states of the effects generator: the kept glyphs change no pixel.
    void framesEqualThoseRasterisedAtOnce_data()
    {
        QTest::addColumn<int>("skip"); // values taken from the effects generator first
        QTest::addColumn<bool>("withPicture");
        QTest::addColumn<QString>("text");
        QTest::newRow("start, picture") << 0 << true << QStringLiteral("417");
        QTest::newRow("later, no picture") << 977 << false << QStringLiteral("88");
        QTest::newRow("later, picture") << 31337 << true << QStringLiteral("-3");
        QTest::newRow("list entries") << 5 << false << QStringLiteral("Anna");
    }
    void framesEqualThoseRasterisedAtOnce()
    {
        QFETCH(int, skip);
        QFETCH(bool, withPicture);
        QFETCH(QString, text);
        const QStringList pool = text.at(0).isLetter()
                                     ? QStringList{QStringLiteral("Anna"), QStringLiteral("Bert")}
                                     : QStringList{QStringLiteral("7"), QStringLiteral("123"),
                                                   QStringLiteral("99999"), QStringLiteral("-40")};
        struct Run {
            NumberDisplayRenderer renderer;
            EffectsGenerator effects;
            DisplayState state;
        } cached, direct;
        direct.renderer.setGlyphCache(false);
        DisplayOptions options;
        options.picture = withPicture;
        options.pictureEnabled = withPicture;
        options.pictureAnimated = true;
        const DisplayFrame frame{QSize(400, 240), QSize(420, 330), true, true, false};
        for (Run *run : {&cached, &direct}) {
            run->state.picture = picture();
            for (int i = 0; i < skip; ++i)
                run->effects.next(2);
        }
        for (int i = 0; i < 6; ++i) {
            for (Run *run : {&cached, &direct})
                run->renderer.ShowOnDisplay(text, 0, true, run->state, options, frame, pool,
                                            run->effects);
            QCOMPARE(cached.renderer.rain().size(), NumberDisplayRenderer::RainGlyphs);
            QCOMPARE(cached.renderer.fontSize(), direct.renderer.fontSize());
            QCOMPARE(cached.renderer.textRect(), direct.renderer.textRect());
            QVERIFY2(cached.renderer.bitmap() == direct.renderer.bitmap(),
                     qPrintable(QStringLiteral("frame %1").arg(i)));
        }
    }
};

QTEST_MAIN(TestDisplayText)
#include "tst_displaytext.moc"
