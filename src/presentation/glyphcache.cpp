#include "presentation/glyphcache.h"

#include "presentation/displaytext.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::array<char16_t, DisplayFontCache::PlainCount> PlainChars = {
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'-', u' '};

// The number of bits set in a byte.
constexpr std::array<uchar, 256> BitsSet = [] {
    std::array<uchar, 256> table{};
    for (uint i = 0; i < 256; ++i)
        table[i] = uchar((i & 1) + table[i / 2]);
    return table;
}();

// Where a coverage raster is not 0.
QRect inkRect(const QImage &canvas)
{
    const int width = canvas.width();
    int top = -1;
    int bottom = -1;
    int left = width;
    int right = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const uchar *line = canvas.constScanLine(y);
        int first = 0;
        while (first + 8 <= width) { // eight empty pixels at a time
            quint64 word;
            std::memcpy(&word, line + first, sizeof word);
            if (word != 0)
                break;
            first += 8;
        }
        while (first < width && line[first] == 0)
            ++first;
        if (first == width)
            continue;
        int last = width - 1;
        while (line[last] == 0)
            --last;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (top < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// A canvas around a glyph's bounds. The room keeps the outline well inside the canvas: a
// glyph that comes close to the canvas's edge may be rasterised a subpixel differently.
QRect roomAround(const QRectF &bounds)
{
    const QRect aligned = bounds.toAlignedRect();
    const int room = 16 + aligned.height() / 16;
    return aligned.adjusted(-room, -room, room, room);
}

} // namespace

int DisplayFontCache::plainIndex(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u == u'-')
        return 10;
    if (u == u' ')
        return 11;
    return -1;
}

bool DisplayFontCache::isPlain(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return plainIndex(c) >= 0; });
}

QRawFont DisplayFontCache::makeRawFont(int pixelSize)
{
    if (!m_baseTried) {
        m_baseTried = true;
        m_base = QRawFont::fromFont(displayFontAtPixels(100));
    }
    if (!m_base.isValid())
        return {};
    QRawFont font = m_base;
    font.setPixelSize(pixelSize);
    return font;
}

const DisplayFontCache::SizeMetrics &DisplayFontCache::metrics(int pointSize)
{
    return pixelMetrics(displayPixelSize(pointSize));
}

const DisplayFontCache::SizeMetrics &DisplayFontCache::pixelMetrics(int pixelSize)
{
    const auto found = m_metrics.find(pixelSize);
    if (found != m_metrics.end())
        return found->second;
    SizeMetrics m;
    m.pixelSize = pixelSize;
    m.raw = makeRawFont(pixelSize);
    const QRawFont &raw = m.raw;
    if (raw.isValid()) {
        // As the font metrics round them: ascent and descent each to whole pixels.
        m.ascent = qRound(raw.ascent());
        m.height = m.ascent + qRound(raw.descent());
        const QList<quint32> glyphs = raw.glyphIndexesForString(
            QString::fromUtf16(PlainChars.data(), qsizetype(PlainChars.size())));
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
        for (int i = 0; i < PlainCount && i < advances.size(); ++i)
            m.advance64[size_t(i)] = qint32(std::lround(advances[i].x() * 64));
    } else {
        const QFont font = displayFontAtPixels(pixelSize);
        const QFontMetrics whole(font);
        const QFontMetricsF exact(font);
        m.ascent = whole.ascent();
        m.height = whole.height();
        for (int i = 0; i < PlainCount; ++i) // the advances are multiples of 1/64 pixel
            m.advance64[size_t(i)] =
                qint32(std::lround(exact.horizontalAdvance(QChar(PlainChars[size_t(i)])) * 64));
    }
    return m_metrics.emplace(pixelSize, m).first->second;
}

QSize DisplayFontCache::plainExtent(const QString &text, int pointSize)
{
    const SizeMetrics &m = metrics(pointSize);
    qint64 width64 = 0;
    for (QChar c : text)
        width64 += m.advance64[size_t(plainIndex(c))];
    // The font system rounds the sum of the advances half up.
    return {int((width64 + 32) >> 6), m.height};
}

void DisplayFontCache::trim()
{
    if (m_rasterBytes > RasterLimit) {
        m_glyphs.clear();
        m_counted.clear();
        m_rasterBytes = 0;
    }
}

const DisplayFontCache::Glyph &DisplayFontCache::glyph(QChar c, int pointSize, int frac64)
{
    return pixelGlyph(c, displayPixelSize(pointSize), frac64);
}

quint64 DisplayFontCache::glyphKey(QChar c, int pixelSize, int frac64)
{
    return (quint64(c.unicode()) << 48) | (quint64(quint32(pixelSize)) << 8) | quint64(frac64 & 63);
}

const DisplayFontCache::Glyph &DisplayFontCache::pixelGlyph(QChar c, int pixelSize, int frac64)
{
    const quint64 key = glyphKey(c, pixelSize, frac64);
    const auto found = m_glyphs.find(key);
    if (found != m_glyphs.end())
        return found->second;
    Glyph g = renderGlyph(c, pixelSize, frac64);
    m_rasterBytes += g.coverage.sizeInBytes();
    return m_glyphs.emplace(key, std::move(g)).first->second;
}

const DisplayFontCache::CountedGlyph &
DisplayFontCache::countedGlyph(QChar c, int superPixelSize, int frac64, int factor, QPoint penPhase)
{
    const quint64 key = glyphKey(c, superPixelSize, frac64) ^ (quint64(factor & 15) << 40) ^
                        (quint64(penPhase.x() & 15) << 32) ^ (quint64(penPhase.y() & 15) << 36);
    const auto found = m_counted.find(key);
    if (found != m_counted.end())
        return found->second;
    CountedGlyph counted = countGlyph(c, superPixelSize, frac64, factor, penPhase);
    m_rasterBytes += counted.counts.sizeInBytes();
    return m_counted.emplace(key, std::move(counted)).first->second;
}

DisplayFontCache::CountedGlyph DisplayFontCache::countGlyph(QChar c, int superPixelSize, int frac64,
                                                            int factor, QPoint penPhase)
{
    CountedGlyph counted;
    const QRawFont &raw = rawFont(superPixelSize);
    if (!raw.isValid() || factor > 8) {
        counted.usable = false;
        return counted;
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(raw.glyphIndexesForString(QString(c)));
    run.setPositions({QPointF(0, 0)});
    const QRectF bounds =
        raw.boundingRect(run.glyphIndexes().value(0)).translated(frac64 / 64.0, 0);
    if (!bounds.isValid() || bounds.isEmpty()) {
        counted.usable = c == u' '; // a blank has no ink; any other glyph is taken whole
        return counted;
    }
    auto floorDiv = [factor](int v) { return v >= 0 ? v / factor : -((-v + factor - 1) / factor); };
    // The canvas: the glyph's bounds with some room, its top-left on a block's corner and its
    // width a multiple of 16, from the pen on the baseline.
    const QRect room = roomAround(bounds);
    const QPoint start = penPhase + room.topLeft();
    counted.blockOffset = QPoint(floorDiv(start.x()), floorDiv(start.y()));
    const QPoint corner = counted.blockOffset * factor - penPhase; // from the pen
    const int width = (room.right() + 1 - corner.x() + 15) / 16 * 16;
    const int height = (room.bottom() + 1 - corner.y() + factor - 1) / factor * factor;
    counted.counts = QImage(width / factor, height / factor, QImage::Format_Alpha8);
    counted.counts.fill(0);

    // Rasterised in bands of about a megabyte; whatever is read is cleared again, so the band
    // is clear for the next one.
    const int bandRows = std::max(factor, int((1 << 20) / width) / factor * factor);
    QImage band(width, std::min(bandRows, height), QImage::Format_Alpha8);
    band.fill(0);
    int inkLeft = width;
    int inkRight = -1;
    int inkTop = -1;
    int inkBottom = -1;
    const int blocksPerChunk = 16 / factor;
    const uint blockMask = (1u << factor) - 1;
    for (int top = 0; top < height; top += band.height()) {
        {
            QPainter painter(&band);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setPen(QColor(255, 255, 255));
            painter.drawGlyphRun(QPointF(-corner.x() + frac64 / 64.0, -corner.y() - top), run);
        }
        const int rows = std::min(band.height(), height - top);
        for (int y = 0; y < rows; ++y) {
            uchar *in = band.scanLine(y);
            uchar *out = counted.counts.scanLine((top + y) / factor);
            bool rowInk = false;
            for (int x = 0; x < width; x += 16) {
                uint bits = 0;
#if defined(__SSE2__)
                const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + x));
                bits = uint(_mm_movemask_epi8(chunk));
                if (bits == 0)
                    continue;
                _mm_storeu_si128(reinterpret_cast<__m128i *>(in + x), _mm_setzero_si128());
#else
                for (int k = 0; k < 16; ++k)
                    bits |= uint(in[x + k] >> 7) << k;
                if (bits == 0)
                    continue;
                std::memset(in + x, 0, 16);
#endif
                rowInk = true;
                inkLeft = std::min(inkLeft, x + std::countr_zero(bits));
                inkRight = std::max(inkRight, x + 31 - std::countl_zero(bits));
                for (int k = 0; k < blocksPerChunk; ++k)
                    out[x / factor + k] =
                        uchar(out[x / factor + k] + BitsSet[(bits >> (k * factor)) & blockMask]);
            }
            if (rowInk) {
                if (inkTop < 0)
                    inkTop = top + y;
                inkBottom = top + y;
            }
        }
    }
    const QRect ink =
        inkTop < 0 ? QRect() : QRect(QPoint(inkLeft, inkTop), QPoint(inkRight, inkBottom));
    // Ink on the canvas's edge may have gone past it: such a glyph is taken whole instead.
    counted.usable =
        ink.isEmpty() || QRect(0, 0, width, height).adjusted(1, 1, -1, -1).contains(ink);
    counted.ink = ink.translated(corner);
    if (ink.isEmpty())
        counted.counts = QImage();
    return counted;
}

DisplayFontCache::Glyph DisplayFontCache::renderGlyph(QChar c, int pixelSize, int frac64)
{
    const SizeMetrics &m = pixelMetrics(pixelSize);
    const QRawFont &raw = rawFont(pixelSize);
    QGlyphRun run;
    if (raw.isValid()) {
        run.setRawFont(raw);
        run.setGlyphIndexes(raw.glyphIndexesForString(QString(c)));
        run.setPositions({QPointF(0, 0)});
    }
    const int advance = int(m.advance64[size_t(plainIndex(c))] >> 6) + 1;
    // Canvases to try, as (top-left, size) around the pen on the baseline: first the glyph's
    // own bounds with a little room, then the margin the text's own box has, and should the
    // ink touch the canvas's edge, far more.
    std::vector<QRect> canvases;
    bool tight = false;
    if (raw.isValid() && !run.glyphIndexes().isEmpty()) {
        const QRectF bounds =
            raw.boundingRect(run.glyphIndexes().constFirst()).translated(frac64 / 64.0, 0);
        tight = bounds.isValid();
        if (tight)
            canvases.push_back(roomAround(bounds));
    }
    for (const int pad : {m.height / 4 + 2, m.height + 2})
        canvases.push_back(QRect(-pad, -pad - m.ascent, advance + 2 * pad, m.height + 2 * pad));
    Glyph g;
    for (size_t i = 0; i < canvases.size(); ++i) {
        QImage canvas(canvases[i].size(), QImage::Format_Alpha8);
        canvas.fill(0);
        const QPoint pen = -canvases[i].topLeft();
        {
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setPen(QColor(255, 255, 255));
            const QPointF at(pen.x() + frac64 / 64.0, pen.y());
            if (raw.isValid()) {
                painter.drawGlyphRun(at, run);
            } else {
                painter.setFont(displayFontAtPixels(pixelSize));
                painter.drawText(at, QString(c));
            }
        }
        const QRect ink = inkRect(canvas);
        const bool last = i + 1 == canvases.size();
        if (ink.isEmpty()) { // a blank; bounds that missed the ink look again
            if (i == 0 && tight)
                continue;
            break;
        }
        if (ink != ink.intersected(canvas.rect().adjusted(1, 1, -1, -1)) && !last)
            continue;
        g.coverage = canvas.copy(ink);
        g.offset = ink.topLeft() - pen;
        break;
    }
    return g;
}
