#include "graphics/window_image.h"

#include <array>
#include <cstring>
#include <string>

#include "core/clock.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "graphics/plot.h"
#include "host/host.h"

namespace {

constexpr uint32_t opaque = 0xFF000000u;

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

void convert1(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const uint32_t* bits = imagetables().Bits.data();
    for (size_t i = 0; i < pixels / 8; ++i) std::memcpy(dst + 8 * i, bits + 8 * src[i], 8 * sizeof(uint32_t));
}

void convert4(const uint8_t* src, uint32_t* dst, size_t pixels) {
    const uint32_t* nibbles = imagetables().Nibbles.data();
    for (size_t i = 0; i < pixels / 2; ++i) std::memcpy(dst + 2 * i, nibbles + 2 * src[i], 2 * sizeof(uint32_t));
}

void convertgrey(const uint8_t* src, uint32_t* dst, size_t pixels, size_t stride) {
    for (size_t i = 0; i < pixels; ++i) dst[i] = opaque | src[i * stride] * 0x010101u;
}

void convert24(const uint8_t* src, uint32_t* dst, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i)
        dst[i] = opaque | uint32_t{src[3 * i]} << 16 | uint32_t{src[3 * i + 1]} << 8 | src[3 * i + 2];
}

void convert32(const uint8_t* src, uint32_t* dst, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i)
        dst[i] = opaque | uint32_t{src[4 * i + 1]} << 16 | uint32_t{src[4 * i + 2]} << 8 | src[4 * i + 3];
}

// Whole rows follow each other without padding in memory and in the image, so each depth
// converts the picture as one run.
void convert(const t_Window& w, uint32_t* dst) {
    const uint8_t* src = framework.videomemory.data() + w.MemoryStart;
    const size_t pixels = static_cast<size_t>(w.Width * w.Height);
    switch (w.BitDepth) {
        case 1: convert1(src, dst, pixels); break;
        case 4: convert4(src, dst, pixels); break;
        case 8: convertgrey(src, dst, pixels, 1); break;
        case 16: convertgrey(src + 1, dst, pixels, 2); break;
        case 24: convert24(src, dst, pixels); break;
        default: convert32(src, dst, pixels); break;
    }
}

}  // namespace

bool t_WindowImage(uint8_t window, t_Image& image) {
    if (!framework.frameworkready || window >= windowcount) return false;
    FrameworkLock lock;
    t_Window& w = framework.windows[window];
    if (!w.Initialized) {
        reportfailure("t_WindowImage", "Graphic window #" + std::to_string(window) + " not initialized.");
        return false;
    }
    if (!w.Visible) return false;
    const int64_t started = nowmicroseconds();
    // A depth without a layout cannot come from window creation; one line says so, not one per pixel.
    if (!supportedbitdepth(w.BitDepth)) {
        reportfailure("t_WindowImage", "Illegal bit depth.");
        return false;
    }
    if (!graphicmemoryvalid(w)) {
        reportfailure("t_WindowImage", "Data could not be collected, image could not be created.");
        return false;
    }
    image.Width = w.Width;
    image.Height = w.Height;
    image.Pixels.resize(static_cast<size_t>(w.Width * w.Height));  // keeps its capacity between frames
    convert(w, image.Pixels.data());
    w.UpdateDuration = nowmicroseconds() - started;
    w.UpdateFinished = nowmilliseconds();
    return true;
}

std::optional<t_Image> t_WindowImageCopy(uint8_t window) {
    if (window >= windowcount || !host::windowexists(window)) return std::nullopt;
    t_Image image;
    if (!t_WindowImage(window, image)) return std::nullopt;
    return image;
}
