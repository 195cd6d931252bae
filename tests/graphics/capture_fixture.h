// Helpers for the capture and graphic-file tests: fresh windows, random pictures, records.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "graphics/graphic_coding.h"
#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"

// A picture record of width x height pixels holding data.
inline t_Graphic graphicof(int64_t format, Bytes data, int64_t width = 0, int64_t height = 0) {
    return t_Graphic{.Format = format, .Size = width * height, .Width = width, .Height = height, .Data = std::move(data)};
}

// Every coding stage a saved screen goes through.
inline t_Graphic coded(const t_Graphic& g) { return g_CompressLZW(g_CompressRLE(g_Pack(g))); }

class CaptureTest : public WindowTest {
protected:
    // The window's pixel bytes, as video memory holds them.
    static Bytes pixelbytes(uint8_t window) {
        FrameworkLock lock;
        const t_Window& w = framework.windows[window];
        const auto start = framework.videomemory.begin() + w.MemoryStart;
        return Bytes(start, start + graphicrowbytes(w.BitDepth, w.Width) * w.Height);
    }

    static void setpixelbytes(uint8_t window, const Bytes& bytes) {
        FrameworkLock lock;
        std::copy(bytes.begin(), bytes.end(), framework.videomemory.begin() + framework.windows[window].MemoryStart);
    }

    // A picture with runs of a few colours and some noise, like a screen with shapes and text.
    static void paintrandom(uint8_t window, std::mt19937& rng) {
        Bytes bytes = pixelbytes(window);
        for (size_t i = 0; i < bytes.size();) {
            const size_t run = rng() % 3 == 0 ? 1 : rng() % (rng() % 4 == 0 ? 1000 : 200);  // some runs of 240 units and more
            const uint8_t value = static_cast<uint8_t>(rng() % 5 == 0 ? rng() : rng() % 16 * 17);
            for (size_t k = 0; k < run && i < bytes.size(); ++k) bytes[i++] = value;
        }
        setpixelbytes(window, bytes);
    }
};
