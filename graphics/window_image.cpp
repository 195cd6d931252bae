#include "graphics/window_image.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "core/clock.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "graphics/plot.h"
#include "host/host.h"

namespace {

constexpr uint32_t opaque = 0xFF000000u;

// A view paints many times a second: a window shown before it was created says so once while it
// stays shown, not once per paint. Guarded by the framework lock.
std::array<bool, windowcount> reportednotinitialized{};

uint32_t palettepixel(int index) {
    return opaque | uint32_t{palettered[index]} << 16 | uint32_t{palettegreen[index]} << 8 | paletteblue[index];
}

// Ready output pixels for every byte value: eight at depth 1, two at depth 4.
struct t_ImageTables {
    std::array<uint32_t, 256 * 8> Bits;
    std::array<uint32_t, 256 * 2> Nibbles;
    t_ImageTables() {
        for (int b = 0; b < 256; ++b) {
            for (int k = 0; k < 8; ++k) Bits[b * 8 + k] = palettepixel((b & (0x80 >> k)) != 0 ? 15 : 0);
            Nibbles[b * 2] = palettepixel(b >> 4);
            Nibbles[b * 2 + 1] = palettepixel(b & 15);
        }
    }
};

const t_ImageTables& imagetables() {
    static const t_ImageTables tables;
    return tables;
}

#if defined(__x86_64__)
// Vector forms for processors with AVX2 (chosen once at run time). Each converts the whole
// pixels it can and leaves the rest, and never reads past the last pixel's bytes.
#define WIDE __attribute__((target("avx2")))

WIDE size_t wide4(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const __m128i low = _mm_set1_epi8(0x0F), opaquebyte = _mm_set1_epi8(static_cast<char>(0xFF));
    alignas(16) uint8_t r[16], g[16], b[16];
    for (int i = 0; i < 16; ++i) r[i] = palettered[i], g[i] = palettegreen[i], b[i] = paletteblue[i];
    const __m128i reds = _mm_load_si128(reinterpret_cast<const __m128i*>(r));
    const __m128i greens = _mm_load_si128(reinterpret_cast<const __m128i*>(g));
    const __m128i blues = _mm_load_si128(reinterpret_cast<const __m128i*>(b));
    size_t done = 0;
    for (; done + 16 <= pixels; done += 16, src += 8, dst += 16) {
        const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src));
        // Even pixels in the high nibbles, odd ones in the low: interleaved they are in order.
        const __m128i index = _mm_unpacklo_epi8(_mm_and_si128(_mm_srli_epi16(bytes, 4), low), _mm_and_si128(bytes, low));
        const __m128i red = _mm_shuffle_epi8(reds, index), green = _mm_shuffle_epi8(greens, index);
        const __m128i blue = _mm_shuffle_epi8(blues, index);
        const __m128i bg0 = _mm_unpacklo_epi8(blue, green), bg1 = _mm_unpackhi_epi8(blue, green);
        const __m128i ra0 = _mm_unpacklo_epi8(red, opaquebyte), ra1 = _mm_unpackhi_epi8(red, opaquebyte);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_unpacklo_epi16(bg0, ra0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4), _mm_unpackhi_epi16(bg0, ra0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 8), _mm_unpacklo_epi16(bg1, ra1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 12), _mm_unpackhi_epi16(bg1, ra1));
    }
    return done;
}

// Eight grey pixels a step, one byte each (stride 1) or the second of two (stride 2).
WIDE size_t widegrey(const uint8_t* src, uint32_t* dst, size_t pixels, size_t stride) {
    const __m256i alpha = _mm256_set1_epi32(static_cast<int>(opaque));
    const __m256i spread1 = _mm256_setr_epi8(0, 0, 0, -1, 1, 1, 1, -1, 2, 2, 2, -1, 3, 3, 3, -1,
                                             4, 4, 4, -1, 5, 5, 5, -1, 6, 6, 6, -1, 7, 7, 7, -1);
    const __m256i spread2 = _mm256_setr_epi8(1, 1, 1, -1, 3, 3, 3, -1, 5, 5, 5, -1, 7, 7, 7, -1,
                                             9, 9, 9, -1, 11, 11, 11, -1, 13, 13, 13, -1, 15, 15, 15, -1);
    size_t done = 0;
    for (; done + 8 <= pixels; done += 8, dst += 8) {
        const __m128i bytes = stride == 1 ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + done))
                                          : _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * done));
        const __m256i both = _mm256_broadcastsi128_si256(bytes);
        const __m256i grey = _mm256_shuffle_epi8(both, stride == 1 ? spread1 : spread2);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm256_or_si256(grey, alpha));
    }
    return done;
}

WIDE size_t wide24(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const __m256i alpha = _mm256_set1_epi32(static_cast<int>(opaque));
    const __m256i order = _mm256_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1,
                                           2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
    size_t done = 0;
    // The upper load reads 4 bytes beyond the 8 pixels: stop while they still belong to the picture.
    for (; 3 * done + 28 <= 3 * pixels; done += 8, dst += 8) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * done));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * done + 12));
        const __m256i rgb = _mm256_inserti128_si256(_mm256_castsi128_si256(first), second, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm256_or_si256(_mm256_shuffle_epi8(rgb, order), alpha));
    }
    return done;
}

WIDE size_t wide32(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const __m256i alpha = _mm256_set1_epi32(static_cast<int>(opaque));
    const __m256i reverse = _mm256_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12,
                                             3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12);
    size_t done = 0;
    for (; done + 8 <= pixels; done += 8, dst += 8) {
        const __m256i argb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 4 * done));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm256_or_si256(_mm256_shuffle_epi8(argb, reverse), alpha));
    }
    return done;
}

bool haswide() {
    static const bool wide = __builtin_cpu_supports("avx2");
    return wide;
}
#else
size_t wide4(const uint8_t*, uint32_t*, size_t) { return 0; }
size_t widegrey(const uint8_t*, uint32_t*, size_t, size_t) { return 0; }
size_t wide24(const uint8_t*, uint32_t*, size_t) { return 0; }
size_t wide32(const uint8_t*, uint32_t*, size_t) { return 0; }
bool haswide() { return false; }
#endif

// Plain forms: whatever the vector forms left, or everything without them.
void convert1(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const uint32_t* bits = imagetables().Bits.data();
    for (size_t i = 0; i < pixels / 8; ++i) std::memcpy(dst + 8 * i, bits + 8 * src[i], 8 * sizeof(uint32_t));
}

void convert4(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const size_t done = haswide() ? wide4(src, dst, pixels) : 0;
    const uint32_t* nibbles = imagetables().Nibbles.data();
    for (size_t i = done / 2; i < pixels / 2; ++i) std::memcpy(dst + 2 * i, nibbles + 2 * src[i], 2 * sizeof(uint32_t));
}

void convertgrey(const uint8_t* src, uint32_t* dst, size_t pixels, size_t stride) {
    const size_t done = haswide() ? widegrey(src - (stride - 1), dst, pixels, stride) : 0;
    for (size_t i = done; i < pixels; ++i) dst[i] = opaque | src[i * stride] * 0x010101u;
}

void convert24(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const size_t done = haswide() ? wide24(src, dst, pixels) : 0;
    for (size_t i = done; i < pixels; ++i)
        dst[i] = opaque | uint32_t{src[3 * i]} << 16 | uint32_t{src[3 * i + 1]} << 8 | src[3 * i + 2];
}

void convert32(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const size_t done = haswide() ? wide32(src, dst, pixels) : 0;
    for (size_t i = done; i < pixels; ++i)
        dst[i] = opaque | uint32_t{src[4 * i + 1]} << 16 | uint32_t{src[4 * i + 2]} << 8 | src[4 * i + 3];
}

// pixels pixels of the window from byte offset `from` of its memory, in one run.
void convertrun(const t_Window& w, int64_t from, uint32_t* dst, size_t pixels) {
    const uint8_t* src = framework.videomemory.data() + w.MemoryStart + from;
    switch (w.BitDepth) {
        case 1: convert1(src, dst, pixels); break;
        case 4: convert4(src, dst, pixels); break;
        case 8: convertgrey(src, dst, pixels, 1); break;
        case 16: convertgrey(src + 1, dst, pixels, 2); break;
        case 24: convert24(src, dst, pixels); break;
        default: convert32(src, dst, pixels); break;
    }
}

// The part of the picture under `area`, widened to whole bytes of memory (depths 1 and 4 keep
// several pixels in a byte). Whole rows follow each other without padding in memory and in the
// image, so a band of whole rows converts as one run.
void convert(const t_Window& w, uint32_t* dst, const host::t_PixelArea& area) {
    const int64_t align = w.BitDepth == 1 ? 8 : w.BitDepth == 4 ? 2 : 1;
    const int64_t left = std::clamp<int64_t>(area.Left, 0, w.Width) / align * align;
    const int64_t right = std::min(w.Width, (std::clamp<int64_t>(area.Right, 0, w.Width) + align - 1) / align * align);
    const int64_t top = std::clamp<int64_t>(area.Top, 0, w.Height), bottom = std::clamp<int64_t>(area.Bottom, 0, w.Height);
    if (left >= right || top >= bottom) return;
    const int64_t rowbytes = graphicrowbytes(w.BitDepth, w.Width);
    if (left == 0 && right == w.Width) {
        convertrun(w, top * rowbytes, dst + top * w.Width, static_cast<size_t>((bottom - top) * w.Width));
        return;
    }
    for (int64_t y = top; y < bottom; ++y)
        convertrun(w, y * rowbytes + left * w.BitDepth / 8, dst + y * w.Width + left, static_cast<size_t>(right - left));
}

}  // namespace

bool t_WindowImage(uint8_t window, t_Image& image, const host::t_PixelArea* changed) {
    if (!framework.frameworkready || window >= windowcount) return false;
    FrameworkLock lock;
    t_Window& w = framework.windows[window];
    if (!w.Initialized) {
        if (!(w.Visible && reportednotinitialized[window]))
            reportfailure("t_WindowImage", "Graphic window #" + std::to_string(window) + " not initialized.");
        reportednotinitialized[window] = w.Visible;
        return false;
    }
    if (!w.Visible) return false;
    const int64_t started = steadymicroseconds();  // a duration: the wall clock may be set meanwhile
    // A depth without a layout cannot come from window creation; one line says so, not one per pixel.
    if (!supportedbitdepth(w.BitDepth)) {
        reportfailure("t_WindowImage", "Illegal bit depth.");
        return false;
    }
    if (!graphicmemoryvalid(w)) {
        reportfailure("t_WindowImage", "Data could not be collected, image could not be created.");
        return false;
    }
    const auto pixels = static_cast<size_t>(w.Width * w.Height);
    // Only an image of this window's size can take a part: anything else is made whole.
    if (changed == nullptr || image.Width != w.Width || image.Height != w.Height || image.Pixels.size() != pixels)
        changed = nullptr;
    image.Width = w.Width;
    image.Height = w.Height;
    image.Pixels.resize(pixels);  // keeps its capacity between frames
    convert(w, image.Pixels.data(), changed != nullptr ? *changed : host::t_PixelArea{0, 0, w.Width, w.Height});
    w.UpdateDuration = steadymicroseconds() - started;
    w.UpdateFinished = nowmilliseconds();
    return true;
}

std::optional<t_Image> t_WindowImageCopy(uint8_t window) {
    if (window >= windowcount || !host::windowexists(window)) return std::nullopt;
    t_Image image;
    if (!t_WindowImage(window, image)) return std::nullopt;
    return image;
}
