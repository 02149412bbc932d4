#include "presentation/displaypixels.h"

#include <algorithm>

void paintGreyPatch(QImage &bitmap, const QRect &rect)
{
    const QRect area = rect.intersected(bitmap.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] = greyOf(line[x]);
    }
}

void fillBitmap(QImage &bitmap, QRgb pixel)
{
    // For a 32-bit format the value is stored as it is (Qt's vectorised fill).
    bitmap.fill(uint(pixel));
}
