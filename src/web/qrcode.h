#pragma once

#include <QImage>
#include <QString>

// The text as a QR code (error correction level M): one pixel a module, dark modules black,
// with the four modules of light margin readers expect. A null image when the text does not
// fit a QR code.
QImage qrCodeImage(const QString &text);
