// Window images drawn at a whole factor: a row of the image is widened once and put down factor
// times, which writes each screen pixel once and reads nothing back.
#include "host/qt/zoomed_image.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// One row, each pixel factor times.
template <int factor>
void widenrow(const uint32_t* from, int width, uint32_t* to) {
    for (int x = 0; x < width; ++x, to += factor)
        for (int k = 0; k < factor; ++k) to[k] = from[x];
}

#if defined(__SSE2__)
// The commonest factor, four pixels at a time.
template <>
void widenrow<2>(const uint32_t* from, int width, uint32_t* to) {
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * x), _mm_unpacklo_epi32(four, four));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 2 * x + 4), _mm_unpackhi_epi32(four, four));
    }
    for (; x < width; ++x) to[2 * x] = to[2 * x + 1] = from[x];
}

// Factors 3 and 4 the same way: four pixels become three or four stores.
template <>
void widenrow<3>(const uint32_t* from, int width, uint32_t* to) {
    int x = 0;
    for (; x + 4 <= width; x += 4, to += 12) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi32(four, _MM_SHUFFLE(1, 0, 0, 0)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4), _mm_shuffle_epi32(four, _MM_SHUFFLE(2, 2, 1, 1)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 8), _mm_shuffle_epi32(four, _MM_SHUFFLE(3, 3, 3, 2)));
    }
    for (; x < width; ++x, to += 3) to[0] = to[1] = to[2] = from[x];
}

template <>
void widenrow<4>(const uint32_t* from, int width, uint32_t* to) {
    for (int x = 0; x < width; ++x, to += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_set1_epi32(static_cast<int>(from[x])));
}

// Rows go past the cache: this process never reads them again, the display server does, and a
// cached store would first fetch every line it fills.
void putrow(const uint32_t* from, int count, uint32_t* to) {
    int i = 0;
    for (; i < count && (reinterpret_cast<uintptr_t>(to + i) & 15) != 0; ++i) to[i] = from[i];
    for (; i + 4 <= count; i += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
    for (; i < count; ++i) to[i] = from[i];
}
void rowsput() { _mm_sfence(); }  // the streamed rows are in memory before anybody is told to read them
#else
void putrow(const uint32_t* from, int count, uint32_t* to) { std::memcpy(to, from, static_cast<size_t>(count) * 4); }
void rowsput() {}
#endif

void widenrow(const uint32_t* from, int width, int factor, uint32_t* to) {
    switch (factor) {
        case 2: widenrow<2>(from, width, to); return;
        case 3: widenrow<3>(from, width, to); return;
        case 4: widenrow<4>(from, width, to); return;
        default:
            for (int x = 0; x < width; ++x, to += factor) std::fill(to, to + factor, from[x]);
    }
}

// The image factor times as large into rows of 32-bit pixels from `to`, stride bytes apart.
void scaleinto(const QImage& image, int factor, uchar* to, qsizetype stride) {
    thread_local std::vector<uint32_t> row;  // one widened row, kept for the next picture
    const int width = image.width() * factor;
    if (row.size() < static_cast<size_t>(width)) row.resize(static_cast<size_t>(width));
    for (int y = 0; y < image.height(); ++y) {
        widenrow(reinterpret_cast<const uint32_t*>(image.constScanLine(y)), image.width(), factor, row.data());
        for (int k = 0; k < factor; ++k) {
            uchar* line = to + (static_cast<qsizetype>(y) * factor + k) * stride;
            putrow(row.data(), width, reinterpret_cast<uint32_t*>(line));
        }
    }
    rowsput();
}

// A widget paints into its window's backing store, an image under the raster engine. A picture
// at a whole factor of 2 or more is written there directly: three times faster than QPainter's
// scaling, which steps through every target pixel. Anything else (another engine or device, a
// transform that is no whole scale, a picture reaching outside what is being painted) is left to
// QPainter.
bool drawdirectly(QPainter& painter, const QRect& target, const QImage& image) {
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster || image.format() != QImage::Format_RGB32)
        return false;
    QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) return false;
    auto* buffer = static_cast<QImage*>(device);
    if (buffer->format() != QImage::Format_RGB32 && buffer->format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxScale) return false;
    const QRectF mapped = transform.mapRect(QRectF(target));
    const QRect placed = mapped.toRect();
    if (QRectF(placed) != mapped) return false;  // not on whole device pixels
    const int factor = wholefactor(placed.size(), image.size());
    if (factor < 2 || !buffer->rect().contains(placed)) return false;
    const QRegion clip = engine->systemClip();
    if (!clip.isEmpty() && !clip.boundingRect().contains(placed)) return false;
    // constBits: written where the engine paints; the backing store's image is never detached.
    const qsizetype stride = buffer->bytesPerLine();
    uchar* first = const_cast<uchar*>(buffer->constBits()) + placed.y() * stride + placed.x() * 4;
    scaleinto(image, factor, first, stride);
    return true;
}

}  // namespace

int wholefactor(QSize view, QSize image) {
    if (image.isEmpty() || view.width() % image.width() != 0) return 0;
    const int factor = view.width() / image.width();
    return factor > 0 && view.height() == factor * image.height() ? factor : 0;
}

void drawzoomed(QPainter& painter, const QRect& target, const QImage& image, const QRect& exposed) {
    const int factor = wholefactor(target.size(), image.size());
    if (factor == 0 || image.format() != QImage::Format_RGB32) {
        painter.drawImage(target, image);  // QPainter scales and clips it
        return;
    }
    // The image pixels under `exposed`, whole blocks of them, drawn from the image in place.
    const QRect inview = exposed.intersected(target).translated(-target.topLeft());
    const QRect source = QRect(QPoint(inview.left() / factor, inview.top() / factor),
                               QPoint(inview.right() / factor, inview.bottom() / factor))
                             .intersected(image.rect());
    if (source.isEmpty()) return;
    const QImage part(image.constScanLine(source.top()) + source.left() * 4, source.width(), source.height(),
                      image.bytesPerLine(), QImage::Format_RGB32);
    const QRect placed(target.topLeft() + source.topLeft() * factor, source.size() * factor);
    if (!drawdirectly(painter, placed, part)) painter.drawImage(placed, part);
}

QImage zoomedimage(const QImage& image, int factor) {
    if (factor <= 1) return image;
    QImage zoomed(image.width() * factor, image.height() * factor, QImage::Format_RGB32);
    if (zoomed.isNull()) return image;  // no memory for it: the picture as it is
    scaleinto(image.convertToFormat(QImage::Format_RGB32), factor, zoomed.bits(), zoomed.bytesPerLine());
    return zoomed;
}
