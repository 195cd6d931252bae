#include "graphics/plot.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/framework_state.h"
#include "core/report.h"
#include "windows/display_refresh.h"

namespace {

using i128 = __int128;
using u128 = unsigned __int128;

// Lines whose ends lie this close to the window are drawn point by point as specified; the
// floating-point accumulation stays exact enough there and the step count stays small.
constexpr int64_t nearlimit = 65536;

// The window number and initialisation check shared by the four operations.
t_Window* graphicguard(const char* operation, uint8_t window) {
    if (window >= windowcount) {
        reportfailure(operation, "Window is not a graphic window.");
        return nullptr;
    }
    t_Window& w = framework.windows[window];
    if (!framework.frameworkready || !w.Initialized) {
        reportfailure(operation, "Graphic window #" + std::to_string(window) + " not initialized.");
        return nullptr;
    }
    return &w;
}

bool inside(const t_Window& w, int64_t x, int64_t y) { return x >= 0 && y >= 0 && x < w.Width && y < w.Height; }

uint8_t* pixeladdress(const t_Window& w, int64_t x, int64_t y) {
    return framework.videomemory.data() + w.MemoryStart + graphicrowbytes(w.BitDepth, w.Width) * y +
           x * w.BitDepth / 8;
}

uint8_t grey(const t_RGBColor& c) { return static_cast<uint8_t>((c.Red + c.Green + c.Blue) / 3); }

// Combines the drawing colour with the old pixel channel by channel (depths 24 and 32).
// Answers false when the mode leaves the pixel alone.
bool combine(int64_t mode, const uint8_t* fresh, uint8_t* old, uint8_t alpha, bool depth24) {
    for (int c = 0; c < 3; ++c) {
        const int n = fresh[c], o = old[c];
        int v;
        switch (mode) {
            case 0: case 2: case 3: v = n; break;
            case 1: v = depth24 ? (n + o) / 2 : n * alpha / 255 + o * (255 - alpha) / 255; break;
            case 4: v = (n + o) / 2; break;
            case 5: v = n & o; break;
            case 6: v = n | o; break;
            case 7: v = n ^ o; break;
            default: return false;
        }
        old[c] = static_cast<uint8_t>(v);
    }
    return true;
}

// Writes one pixel known to lie inside a window whose memory is valid.
void setpixel(const t_Window& w, int64_t x, int64_t y) {
    uint8_t* p = pixeladdress(w, x, y);
    const t_RGBColor& c = w.RGBColor;
    switch (w.BitDepth) {
        case 1: {
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
            *p = w.TextColor > 143 ? (*p | bit) : (*p & ~bit);
            break;
        }
        case 4:
            *p = (x & 1) == 0 ? static_cast<uint8_t>((*p & 0x0F) | (w.TextColor & 0xF0))
                              : static_cast<uint8_t>((*p & 0xF0) | (w.TextColor >> 4));
            break;
        case 8: *p = grey(c); break;
        case 16: p[0] = c.Alpha; p[1] = grey(c); break;
        case 24: {
            const uint8_t fresh[3] = {c.Red, c.Green, c.Blue};
            combine(w.DrawingMode, fresh, p, c.Alpha, true);
            break;
        }
        case 32: {
            const uint8_t fresh[3] = {c.Red, c.Green, c.Blue};
            if (combine(w.DrawingMode, fresh, p + 1, c.Alpha, false)) {
                if (w.DrawingMode == 0) p[0] = c.Alpha;
                if (w.DrawingMode == 2) p[0] = 255;
            }
            break;
        }
        default: break;
    }
}

// g_Plot after its window check: drops points outside, remembers the position of the others.
void plotpoint(t_Window& w, bool memoryvalid, int64_t x, int64_t y) {
    if (!inside(w, x, y)) return;
    if (!supportedbitdepth(w.BitDepth)) reportfailure("g_Plot", "Illegal bit depth (" + std::to_string(w.BitDepth) + ").");
    else if (memoryvalid) setpixel(w, x, y);
    w.PositionX = x;
    w.PositionY = y;
}

int64_t truncated(double v) { return static_cast<int64_t>(v); }

// The digital differential analyser in 64-bit floating point, position accumulated by addition.
void nearline(t_Window& w, bool valid, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    const int64_t dx = x2 - x1, dy = y2 - y1;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n >= 1) {
        plotpoint(w, valid, truncated(static_cast<double>(x1) + 0.5), truncated(static_cast<double>(y1) + 0.5));
        if (n >= 2) {
            const double sx = static_cast<double>(dx) / static_cast<double>(n);
            const double sy = static_cast<double>(dy) / static_cast<double>(n);
            double fx = static_cast<double>(x1) + sx, fy = static_cast<double>(y1) + sy;
            plotpoint(w, valid, truncated(fx + 0.5), truncated(fy + 0.5));
            for (int64_t k = 0; k < n - 2; ++k) {
                fx += sx;
                fy += sy;
                plotpoint(w, valid, truncated(fx + 0.5), truncated(fy + 0.5));
            }
        }
    }
    plotpoint(w, valid, x2, y2);
}

// Truncation toward zero of (v + 0.5), for v = base + (negative ? -1 : 1) * r / n, 0 <= r < n,
// in exact integer arithmetic. Results below -1 are answered as -2: they are outside anyway.
int64_t roundedstep(i128 base, bool negative, u128 r, u128 n) {
    i128 floor;
    bool exact;
    if (!negative) {
        const u128 numerator = n + 2 * r;  // (v + 0.5 - base) = numerator / 2n, in [0.5, 1.5)
        floor = base + static_cast<i128>(numerator / (2 * n));
        exact = numerator % (2 * n) == 0;
    } else if (2 * r <= n) {  // in [0, 0.5]
        floor = base;
        exact = 2 * r == n;
    } else {                  // in (-0.5, 0)
        floor = base - 1;
        exact = false;
    }
    if (floor >= 0) return floor > INT64_MAX ? INT64_MAX : static_cast<int64_t>(floor);
    if (floor == -1 && !exact) return 0;  // values in (-1, 0) truncate to 0
    return -2;
}

// Lines with an end far from the window: only the steps whose major coordinate can land in the
// window are visited, each point computed exactly from its step number.
void farline(t_Window& w, bool valid, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    const i128 dx = static_cast<i128>(x2) - x1, dy = static_cast<i128>(y2) - y1;
    const u128 adx = static_cast<u128>(dx < 0 ? -dx : dx), ady = static_cast<u128>(dy < 0 ? -dy : dy);
    const u128 n = std::max(adx, ady);
    if (n >= 1) {
        const bool xmajor = adx >= ady;
        const i128 major1 = xmajor ? x1 : y1, minor1 = xmajor ? y1 : x1;
        const bool majornegative = (xmajor ? dx : dy) < 0, minornegative = (xmajor ? dy : dx) < 0;
        const u128 minorspan = xmajor ? ady : adx;
        const i128 side = xmajor ? w.Width : w.Height;
        // The major coordinate of step i is major1 +- i; -1 still rounds onto 0.
        i128 first = majornegative ? major1 - (side - 1) : -1 - major1;
        i128 last = majornegative ? major1 + 1 : side - 1 - major1;
        first = std::max<i128>(first, 0);
        last = std::min<i128>(last, static_cast<i128>(n - 1));
        for (i128 i = first; i <= last; ++i) {
            const u128 step = static_cast<u128>(i);
            const int64_t major = roundedstep(major1 + (majornegative ? -i : i), majornegative, 0, n);
            const u128 product = step * minorspan;
            const i128 q = static_cast<i128>(product / n);
            const int64_t minor = roundedstep(minor1 + (minornegative ? -q : q), minornegative, product % n, n);
            if (xmajor) plotpoint(w, valid, major, minor);
            else plotpoint(w, valid, minor, major);
        }
    }
    plotpoint(w, valid, x2, y2);
}

bool near(const t_Window& w, int64_t x, int64_t y) {
    return x >= -nearlimit && y >= -nearlimit && x <= w.Width + nearlimit && y <= w.Height + nearlimit;
}


}  // namespace

bool supportedbitdepth(int64_t depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

int64_t graphicrowbytes(int64_t depth, int64_t width) { return width * depth / 8; }

bool graphicmemoryvalid(const t_Window& w) {
    if (!supportedbitdepth(w.BitDepth) || w.Width < 1 || w.Height < 1 || w.Width > 65536 || w.Height > 65536) return false;
    if ((w.Width * w.BitDepth) % 8 != 0) return false;
    const int64_t bytes = graphicrowbytes(w.BitDepth, w.Width) * w.Height;
    return w.MemoryStart >= 0 && w.MemoryEnd < static_cast<int64_t>(framework.videomemory.size()) &&
           w.MemoryEnd - w.MemoryStart + 1 >= bytes;
}

void g_Plot(uint8_t window, int64_t x, int64_t y) {
    FrameworkLock lock;
    t_Window* w = graphicguard("g_Plot", window);
    if (w == nullptr || !inside(*w, x, y)) return;
    const bool valid = graphicmemoryvalid(*w);
    plotpoint(*w, valid, x, y);
    if (valid) notepicturechange(window, x, y, x + 1, y + 1);
}

void g_Line(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    FrameworkLock lock;
    t_Window* w = graphicguard("g_Line", window);
    if (w == nullptr) return;
    const bool valid = graphicmemoryvalid(*w);
    if (near(*w, x1, y1) && near(*w, x2, y2)) nearline(*w, valid, x1, y1, x2, y2);
    else farline(*w, valid, x1, y1, x2, y2);
    // Every point of a line lies within the box of its ends; clamped first, so no sum overflows.
    const auto clampx = [w](int64_t x) { return std::clamp<int64_t>(x, -1, w->Width); };
    const auto clampy = [w](int64_t y) { return std::clamp<int64_t>(y, -1, w->Height); };
    if (valid)
        notepicturechange(window, clampx(std::min(x1, x2)), clampy(std::min(y1, y2)), clampx(std::max(x1, x2)) + 1,
                          clampy(std::max(y1, y2)) + 1);
}

template <>
int64_t g_Scrn<int64_t>(uint8_t window, int64_t x, int64_t y) {
    FrameworkLock lock;
    const t_Window* w = graphicguard("g_Scrn", window);
    if (w == nullptr || !inside(*w, x, y) || !graphicmemoryvalid(*w)) return 0;
    const uint8_t* p = pixeladdress(*w, x, y);
    switch (w->BitDepth) {
        case 1: return (*p & (0x80 >> (x & 7))) != 0 ? 15 : 0;
        case 4: return (x & 1) == 0 ? *p >> 4 : *p & 15;
        case 32: return (p[1] | p[2] | p[3]) != 0 ? 15 : 0;
        default: return 0;
    }
}

template <>
t_RGBColor g_Scrn<t_RGBColor>(uint8_t window, int64_t x, int64_t y) {
    const t_RGBColor black{255, 0, 0, 0};
    FrameworkLock lock;
    const t_Window* w = graphicguard("g_Scrn", window);
    if (w == nullptr || !inside(*w, x, y) || !graphicmemoryvalid(*w)) return black;
    const uint8_t* p = pixeladdress(*w, x, y);
    switch (w->BitDepth) {
        case 1: return palettecolor((*p & (0x80 >> (x & 7))) != 0 ? 15 : 0);
        case 4: return palettecolor((x & 1) == 0 ? *p >> 4 : *p & 15);
        case 8: return {0, p[0], p[0], p[0]};
        case 16: return {p[0], p[1], p[1], p[1]};
        case 24: return {0, p[0], p[1], p[2]};
        case 32: return {p[0], p[1], p[2], p[3]};
        default: return black;
    }
}
