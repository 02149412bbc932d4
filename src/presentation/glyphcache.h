#pragma once

#include <QChar>
#include <QImage>
#include <QPoint>
#include <QRawFont>
#include <QSize>
#include <QString>

#include <array>
#include <unordered_map>

// What the display keeps of its font between paints, so that a frame does not go back to the
// font system for every text: the metrics of each pixel size it has met, and the aliased
// rasters of single glyphs at each size and sub-pixel offset. A size not met before is taken
// from one raw font of the display font, scaled: the same font file and settings, without
// the font system's matching of family and style for every new size.
//
// Only "plain" texts take this way: digits, the minus sign and blanks. Their glyphs are laid
// out one after the other by their advances (no kerning, no ligatures, no shaping), so a text
// drawn glyph by glyph from these rasters has exactly the pixels of the text drawn at once.
// Any other text is measured and drawn by the font system itself.
class DisplayFontCache {
public:
    // Characters whose glyphs are kept.
    static constexpr int PlainCount = 12; // "0".."9", "-", " "
    static bool isPlain(const QString &text);
    // The place of a plain character in SizeMetrics::advance64, -1 for any other.
    static int plainIndex(QChar c);

    struct SizeMetrics {
        int pixelSize = 0;
        int ascent = 0;
        int height = 0;
        std::array<qint32, PlainCount> advance64{}; // advances in 1/64 pixel
        QRawFont raw; // the font at this size; invalid where no raw font could be made
    };
    const SizeMetrics &metrics(int pointSize);
    const SizeMetrics &pixelMetrics(int pixelSize);

    // width(text) and height(text) of a plain text, as textExtent gives them.
    QSize plainExtent(const QString &text, int pointSize);

    // The aliased coverage (0 or 255) of one plain character at a pixel size whose pen stands
    // at an integer x plus frac64 / 64 on the baseline, cropped to its ink. offset is where
    // the raster's top-left lies from the pen's integer position on the baseline. A blank has
    // no ink and a null raster.
    struct Glyph {
        QImage coverage; // Format_Alpha8
        QPoint offset;
    };
    // The reference stays valid until the next trim().
    const Glyph &glyph(QChar c, int pointSize, int frac64);
    const Glyph &pixelGlyph(QChar c, int pixelSize, int frac64);

    // One plain character rasterised at a super size (factor times the shown size) and
    // counted down: each byte of counts is the number of ink subpixels (0 .. factor^2) in one
    // factor x factor block. The pen stands at an integer super-pixel position plus frac64 / 64
    // along the baseline, penPhase super-pixels right of and below a block's top-left corner;
    // blockOffset is the block of the counts' top-left from the block of the pen. ink is the
    // super-pixel rectangle of the ink from the pen. The super-sized raster is not kept.
    struct CountedGlyph {
        QImage counts; // Format_Alpha8, one byte per shown pixel; null for a blank
        QPoint blockOffset;
        QRect ink;
        bool usable = true; // false: the counts could not be taken; draw the text whole
    };
    const CountedGlyph &countedGlyph(QChar c, int superPixelSize, int frac64, int factor,
                                     QPoint penPhase);

    // Bytes held by the glyph rasters. trim() drops them all once they pass the limit; they
    // are built again as they are met.
    static constexpr qsizetype RasterLimit = qsizetype(64) << 20;
    void trim();

private:
    Glyph renderGlyph(QChar c, int pixelSize, int frac64);
    CountedGlyph countGlyph(QChar c, int superPixelSize, int frac64, int factor, QPoint penPhase);
    static quint64 glyphKey(QChar c, int pixelSize, int frac64);

    // The display font at a pixel size, made anew; invalid where no raw font could be made.
    QRawFont makeRawFont(int pixelSize);
    // The same, kept with the size's metrics.
    const QRawFont &rawFont(int pixelSize) { return pixelMetrics(pixelSize).raw; }

    QRawFont m_base;
    bool m_baseTried = false;
    std::unordered_map<int, SizeMetrics> m_metrics;
    std::unordered_map<quint64, Glyph> m_glyphs;
    std::unordered_map<quint64, CountedGlyph> m_counted;
    qsizetype m_rasterBytes = 0;
};
