#include "presentation/backgroundpicture.h"
#include "support/testfolder.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

#include <limits>

namespace {

// A picture with a different colour in every pixel, so that sampling shows where it reads.
QImage patternPicture(QSize size)
{
    QImage picture(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(40 + x * 9 % 200, 30 + y * 7 % 200, 90));
    return picture;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

// A Windows bitmap header that claims width x height, without pixel data.
QByteArray bitmapHeader(qint32 width, qint32 height, int bits = 24)
{
    QByteArray data(54, '\0');
    auto put32 = [&](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            data[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    data[26] = 1;
    data[28] = char(bits);
    return data;
}

// A JPEG whose frame header claims width x height.
QByteArray jpegClaiming(int width, int height)
{
    QByteArray data = encoded(patternPicture(QSize(16, 16)), "JPEG");
    const qsizetype sof = data.indexOf(QByteArray("\xFF\xC0", 2));
    Q_ASSERT(sof > 0);
    data[sof + 5] = char(height >> 8);
    data[sof + 6] = char(height & 0xFF);
    data[sof + 7] = char(width >> 8);
    data[sof + 8] = char(width & 0xFF);
    return data;
}

// A JPEG of the picture that carries an Exif orientation tag (1 upright, 6 turned a quarter
// clockwise to be upright, 3 upside down).
QByteArray jpegWithOrientation(const QImage &picture, quint16 orientation)
{
    const QByteArray jpeg = encoded(picture, "JPEG");
    // APP1 "Exif": a little-endian TIFF header and one directory holding the orientation.
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    tiff.append("\x01\0", 2);                   // one entry
    tiff.append("\x12\x01\x03\0\x01\0\0\0", 8); // 0x0112, SHORT, count 1
    tiff.append(char(orientation & 0xFF)).append(char(orientation >> 8)).append("\0\0", 2);
    tiff.append("\0\0\0\0", 4); // no next directory
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray app1("\xFF\xE1", 2);
    app1.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xFF));
    app1.append(body);
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

} // namespace

class TestBackgroundPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void uprightPictureFillsTheBitmapCentred()
    {
        const QImage picture = patternPicture(QSize(4, 3));
        QImage bitmap(400, 300, QImage::Format_ARGB32);
        PaintBackgroundPicture(bitmap, picture, 0);
        QCOMPARE(bitmap.pixel(0, 0), picture.pixel(0, 0));
        QCOMPARE(bitmap.pixel(399, 299), picture.pixel(3, 2));
        QCOMPARE(bitmap.pixel(200, 150), picture.pixel(2, 1));
        PaintBackgroundPicture(bitmap, picture, 180);
        QCOMPARE(bitmap.pixel(0, 0), picture.pixel(3, 2));
        QCOMPARE(bitmap.pixel(399, 299), picture.pixel(0, 0));
    }

    void pictureKeepsItsShapeAndLeavesBlack()
    {
        // 4:3 on 16:9: black bars left and right, the picture in between.
        const QImage picture = patternPicture(QSize(81, 61));
        QImage bitmap(320, 90, QImage::Format_ARGB32);
        PaintBackgroundPicture(bitmap, picture, 0);
        QCOMPARE(bitmap.pixel(0, 45), 0xFF000000u);
        QCOMPARE(bitmap.pixel(319, 45), 0xFF000000u);
        QCOMPARE(bitmap.pixel(160, 0), picture.pixel(40, 0));
        QCOMPARE(bitmap.pixel(160, 89), picture.pixel(40, 60));
        // A quarter turn puts the picture's first row on the right-hand side.
        PaintBackgroundPicture(bitmap, picture, 90);
        QCOMPARE(bitmap.pixel(160, 45), picture.pixel(40, 30));
        QCOMPARE(bitmap.pixel(0, 0), 0xFF000000u);
    }

    void transparentPixelsShowBlack()
    {
        QImage picture = patternPicture(QSize(20, 20));
        makeOuterRingTransparent(picture);
        picture.setPixel(10, 10, qRgba(200, 100, 50, 128));
        QImage bitmap(20, 20, QImage::Format_ARGB32);
        bitmap.fill(0xFFFFFFFFu);
        PaintBackgroundPicture(bitmap, picture, 0);
        QCOMPARE(bitmap.pixel(0, 0), 0xFF000000u);
        QCOMPARE(bitmap.pixel(10, 10), qRgb(100, 50, 25));
        QCOMPARE(bitmap.pixel(5, 5), picture.pixel(5, 5));
    }

    void emptyPictureLeavesTheBitmapBlack()
    {
        QImage bitmap(30, 20, QImage::Format_ARGB32);
        bitmap.fill(0xFFFFFFFFu);
        PaintBackgroundPicture(bitmap, QImage(), 45);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                QCOMPARE(bitmap.pixel(x, y), 0xFF000000u);
    }

    void thinPicturesAreScaledToFit_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("angle");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QPoint>("outside");
        QTest::newRow("single pixel") << QSize(1, 1) << 0.0 << QPoint(200, 150) << QPoint(20, 150);
        QTest::newRow("single pixel, turned")
            << QSize(1, 1) << 45.0 << QPoint(200, 150) << QPoint(0, 0);
        QTest::newRow("one column") << QSize(1, 5) << 0.0 << QPoint(200, 10) << QPoint(0, 150);
        QTest::newRow("one row") << QSize(5, 1) << 0.0 << QPoint(10, 150) << QPoint(200, 0);
        QTest::newRow("one row, upright")
            << QSize(5, 1) << 90.0 << QPoint(200, 10) << QPoint(0, 150);
    }
    void thinPicturesAreScaledToFit()
    {
        QFETCH(QSize, size);
        QFETCH(double, angle);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, outside);
        QImage picture(size, QImage::Format_ARGB32);
        picture.fill(0xFFFF0000u);
        QImage bitmap(400, 300, QImage::Format_ARGB32);
        PaintBackgroundPicture(bitmap, picture, angle);
        QVERIFY(
            std::isfinite(backgroundPictureScale(size.width(), size.height(), 400, 300, angle)));
        QCOMPARE(bitmap.pixel(inside), 0xFFFF0000u);
        QCOMPARE(bitmap.pixel(outside), 0xFF000000u);
    }

    void loadsEveryFormatWithATransparentRing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("jpg") << QStringLiteral("pic.jpg") << QByteArray("JPEG");
        QTest::newRow("jpeg") << QStringLiteral("pic.JPEG") << QByteArray("JPEG");
        QTest::newRow("png") << QStringLiteral("pic.png") << QByteArray("PNG");
        QTest::newRow("bmp") << QStringLiteral("pic.bmp") << QByteArray("BMP");
    }
    void loadsEveryFormatWithATransparentRing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        TestFolder folder;
        const QImage source = patternPicture(QSize(24, 18));
        folder.write(name, encoded(source, format.constData()));
        const QImage picture = decodeBackgroundPicture(folder.file(name));
        QCOMPARE(picture.size(), QSize(24, 18));
        QCOMPARE(picture.format(), QImage::Format_ARGB32);
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 24; ++x) {
                const bool ring = x == 0 || y == 0 || x == 23 || y == 17;
                QCOMPARE(qAlpha(picture.pixel(x, y)), ring ? 0 : 255);
            }
        if (format != "JPEG") { // lossless: the ring keeps its colours
            QCOMPARE(picture.pixel(0, 0) | 0xFF000000u, source.pixel(0, 0));
            QCOMPARE(picture.pixel(23, 9) | 0xFF000000u, source.pixel(23, 9));
        }
    }

    void refusesWhatIsNoUsablePicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        const QImage source = patternPicture(QSize(64, 48));
        const QByteArray jpeg = encoded(source, "JPEG");
        const QByteArray png = encoded(source, "PNG");
        const QByteArray bmp = encoded(source, "BMP");
        QTest::newRow("text as jpg") << QStringLiteral("a.jpg") << QByteArray("no picture\n");
        QTest::newRow("text as png") << QStringLiteral("a.png") << QByteArray("no picture\n");
        QTest::newRow("text as bmp") << QStringLiteral("a.bmp") << QByteArray("no picture\n");
        QTest::newRow("empty jpg") << QStringLiteral("a.jpg") << QByteArray();
        QTest::newRow("png named jpg") << QStringLiteral("a.jpg") << png;
        QTest::newRow("other extension") << QStringLiteral("a.gif") << png;
        QTest::newRow("jpg cut short") << QStringLiteral("a.jpg") << jpeg.left(jpeg.size() * 2 / 3);
        QTest::newRow("png cut short") << QStringLiteral("a.png") << png.left(png.size() * 2 / 3);
        QTest::newRow("bmp cut short") << QStringLiteral("a.bmp") << bmp.left(bmp.size() * 2 / 3);
        QTest::newRow("bmp claiming 50000 x 50000")
            << QStringLiteral("a.bmp") << bitmapHeader(50000, 50000);
        QTest::newRow("bmp claiming 20000 x 3000")
            << QStringLiteral("a.bmp") << bitmapHeader(20000, 3000);
        QTest::newRow("jpg claiming 60000 x 60000")
            << QStringLiteral("a.jpg") << jpegClaiming(60000, 60000);
        QTest::newRow("jpg claiming 9000 x 9000")
            << QStringLiteral("a.jpg") << jpegClaiming(9000, 9000);
    }
    void refusesWhatIsNoUsablePicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TestFolder folder;
        folder.write(name, content);
        QVERIFY(decodeBackgroundPicture(folder.file(name)).isNull());
    }

    void tinyPicturesShowTheirColours_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1 x 1") << QSize(1, 1);
        QTest::newRow("2 x 2") << QSize(2, 2);
        QTest::newRow("1 x 6") << QSize(1, 6);
        QTest::newRow("6 x 1") << QSize(6, 1);
        QTest::newRow("2 x 9") << QSize(2, 9);
        QTest::newRow("9 x 2") << QSize(9, 2);
    }
    void tinyPicturesShowTheirColours()
    {
        // A picture too small to have an inside is not made wholly transparent by its ring:
        // painted, it covers the middle of the display in its own colour.
        QFETCH(QSize, size);
        TestFolder folder;
        QImage source(size, QImage::Format_ARGB32);
        source.fill(0xFFE02020u);
        folder.write(QStringLiteral("tiny.png"), encoded(source, "PNG"));
        const QImage picture = decodeBackgroundPicture(folder.file(QStringLiteral("tiny.png")));
        QCOMPARE(picture.size(), size);
        QImage bitmap(400, 300, QImage::Format_ARGB32);
        PaintBackgroundPicture(bitmap, picture, 0);
        QCOMPARE(bitmap.pixel(200, 150), 0xFFE02020u);
    }

    void bitmapHeadersWithHugeSizesAreIncomplete_data()
    {
        QTest::addColumn<qint32>("width");
        QTest::addColumn<qint32>("height");
        QTest::addColumn<int>("bits");
        constexpr qint32 Max = std::numeric_limits<qint32>::max();
        constexpr qint32 Min = std::numeric_limits<qint32>::min();
        QTest::newRow("largest, 24 bits") << Max << Max << 24;
        QTest::newRow("largest, 32 bits") << Max << Max << 32;
        QTest::newRow("top-down, smallest height") << Max << Min << 32;
        QTest::newRow("smallest width") << Min << Max << 32;
        QTest::newRow("wide and flat") << Max << 1 << 32;
    }
    void bitmapHeadersWithHugeSizesAreIncomplete()
    {
        QFETCH(qint32, width);
        QFETCH(qint32, height);
        QFETCH(int, bits);
        const QByteArray header = bitmapHeader(width, height, bits);
        QVERIFY(!bmpIsComplete(header));
        TestFolder folder;
        folder.write(QStringLiteral("huge.bmp"), header);
        QVERIFY(decodeBackgroundPicture(folder.file(QStringLiteral("huge.bmp"))).isNull());
    }

    void photoOf36MegapixelsLoads()
    {
        // Larger than Qt's default allocation limit of 128 MB, within the program's own.
        QImage photo(6000, 6000, QImage::Format_RGB32);
        photo.fill(0xFF336699u);
        TestFolder folder;
        {
            QByteArray data;
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            photo.save(&buffer, "JPEG", 10);
            folder.write(QStringLiteral("photo.jpg"), data);
        }
        photo = QImage();
        const QImage picture = decodeBackgroundPicture(folder.file(QStringLiteral("photo.jpg")));
        QCOMPARE(picture.size(), QSize(6000, 6000));
        QCOMPARE(qAlpha(picture.pixel(3000, 3000)), 255);
    }

    void exifOrientationIsHonoured_data()
    {
        QTest::addColumn<quint16>("orientation");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("redCorner");
        QTest::newRow("upright") << quint16(1) << QSize(64, 32) << QPoint(1, 1);
        QTest::newRow("upside down") << quint16(3) << QSize(64, 32) << QPoint(62, 30);
        QTest::newRow("quarter turn clockwise") << quint16(6) << QSize(32, 64) << QPoint(30, 1);
    }
    void exifOrientationIsHonoured()
    {
        QFETCH(quint16, orientation);
        QFETCH(QSize, size);
        QFETCH(QPoint, redCorner);
        // Stored 64 x 32, white with a red block at the top left.
        QImage stored(64, 32, QImage::Format_RGB32);
        stored.fill(0xFFFFFFFFu);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                stored.setPixel(x, y, 0xFFFF0000u);
        TestFolder folder;
        folder.write(QStringLiteral("turned.jpg"), jpegWithOrientation(stored, orientation));
        const QImage picture = decodeBackgroundPicture(folder.file(QStringLiteral("turned.jpg")));
        QCOMPARE(picture.size(), size);
        const QRgb corner = picture.pixel(redCorner);
        QVERIFY2(qRed(corner) > 200 && qGreen(corner) < 60 && qBlue(corner) < 60,
                 qPrintable(QString::number(corner, 16)));
    }

    void smallPictureWithAHugeTailIsRefusedUnread()
    {
        // A few hundred bytes of picture followed by 64 MB: nothing a picture of 16 x 16 needs.
        TestFolder folder;
        const QString path = folder.file(QStringLiteral("padded.png"));
        folder.write(QStringLiteral("padded.png"), encoded(patternPicture(QSize(16, 16)), "PNG"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(qint64(64) << 20)); // sparse: takes no room on the disk
        file.close();
        QVERIFY(decodeBackgroundPicture(path).isNull());
    }

    void missingFileIsRefused()
    {
        TestFolder folder;
        QVERIFY(decodeBackgroundPicture(folder.file(QStringLiteral("nothere.jpg"))).isNull());
    }
};

QTEST_MAIN(TestBackgroundPicture)
#include "tst_backgroundpicture.moc"
