#include "fuzzsupport.h"
#include "presentation/backgroundpicture.h"

#include <QImage>

// A background picture on any bytes; the first byte chooses the file type. An accepted
// picture stays within the size limits, has a transparent outer ring, and paints into a
// bitmap at the angle the second byte gives.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    fuzzApplication();
    static const QString names[] = {QStringLiteral("picture.bmp"), QStringLiteral("picture.png"),
                                    QStringLiteral("picture.jpg")};
    const QByteArray bytes = fuzzBytes(data + 2, size - 2);
    (void)bmpIsComplete(bytes);
    (void)jpegIsComplete(bytes);
    const QImage picture = decodeBackgroundPicture(fuzzFile(names[data[0] % 3], bytes));
    if (picture.isNull())
        return 0;
    FUZZ_CHECK(picture.width() <= MaxPictureSide && picture.height() <= MaxPictureSide);
    FUZZ_CHECK(qint64(picture.width()) * picture.height() <= MaxPicturePixels);
    FUZZ_CHECK(picture.format() == QImage::Format_ARGB32);
    if (picture.width() > 2 && picture.height() > 2)
        FUZZ_CHECK(qAlpha(picture.pixel(0, 0)) == 0 &&
                   qAlpha(picture.pixel(picture.width() - 1, picture.height() - 1)) == 0);
    QImage bitmap(64, 48, QImage::Format_ARGB32);
    PaintBackgroundPicture(bitmap, picture, data[1] * 360.0 / 256);
    return 0;
}
