#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Paints the picture into the bitmap, replacing its content: cleared to opaque black, the
// picture rotated by angle degrees about its centre, centred and uniformly scaled so that its
// rotated bounding box just fits, sampled nearest-neighbour and blended over the black. An
// empty picture leaves the bitmap black. A picture one pixel wide or high has no extent along
// that side; it is scaled to fit by its other side (a line), a single pixel to the shorter
// side of the bitmap (a square).
void PaintBackgroundPicture(QImage &bitmap, const QImage &picture, double angle);

// The picture over opaque black, pixel by pixel: what PaintBackgroundPicture shows of it.
QImage pictureOverBlack(const QImage &picture);
// PaintBackgroundPicture for a picture already put over black by pictureOverBlack: the same
// pixels, without blending each one again.
void PaintPictureOverBlack(QImage &bitmap, const QImage &opaquePicture, double angle);

// The scale PaintBackgroundPicture uses for a picture of w x h on a bitmap of width x height.
double backgroundPictureScale(int w, int h, int width, int height, double angle);

// Pictures above these sizes are refused before they are decoded.
constexpr int MaxPictureSide = 16384;
constexpr qint64 MaxPicturePixels = 40'000'000;
// No picture within those sizes needs a larger file: uncompressed 16 bits a channel with row
// padding (9 bytes a pixel) and 16 MB of metadata. A larger file is not opened for reading.
constexpr qint64 MaxPictureFileBytes = MaxPicturePixels * 9 + (qint64(16) << 20);

// Decodes a background picture file by its extension ("jpg"/"jpeg", "png", "bmp") into a
// straight ARGB bitmap whose outermost one-pixel ring is transparent (colours untouched),
// turned upright by its Exif orientation. Returns a null image for a missing file, another
// extension, a file that is not such a picture or is cut short, a picture larger than the
// limits above, and a file far larger than its picture can need (checked from the header,
// before the file is read).
QImage decodeBackgroundPicture(const QString &path);

// Sets the alpha of the picture's outermost one-pixel ring to 0. Along a side of one or two
// pixels the ring would take every pixel: there the picture keeps its alpha.
void makeOuterRingTransparent(QImage &picture);

// Whether JPEG data runs from its start marker through its end marker: a file cut short
// decodes "successfully" into a partly grey picture otherwise.
bool jpegIsComplete(const QByteArray &data);
// Whether an uncompressed Windows bitmap holds all the pixel rows its header announces.
bool bmpIsComplete(const QByteArray &data);
