#include "presentation/displaytext.h"
#include "presentation/displaypixels.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

const QString &fontFamily()
{
    // fontconfig maps "Arial" to Liberation Sans; should a system lack that alias, Qt's own
    // substitution table does the same.
    static const QString family = [] {
        const QString arial = QStringLiteral("Arial");
        if (!QFontDatabase::hasFamily(arial) &&
            QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
            QFont::insertSubstitution(arial, QStringLiteral("Liberation Sans"));
        return arial;
    }();
    return family;
}

// Rows of the supersampled band: about a megabyte of coverage at a time.
constexpr qsizetype BandBytes = 1 << 20;

// Coverage of a 4 x 4 block with n of its 16 subpixels set.
constexpr std::array<uchar, 17> Coverage16 = [] {
    std::array<uchar, 17> table{};
    for (uint n = 0; n <= 16; ++n)
        table[n] = uchar((n * 255 + 8) / 16);
    return table;
}();

// Averages four rows of the supersampled band (subpixels set or clear) into one row of
// coverage and clears what it has read: the band is all clear again afterwards, and only
// where there was ink is it written. Stretches without ink and stretches of solid ink are
// taken four pixels at a time, the rest two at a time.
void averageRow4(uchar *top, qsizetype bytesPerLine, int width, uchar *out)
{
    static_assert(std::endian::native == std::endian::little);
    constexpr quint64 Ones = 0x0101010101010101ull;
    auto twoPixels = [&](int x) {
        uchar *at = top + x * 4;
        quint64 rows[4];
        for (int row = 0; row < 4; ++row)
            std::memcpy(&rows[row], at + row * bytesPerLine, sizeof(quint64));
        if ((rows[0] | rows[1] | rows[2] | rows[3]) == 0) {
            out[x] = out[x + 1] = 0;
            return;
        }
        // 1 for every subpixel that is set.
        quint64 counts = ((rows[0] >> 7) & Ones) + ((rows[1] >> 7) & Ones) +
                         ((rows[2] >> 7) & Ones) + ((rows[3] >> 7) & Ones);
        counts += counts >> 8;
        counts += counts >> 16; // byte 0 and byte 4 now hold the counts of the two blocks
        out[x] = Coverage16[counts & 0xFF];
        out[x + 1] = Coverage16[(counts >> 32) & 0xFF];
        for (int row = 0; row < 4; ++row)
            std::memset(at + row * bytesPerLine, 0, sizeof(quint64));
    };
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi8(char(0xFF));
    for (; x + 4 <= width; x += 4) {
        uchar *at = top + x * 4;
        auto *r0 = reinterpret_cast<__m128i *>(at);
        auto *r1 = reinterpret_cast<__m128i *>(at + bytesPerLine);
        auto *r2 = reinterpret_cast<__m128i *>(at + 2 * bytesPerLine);
        auto *r3 = reinterpret_cast<__m128i *>(at + 3 * bytesPerLine);
        const __m128i a = _mm_loadu_si128(r0);
        const __m128i b = _mm_loadu_si128(r1);
        const __m128i c = _mm_loadu_si128(r2);
        const __m128i d = _mm_loadu_si128(r3);
        const __m128i any = _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(any, zero)) == 0xFFFF) {
            std::memset(out + x, 0, 4);
            continue;
        }
        const __m128i all = _mm_and_si128(_mm_and_si128(a, b), _mm_and_si128(c, d));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(all, full)) == 0xFFFF) {
            std::memset(out + x, 255, 4);
            _mm_storeu_si128(r0, zero);
            _mm_storeu_si128(r1, zero);
            _mm_storeu_si128(r2, zero);
            _mm_storeu_si128(r3, zero);
            continue;
        }
        twoPixels(x);
        twoPixels(x + 2);
    }
#endif
    for (; x + 2 <= width; x += 2)
        twoPixels(x);
    for (; x < width; ++x) {
        uint n = 0;
        for (int row = 0; row < 4; ++row) {
            uchar *at = top + row * bytesPerLine + x * 4;
            for (int k = 0; k < 4; ++k)
                n += at[k] >> 7;
            std::memset(at, 0, 4);
        }
        out[x] = Coverage16[n];
    }
}

} // namespace

int displayPixelSize(int pointSize)
{
    // MulDiv(size, 96, 72): rounded to the nearest pixel.
    return std::max(1, (pointSize * 96 + 36) / 72);
}

QFont displayFont(int pointSize)
{
    return displayFontAtPixels(displayPixelSize(pointSize));
}

QFont displayFontAtPixels(int pixelSize)
{
    QFont font(fontFamily());
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QSize textExtent(const QString &text, int pointSize)
{
    const QFontMetrics metrics(displayFont(pointSize));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

namespace {

template <typename Extent> int fitSize(int maxW, int maxH, Extent textExtentAt)
{
    constexpr int Smallest = 3;
    constexpr int Largest = 1 << 15;
    auto reaches = [&](int size) {
        const QSize extent = textExtentAt(size);
        return extent.width() >= maxW || extent.height() >= maxH;
    };
    if (reaches(Smallest))
        return Smallest;
    // Invariant: reaches(low) is false, reaches(high) is true.
    int low = Smallest;
    int high = Smallest * 2;
    while (!reaches(high)) {
        low = high;
        if (high >= Largest)
            return Largest;
        high = std::min(high * 2, Largest);
    }
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (reaches(middle) ? high : low) = middle;
    }
    return high;
}

} // namespace

int FitFontSize(const QString &text, int maxW, int maxH)
{
    return fitSize(maxW, maxH, [&](int size) { return textExtent(text, size); });
}

QSize TextRasterizer::extent(const QString &text, int pointSize)
{
    if (m_useCache && DisplayFontCache::isPlain(text))
        return m_cache.plainExtent(text, pointSize);
    return textExtent(text, pointSize);
}

int TextRasterizer::fitFontSize(const QString &text, int maxW, int maxH)
{
    return fitSize(maxW, maxH, [&](int size) { return extent(text, size); });
}

void TextRasterizer::drawText(QImage &bitmap, const QString &text, int pointSize, QPoint topLeft,
                              QRgb colour, int smoothing)
{
    if (text.isEmpty() || qAlpha(colour) == 0 || bitmap.isNull())
        return;
    const int factor = 1 << std::clamp(smoothing, 0, 3);
    if (m_useCache && DisplayFontCache::isPlain(text)) {
        if (factor == 1) {
            drawPlain(bitmap, text, pointSize, topLeft, colour);
            return;
        }
        if (drawSmoothedPlain(bitmap, text, pointSize, topLeft, colour, factor))
            return;
    }
    const QFont font = displayFont(pointSize);
    const QFontMetrics metrics(font);
    // The text's box, widened a little for ink that reaches past the advance (bold overhang).
    const int margin = metrics.height() / 4 + 1;
    const QRect box(topLeft.x() - margin, topLeft.y() - margin,
                    metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + 2 * margin);
    const QRect area = box.intersected(bitmap.rect());
    if (area.isEmpty())
        return;

    QFont bigFont = font;
    bigFont.setPixelSize(font.pixelSize() * factor);
    const int bigAscent = QFontMetrics(bigFont).ascent();

    const int superWidth = area.width() * factor;
    const int bandRows =
        int(std::clamp<qsizetype>(BandBytes / (qsizetype(superWidth) * factor), 1, area.height()));
    const int bandSuperRows = bandRows * factor;
    // The band is kept clear between uses: whoever reads it clears it again.
    if (m_super.width() < superWidth || m_super.height() < bandSuperRows) {
        m_super = QImage(std::max(m_super.width(), superWidth),
                         std::max(m_super.height(), bandSuperRows), QImage::Format_Alpha8);
        m_super.fill(0);
    }
    m_coverage.resize(size_t(area.width()) * size_t(bandRows));
    m_sums.resize(size_t(superWidth));

    for (int row = area.top(); row <= area.bottom(); row += bandRows) {
        const int rows = std::min(bandRows, area.bottom() + 1 - row);
        const int superRows = rows * factor;
        {
            QPainter painter(&m_super);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setClipRect(0, 0, superWidth, superRows);
            painter.setFont(bigFont);
            painter.setPen(QColor(255, 255, 255));
            painter.drawText((topLeft.x() - area.left()) * factor,
                             (topLeft.y() - row) * factor + bigAscent, text);
        }
        if (factor == 1) { // the band itself is the coverage
            blendBand(bitmap, QPoint(area.left(), row), rows, area.width(), colour,
                      m_super.constBits(), m_super.bytesPerLine());
            for (int y = 0; y < superRows; ++y)
                std::memset(m_super.scanLine(y), 0, size_t(superWidth));
        } else {
            averageBand(rows, area.width(), factor);
            blendBand(bitmap, QPoint(area.left(), row), rows, area.width(), colour,
                      m_coverage.data(), area.width());
        }
    }
}

void TextRasterizer::drawPlain(QImage &bitmap, const QString &text, int pointSize, QPoint topLeft,
                               QRgb colour)
{
    // The same box as the text rasterised at once, and only what lies in it.
    const DisplayFontCache::SizeMetrics &metrics = m_cache.metrics(pointSize);
    const QSize extent = m_cache.plainExtent(text, pointSize);
    const int margin = metrics.height / 4 + 1;
    const QRect area = QRect(topLeft.x() - margin, topLeft.y() - margin,
                             extent.width() + 2 * margin, extent.height() + 2 * margin)
                           .intersected(bitmap.rect());
    if (area.isEmpty())
        return;

    // Each glyph at its pen position: the integer part places the raster, the fraction
    // chooses it.
    m_cache.trim();
    m_placed.clear();
    const int baseline = topLeft.y() + metrics.ascent;
    qint64 pen64 = 0;
    for (QChar c : text) {
        const DisplayFontCache::Glyph &glyph = m_cache.glyph(c, pointSize, int(pen64 & 63));
        const int penX = topLeft.x() + int(pen64 >> 6);
        pen64 += metrics.advance64[size_t(DisplayFontCache::plainIndex(c))];
        if (glyph.coverage.isNull())
            continue;
        const QPoint origin = QPoint(penX, baseline) + glyph.offset;
        const QRect rect = QRect(origin, glyph.coverage.size()).intersected(area);
        if (!rect.isEmpty())
            m_placed.push_back({&glyph, rect, origin});
    }
    if (m_placed.empty())
        return;

    // Glyphs whose ink does not meet are blended one by one; where ink meets, the coverage
    // of the text is put together first so that no pixel is blended twice.
    bool overlap = false;
    QRect united;
    for (size_t i = 0; i < m_placed.size(); ++i) {
        for (size_t j = 0; j < i && !overlap; ++j)
            overlap = m_placed[i].rect.intersects(m_placed[j].rect);
        united |= m_placed[i].rect;
    }
    if (!overlap) {
        for (const Placed &p : m_placed) {
            const QImage &raster = p.glyph->coverage;
            const QPoint from = p.rect.topLeft() - p.origin;
            blendBand(bitmap, p.rect.topLeft(), p.rect.height(), p.rect.width(), colour,
                      raster.constScanLine(from.y()) + from.x(), raster.bytesPerLine());
        }
        return;
    }
    m_coverage.assign(size_t(united.width()) * size_t(united.height()), 0);
    for (const Placed &p : m_placed) {
        const QImage &raster = p.glyph->coverage;
        const QPoint from = p.rect.topLeft() - p.origin;
        for (int y = 0; y < p.rect.height(); ++y) {
            const uchar *in = raster.constScanLine(from.y() + y) + from.x();
            uchar *out = m_coverage.data() +
                         size_t(p.rect.top() - united.top() + y) * size_t(united.width()) +
                         size_t(p.rect.left() - united.left());
            for (int x = 0; x < p.rect.width(); ++x)
                out[x] |= in[x];
        }
    }
    blendBand(bitmap, united.topLeft(), united.height(), united.width(), colour, m_coverage.data(),
              united.width());
}

bool TextRasterizer::drawSmoothedPlain(QImage &bitmap, const QString &text, int pointSize,
                                       QPoint topLeft, QRgb colour, int factor)
{
    // The same box as the text rasterised at once, and only what lies in it.
    const DisplayFontCache::SizeMetrics &metrics = m_cache.metrics(pointSize);
    const QSize extent = m_cache.plainExtent(text, pointSize);
    const int margin = metrics.height / 4 + 1;
    const QRect area = QRect(topLeft.x() - margin, topLeft.y() - margin,
                             extent.width() + 2 * margin, extent.height() + 2 * margin)
                           .intersected(bitmap.rect());
    if (area.isEmpty())
        return true;

    // Each glyph at its pen position at the super size, as the text rasterised at once has
    // it; its ink counted down in blocks of the pen's phase.
    auto floorDiv = [factor](qint64 v) {
        return int(v >= 0 ? v / factor : -((-v + factor - 1) / factor));
    };
    const int superSize = metrics.pixelSize * factor;
    const DisplayFontCache::SizeMetrics &big = m_cache.pixelMetrics(superSize);
    const qint64 baseline = qint64(topLeft.y()) * factor + big.ascent;
    const QPoint penPhaseY(0, int(baseline - qint64(floorDiv(baseline)) * factor));
    m_cache.trim();
    m_counted.clear();
    qint64 pen64 = qint64(topLeft.x()) * factor * 64;
    for (QChar c : text) {
        const qint64 penX = pen64 >> 6;
        const int frac = int(pen64 & 63);
        pen64 += big.advance64[size_t(DisplayFontCache::plainIndex(c))];
        const int blockX = floorDiv(penX);
        const QPoint phase(int(penX - qint64(blockX) * factor), penPhaseY.y());
        const DisplayFontCache::CountedGlyph &glyph =
            m_cache.countedGlyph(c, superSize, frac, factor, phase);
        if (!glyph.usable)
            return false;
        if (glyph.counts.isNull())
            continue;
        const QPoint at = QPoint(blockX, floorDiv(baseline)) + glyph.blockOffset;
        // Where the inks of two glyphs could meet, their subpixels cannot simply be added.
        const QRect ink = glyph.ink.translated(int(penX - qint64(topLeft.x()) * factor),
                                               int(baseline - qint64(topLeft.y()) * factor));
        for (const Counted &other : m_counted)
            if (other.ink.intersects(ink))
                return false;
        m_counted.push_back({&glyph, QRect(at, glyph.counts.size()), ink});
    }
    QRect united;
    for (const Counted &g : m_counted)
        united |= g.rect;
    united &= area;
    if (united.isEmpty())
        return true;

    m_coverage.assign(size_t(united.width()) * size_t(united.height()), 0);
    for (const Counted &g : m_counted) {
        const QRect part = g.rect.intersected(united);
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const uchar *in =
                g.glyph->counts.constScanLine(y - g.rect.top()) + (part.left() - g.rect.left());
            uchar *out = m_coverage.data() + size_t(y - united.top()) * size_t(united.width()) +
                         size_t(part.left() - united.left());
            for (int x = 0; x < part.width(); ++x)
                out[x] = uchar(out[x] + in[x]);
        }
    }
    // Subpixel counts to coverage, as the average of the block's subpixels.
    const uint cells = uint(factor * factor);
    std::array<uchar, 65> toCoverage{};
    for (uint n = 0; n <= cells; ++n)
        toCoverage[n] = uchar((n * 255 + cells / 2) / cells);
    const quint64 fullCount = 0x0101010101010101ull * cells;
    uchar *p = m_coverage.data();
    uchar *const end = p + m_coverage.size();
    for (; p + 8 <= end; p += 8) {
        quint64 word;
        std::memcpy(&word, p, sizeof word);
        if (word == 0)
            continue;
        if (word == fullCount) {
            std::memset(p, 255, 8);
            continue;
        }
        for (int k = 0; k < 8; ++k)
            p[k] = toCoverage[p[k]];
    }
    for (; p < end; ++p)
        *p = toCoverage[*p];
    blendBand(bitmap, united.topLeft(), united.height(), united.width(), colour, m_coverage.data(),
              united.width());
    return true;
}

void TextRasterizer::averageBand(int rows, int width, int factor)
{
    for (int y = 0; y < rows; ++y) {
        uchar *out = m_coverage.data() + size_t(y) * size_t(width);
        if (factor == 4) {
            averageRow4(m_super.scanLine(y * 4), m_super.bytesPerLine(), width, out);
        } else {
            const int superWidth = width * factor;
            quint16 *sums = m_sums.data();
            std::memset(sums, 0, size_t(superWidth) * sizeof(quint16));
            for (int k = 0; k < factor; ++k) {
                uchar *in = m_super.scanLine(y * factor + k);
                for (int x = 0; x < superWidth; ++x)
                    sums[x] = quint16(sums[x] + in[x]);
                std::memset(in, 0, size_t(superWidth));
            }
            const uint cells = uint(factor * factor);
            for (int x = 0; x < width; ++x) {
                uint sum = 0;
                for (int k = 0; k < factor; ++k)
                    sum += sums[x * factor + k];
                out[x] = uchar((sum + cells / 2) / cells);
            }
        }
    }
}

void TextRasterizer::blendBand(QImage &bitmap, QPoint origin, int rows, int width, QRgb colour,
                               const uchar *coverage, qsizetype coverageStride)
{
    blendCoverage(bitmap, origin, rows, width, colour, coverage, coverageStride);
}
