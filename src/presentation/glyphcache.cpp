#include "presentation/glyphcache.h"

#include "presentation/displaytext.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr std::array<char16_t, DisplayFontCache::PlainCount> PlainChars = {
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'-', u' '};

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

QRawFont DisplayFontCache::rawFont(int pixelSize)
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
    const QRawFont raw = rawFont(pixelSize);
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
        m_rasterBytes = 0;
    }
}

const DisplayFontCache::Glyph &DisplayFontCache::glyph(QChar c, int pointSize, int frac64)
{
    return pixelGlyph(c, displayPixelSize(pointSize), frac64);
}

const DisplayFontCache::Glyph &DisplayFontCache::pixelGlyph(QChar c, int pixelSize, int frac64)
{
    const quint64 key =
        (quint64(c.unicode()) << 48) | (quint64(quint32(pixelSize)) << 8) | quint64(frac64 & 63);
    const auto found = m_glyphs.find(key);
    if (found != m_glyphs.end())
        return found->second;
    const SizeMetrics &m = pixelMetrics(pixelSize);
    const QRawFont raw = rawFont(pixelSize);
    QGlyphRun run;
    if (raw.isValid()) {
        run.setRawFont(raw);
        run.setGlyphIndexes(raw.glyphIndexesForString(QString(c)));
        run.setPositions({QPointF(0, 0)});
    }
    const int advance = int(m.advance64[size_t(plainIndex(c))] >> 6) + 1;
    // Room for ink that reaches past the advance and the line: first the margin the text's
    // own box has, and should the ink touch the canvas's edge, far more.
    Glyph g;
    for (const int pad : {m.height / 4 + 2, m.height + 2}) {
        QImage canvas(advance + 2 * pad, m.height + 2 * pad, QImage::Format_Alpha8);
        canvas.fill(0);
        const QPoint pen(pad, pad + m.ascent);
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
        if (ink.isEmpty())
            break;
        if (ink != ink.intersected(canvas.rect().adjusted(1, 1, -1, -1)) && pad < m.height + 2)
            continue;
        g.coverage = canvas.copy(ink);
        g.offset = ink.topLeft() - pen;
        m_rasterBytes += g.coverage.sizeInBytes();
        break;
    }
    return m_glyphs.emplace(key, std::move(g)).first->second;
}
