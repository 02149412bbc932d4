#pragma once

#include "presentation/glyphcache.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include <vector>

// The display's one font: "Arial", bold, at a point size. Point sizes map to pixels as the
// Windows text functions do at 96 dpi, so sizes do not depend on the screen. Kerning and
// hinting are off: every glyph's advance then grows with the size on its own, so the width
// and height of a text never shrink when the size grows (the font fitting relies on that).
// Where no "Arial" is installed, fontconfig's metric alias gives Liberation Sans.
int displayPixelSize(int pointSize);
QFont displayFont(int pointSize);
QFont displayFontAtPixels(int pixelSize);

// width(text) and height(text) at a point size: the advance width and the line height.
QSize textExtent(const QString &text, int pointSize);

// The first point size from 3 upward at which the text's width reaches maxW or its height
// reaches maxH; 3 if size 3 already reaches it. Found by doubling and bisection, which gives
// the same size as stepping up one point at a time because the extent never shrinks.
int FitFontSize(const QString &text, int maxW, int maxH);

// Rasterises texts into an 8-bit coverage buffer and blends them into a straight ARGB
// bitmap. Smoothing level n rasterises at 2^n times the size without antialiasing and
// averages each 2^n x 2^n block into the coverage of one pixel; level 0 rasterises once.
// Only the part of the text's box that lies on the bitmap is rasterised, in bands of rows,
// into buffers that are kept for the next call.
//
// Plain texts (digits, minus, blanks) are measured from kept metrics and, at level 0, put
// together from kept glyph rasters (DisplayFontCache); the pixels are the same as those of
// the text rasterised at once, which setGlyphCache(false) restores for every text.
class TextRasterizer {
public:
    // Draws the text with the top-left of its box at topLeft, in colour (its alpha is the
    // text's opacity), merged into the bitmap.
    void drawText(QImage &bitmap, const QString &text, int pointSize, QPoint topLeft, QRgb colour,
                  int smoothing);

    // textExtent and FitFontSize, answered from the kept metrics where they can be.
    QSize extent(const QString &text, int pointSize);
    int fitFontSize(const QString &text, int maxW, int maxH);

    void setGlyphCache(bool on) { m_useCache = on; }
    const DisplayFontCache &cache() const { return m_cache; }

private:
    void drawPlain(QImage &bitmap, const QString &text, int pointSize, QPoint topLeft, QRgb colour);
    // A plain text at smoothing factor 2, 4 or 8 from the kept counts of its glyphs; false
    // (nothing drawn) where the inks of two glyphs could meet.
    bool drawSmoothedPlain(QImage &bitmap, const QString &text, int pointSize, QPoint topLeft,
                           QRgb colour, int factor);
    void averageBand(int rows, int width, int factor);
    void blendBand(QImage &bitmap, QPoint origin, int rows, int width, QRgb colour,
                   const uchar *coverage, qsizetype coverageStride);

    struct Placed {
        const DisplayFontCache::Glyph *glyph;
        QRect rect;    // on the bitmap, clipped to the text's area
        QPoint origin; // the raster's top-left on the bitmap
    };
    struct Counted {
        const DisplayFontCache::CountedGlyph *glyph;
        QRect rect; // of its counts on the bitmap
        QRect ink;  // in super-pixels from the text's pen
    };
    std::vector<Counted> m_counted;
    DisplayFontCache m_cache;
    bool m_useCache = true;
    std::vector<Placed> m_placed;

    QImage m_super;                // band of the text at 2^n times the size (Alpha8)
    std::vector<quint16> m_sums;   // column sums of one output row
    std::vector<uchar> m_coverage; // coverage of one band at the bitmap's resolution
};
