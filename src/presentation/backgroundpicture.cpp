#include "presentation/backgroundpicture.h"

#include "platform/boundedread.h"
#include "presentation/displaypixels.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtNumeric>

#include <algorithm>
#include <cmath>
#include <immintrin.h>
#include <limits>

namespace {

// The picture's pixel over opaque black.
inline QRgb overBlack(QRgb pixel)
{
    const uint a = qAlpha(pixel);
    if (a == 255)
        return pixel;
    if (a == 0)
        return 0xFF000000u;
    auto scale = [a](uint c) { return (c * a + 127) / 255; };
    return qRgba(int(scale(uint(qRed(pixel)))), int(scale(uint(qGreen(pixel)))),
                 int(scale(uint(qBlue(pixel)))), 255);
}

// Clips x to the range where start + x * step lies in [low, high).
void clipSpan(double start, double step, double low, double high, double &from, double &to)
{
    if (step == 0.0) {
        if (start < low || start >= high)
            to = from - 1;
        return;
    }
    double a = (low - start) / step;
    double b = (high - start) / step;
    if (a > b)
        std::swap(a, b);
    from = std::max(from, a);
    to = std::min(to, b);
}

constexpr double FixedOne = 4294967296.0; // 2^32

// Decoders hand over up to 8 bytes a pixel (16 bits a channel) before the conversion to ARGB.
constexpr qint64 MaxBytesPerDecodedPixel = 8;
// The largest file a picture of a given size can come in: uncompressed 16 bits a channel with
// row padding, and room for metadata (Exif, colour profiles, thumbnails).
constexpr qint64 MaxFileBytesPerPixel = 9;
constexpr qint64 MaxFileOverhead = qint64(16) << 20;
static_assert(MaxPictureFileBytes == MaxPicturePixels * MaxFileBytesPerPixel + MaxFileOverhead);

// The pixels from..to of a line sample the picture from (fu, fv) on, in 32.32 fixed point,
// stepping by (stepU, stepV); every sample lies inside the picture.
void sampleRun(QRgb *line, int from, int to, const QRgb *pixels, qsizetype stride, qint64 fu,
               qint64 fv, qint64 stepU, qint64 stepV)
{
    for (int x = from; x <= to; ++x, fu += stepU, fv += stepV)
        line[x] = pixels[(fv >> 32) * stride + (fu >> 32)];
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TIVREL_GATHER_RUNS 1
// The whole parts (upper 32 bits) of the 64-bit lanes of low and high, in eight 32-bit lanes.
__attribute__((target("avx2"))) inline __m256i wholeParts(__m256i low, __m256i high,
                                                          __m256i highHalves)
{
    const __m128i a = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(low, highHalves));
    const __m128i b = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(high, highHalves));
    return _mm256_inserti128_si256(_mm256_castsi128_si256(a), b, 1);
}

// The same run eight pixels at a time with the processor's gather. The coordinates are stepped
// in the same 64-bit fixed point, so each pixel samples exactly what the loop above samples;
// only their whole parts go into 32-bit lanes (the caller makes sure every index fits).
__attribute__((target("avx2"))) void sampleRunGathered(QRgb *line, int from, int to,
                                                       const QRgb *pixels, qsizetype stride,
                                                       qint64 fu, qint64 fv, qint64 stepU,
                                                       qint64 stepV)
{
    int x = from;
    if (to - from + 1 >= 16) {
        // u and v of pixels x..x+3 and x+4..x+7, 64 bits a lane.
        __m256i u0 = _mm256_set_epi64x(fu + 3 * stepU, fu + 2 * stepU, fu + stepU, fu);
        __m256i v0 = _mm256_set_epi64x(fv + 3 * stepV, fv + 2 * stepV, fv + stepV, fv);
        __m256i u4 = _mm256_add_epi64(u0, _mm256_set1_epi64x(4 * stepU));
        __m256i v4 = _mm256_add_epi64(v0, _mm256_set1_epi64x(4 * stepV));
        const __m256i stepU8 = _mm256_set1_epi64x(8 * stepU);
        const __m256i stepV8 = _mm256_set1_epi64x(8 * stepV);
        const __m256i rowLength = _mm256_set1_epi32(int(stride));
        const __m256i highHalves = _mm256_setr_epi32(1, 3, 5, 7, 1, 3, 5, 7);
        for (; x + 7 <= to; x += 8) {
            const __m256i index =
                _mm256_add_epi32(_mm256_mullo_epi32(wholeParts(v0, v4, highHalves), rowLength),
                                 wholeParts(u0, u4, highHalves));
            const __m256i sampled =
                _mm256_i32gather_epi32(reinterpret_cast<const int *>(pixels), index, 4);
            _mm256_storeu_si256(reinterpret_cast<__m256i *>(line + x), sampled);
            u0 = _mm256_add_epi64(u0, stepU8);
            u4 = _mm256_add_epi64(u4, stepU8);
            v0 = _mm256_add_epi64(v0, stepV8);
            v4 = _mm256_add_epi64(v4, stepV8);
        }
        fu += qint64(x - from) * stepU;
        fv += qint64(x - from) * stepV;
    }
    sampleRun(line, x, to, pixels, stride, fu, fv, stepU, stepV);
}

bool canGather()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif

} // namespace

double backgroundPictureScale(int w, int h, int width, int height, double angle)
{
    const double theta = angle * M_PI / 180.0;
    const double c = std::fabs(std::cos(theta));
    const double s = std::fabs(std::sin(theta));
    const double bw = c * (w - 1) + s * (h - 1);
    const double bh = s * (w - 1) + c * (h - 1);
    // A side without extent puts no bound on the scale.
    double scale = std::numeric_limits<double>::infinity();
    if (bw > 0)
        scale = std::min(scale, width / bw);
    if (bh > 0)
        scale = std::min(scale, height / bh);
    if (!std::isfinite(scale))
        scale = std::min(width, height); // a single pixel
    return scale;
}

namespace {
template <bool Opaque> void paintPicture(QImage &bitmap, const QImage &picture, double angle);
} // namespace

QImage pictureOverBlack(const QImage &picture)
{
    if (picture.isNull())
        return {};
    Q_ASSERT(picture.format() == QImage::Format_ARGB32);
    QImage opaque(picture.size(), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(opaque.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            out[x] = overBlack(in[x]);
    }
    return opaque;
}

void PaintBackgroundPicture(QImage &bitmap, const QImage &picture, double angle)
{
    paintPicture<false>(bitmap, picture, angle);
}

void PaintPictureOverBlack(QImage &bitmap, const QImage &opaquePicture, double angle)
{
    paintPicture<true>(bitmap, opaquePicture, angle);
}

namespace {

template <bool Opaque> void paintPicture(QImage &bitmap, const QImage &picture, double angle)
{
    const int width = bitmap.width();
    const int height = bitmap.height();
    const int w = picture.width();
    const int h = picture.height();
    if (picture.isNull() || w == 0 || h == 0 || width == 0 || height == 0) {
        fillBitmap(bitmap, 0xFF000000u);
        return;
    }
    Q_ASSERT(picture.format() == QImage::Format_ARGB32);
    const double scale = backgroundPictureScale(w, h, width, height, angle);
    const double theta = angle * M_PI / 180.0;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    // Bitmap pixel (x, y), sampled at its centre, shows the picture pixel nearest to
    //   u = ( c dx + s dy) / scale + (w - 1) / 2,  v = (-s dx + c dy) / scale + (h - 1) / 2
    // with dx = x + 1/2 - width / 2, dy = y + 1/2 - height / 2 (picture pixel i has its centre
    // at i); shifted by one half so that flooring rounds. Both ends of the picture then get
    // the same share of the bitmap.
    const double du = c / scale;
    const double dv = -s / scale;
    const double cu = (w - 1) / 2.0 + 0.5;
    const double cv = (h - 1) / 2.0 + 0.5;
    const qsizetype stride = picture.bytesPerLine() / 4;
    const auto *pixels = reinterpret_cast<const QRgb *>(picture.constBits());
#ifdef TIVREL_GATHER_RUNS
    // The gather takes 32-bit indices.
    const bool gather = canGather() && qint64(h) * stride <= std::numeric_limits<qint32>::max();
#endif

    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(bitmap.scanLine(y));
        const double dy = y + 0.5 - height / 2.0;
        const double dx0 = 0.5 - width / 2.0;
        const double u0 = (c * dx0 + s * dy) / scale + cu;
        const double v0 = (-s * dx0 + c * dy) / scale + cv;
        double from = 0;
        double to = width - 1;
        clipSpan(u0, du, 0, w, from, to);
        clipSpan(v0, dv, 0, h, from, to);
        from = std::min(from, double(width));
        to = std::max(to, -1.0);
        // One pixel of slack on each side; every pixel is checked below.
        const int first = std::clamp(int(std::floor(from)) - 1, 0, width);
        const int last = std::clamp(int(std::ceil(to)) + 1, first - 1, width - 1);
        fillPixels(line, first, 0xFF000000u);
        qint64 fu = std::llround((u0 + first * du) * FixedOne);
        qint64 fv = std::llround((v0 + first * dv) * FixedOne);
        const qint64 stepU = std::llround(du * FixedOne);
        const qint64 stepV = std::llround(dv * FixedOne);
        auto inside = [&](qint64 u, qint64 v) {
            return quint64(u >> 32) < quint64(w) && quint64(v >> 32) < quint64(h);
        };
        // Along the row u and v move linearly, so the pixels that hit the picture form one
        // run: the slack at either end is checked pixel by pixel, the run between is not.
        int x = first;
        for (; x <= last && !inside(fu, fv); ++x, fu += stepU, fv += stepV)
            line[x] = 0xFF000000u;
        int end = last;
        while (end >= x && !inside(fu + (end - x) * stepU, fv + (end - x) * stepV))
            line[end--] = 0xFF000000u;
        if (stepV == 0) { // an upright picture: one row of it for the whole line
            const QRgb *row = pixels + (fv >> 32) * stride;
            for (; x <= end; ++x, fu += stepU)
                line[x] = Opaque ? row[fu >> 32] : overBlack(row[fu >> 32]);
        } else if (Opaque) {
#ifdef TIVREL_GATHER_RUNS
            if (gather)
                sampleRunGathered(line, x, end, pixels, stride, fu, fv, stepU, stepV);
            else
#endif
                sampleRun(line, x, end, pixels, stride, fu, fv, stepU, stepV);
        } else {
            for (; x <= end; ++x, fu += stepU, fv += stepV)
                line[x] = overBlack(pixels[(fv >> 32) * stride + (fu >> 32)]);
        }
        fillPixels(line + last + 1, width - 1 - last, 0xFF000000u);
    }
}

} // namespace

void makeOuterRingTransparent(QImage &picture)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w == 0 || h == 0)
        return;
    auto clear = [&](int x, int y) {
        auto *p = reinterpret_cast<QRgb *>(picture.scanLine(y)) + x;
        *p &= 0x00FFFFFFu;
    };
    // A side of one or two pixels would lose all its pixels to the ring, leaving nothing to
    // see: the ring then runs only along the sides that keep an inside.
    if (h > 2) {
        for (int x = 0; x < w; ++x) {
            clear(x, 0);
            clear(x, h - 1);
        }
    }
    if (w > 2) {
        for (int y = 0; y < h; ++y) {
            clear(0, y);
            clear(w - 1, y);
        }
    }
}

bool jpegIsComplete(const QByteArray &data)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    const qsizetype n = data.size();
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return false;
    qsizetype i = 2;
    while (i + 1 < n) {
        if (p[i] != 0xFF)
            return false;
        const uchar marker = p[i + 1];
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD9)
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2;
            continue;
        }
        if (i + 3 >= n)
            return false;
        const qsizetype length = (qsizetype(p[i + 2]) << 8) | p[i + 3];
        if (length < 2)
            return false;
        i += 2 + length;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data: runs to the next marker that is neither a stuffed 0xFF00 nor a
        // restart marker.
        while (i + 1 < n) {
            if (p[i] == 0xFF && p[i + 1] != 0x00 && !(p[i + 1] >= 0xD0 && p[i + 1] <= 0xD7) &&
                p[i + 1] != 0xFF)
                break;
            ++i;
        }
    }
    return false;
}

bool bmpIsComplete(const QByteArray &data)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    const qsizetype n = data.size();
    if (n < 26 || p[0] != 'B' || p[1] != 'M')
        return false;
    auto u16 = [p](int at) { return quint32(p[at]) | (quint32(p[at + 1]) << 8); };
    auto u32 = [&](int at) { return u16(at) | (u16(at + 2) << 16); };
    const quint32 pixelsAt = u32(10);
    const quint32 headerSize = u32(14);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bits = 0;
    if (headerSize == 12) { // OS/2 core header
        width = u16(18);
        height = u16(20);
        bits = u16(24);
    } else if (headerSize >= 40 && n >= 34) {
        width = qint32(u32(18));
        height = qint32(u32(22));
        bits = u16(28);
        const quint32 compression = u32(30);
        if (compression != 0 && compression != 3) // run-length data has no fixed size
            return true;
    } else {
        return true; // left to the decoder
    }
    // Header values reach 2^31 each: the row size fits in 64 bits, the whole size may not.
    const qint64 stride = ((qAbs(width) * bits + 31) / 32) * 4;
    qint64 pixelBytes = 0;
    qint64 end = 0;
    if (qMulOverflow(stride, qAbs(height), &pixelBytes) ||
        qAddOverflow(qint64(pixelsAt), pixelBytes, &end))
        return false;
    return end <= n;
}

QImage decodeBackgroundPicture(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray format;
    if (suffix == u"jpg" || suffix == u"jpeg")
        format = "jpeg";
    else if (suffix == u"png")
        format = "png";
    else if (suffix == u"bmp")
        format = "bmp";
    else
        return {};

    // A plain file only: a pipe in the picture's place would hold the program.
    QFile file;
    if (openBounded(file, path, MaxPictureFileBytes) != ReadRefusal::None)
        return {};
    // Refuse what the header claims before the file is read or a single pixel decoded.
    QSize size;
    {
        QImageReader header(&file, format);
        header.setDecideFormatFromContent(false);
        size = header.size();
    }
    if (!size.isValid() || size.isEmpty() || size.width() > MaxPictureSide ||
        size.height() > MaxPictureSide || qint64(size.width()) * size.height() > MaxPicturePixels)
        return {};
    // No picture of that size needs a file larger than this: a small picture followed by a
    // gigabyte of anything is not read into memory.
    if (file.size() > qint64(size.width()) * size.height() * MaxFileBytesPerPixel + MaxFileOverhead)
        return {};
    file.seek(0);
    QByteArray data = file.readAll();
    file.close();
    if ((format == "jpeg" && !jpegIsComplete(data)) || (format == "bmp" && !bmpIsComplete(data)))
        return {};

    // Qt's own allocation limit (128 MB by default) is below what the pixel limit allows.
    constexpr int NeededMegabytes = int(MaxPicturePixels * MaxBytesPerDecodedPixel / (1 << 20)) + 1;
    if (QImageReader::allocationLimit() < NeededMegabytes)
        QImageReader::setAllocationLimit(NeededMegabytes);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    // A photo taken with the camera turned is shown the way it was taken.
    reader.setAutoTransform(true);
    QImage image;
    if (!reader.read(&image) || image.isNull() ||
        (image.size() != size && image.size() != size.transposed()))
        return {};
    image = std::move(image).convertToFormat(QImage::Format_ARGB32);
    makeOuterRingTransparent(image);
    return image;
}
