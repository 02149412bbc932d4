#include "web/qrcode.h"

#include <qrencode.h>

#include <memory>

QImage qrCodeImage(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code)
        return {};
    constexpr int Margin = 4;
    const int width = code->width;
    QImage image(width + 2 * Margin, width + 2 * Margin, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < width; ++y) {
        uchar *line = image.scanLine(y + Margin);
        for (int x = 0; x < width; ++x)
            if (code->data[y * width + x] & 1)
                line[x + Margin] = 0;
    }
    return image;
}
