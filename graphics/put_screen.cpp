// Drawing a captured picture back into a window.
#include <algorithm>
#include <cstring>

#include "core/framework_state.h"
#include "core/report.h"
#include "graphics/capture.h"
#include "graphics/graphic_decoding_stages.h"
#include "graphics/graphic_window_access.h"
#include "graphics/plot.h"
#include "windows/display_refresh.h"

namespace {

// One source pixel: its colour, and its palette index when the format has one (else -1).
struct t_SourcePixel {
    uint8_t Alpha, Red, Green, Blue;
    int Index;
};

t_SourcePixel sourcepixel(int64_t format, const uint8_t* p) {
    switch (format) {
        case g_FormatBool:
        case g_FormatNibble: {
            const int index = format == g_FormatBool ? (p[0] != 0 ? 15 : 0) : (p[0] & 15);
            return {255, palettered[static_cast<size_t>(index)], palettegreen[static_cast<size_t>(index)],
                    paletteblue[static_cast<size_t>(index)], index};
        }
        case g_FormatGrey: return {255, p[0], p[0], p[0], -1};
        case g_FormatRGBColor: return {255, p[0], p[1], p[2], -1};
        case g_FormatAGrey: return {p[0], p[1], p[1], p[1], -1};
        default: return {p[0], p[1], p[2], p[3], -1};
    }
}

uint8_t greyof(const t_SourcePixel& c) { return static_cast<uint8_t>((c.Red + c.Green + c.Blue) / 3); }

int nearestpaletteindex(const t_SourcePixel& c) {
    int best = 0;
    int64_t bestdistance = INT64_MAX;
    for (int i = 0; i < 16; ++i) {
        const int64_t dr = c.Red - palettered[static_cast<size_t>(i)];
        const int64_t dg = c.Green - palettegreen[static_cast<size_t>(i)];
        const int64_t db = c.Blue - paletteblue[static_cast<size_t>(i)];
        const int64_t distance = dr * dr + dg * dg + db * db;
        if (distance < bestdistance) {
            bestdistance = distance;
            best = i;
        }
    }
    return best;
}

void storepixel(int64_t depth, uint8_t* row, int64_t x, const t_SourcePixel& c) {
    switch (depth) {
        case 1: {
            const bool set = c.Index >= 0 ? c.Index >= 9 : greyof(c) >= 128;
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
            row[x >> 3] = set ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
            break;
        }
        case 4: {
            const int index = c.Index >= 0 ? c.Index : nearestpaletteindex(c);
            uint8_t& b = row[x >> 1];
            b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | index) : static_cast<uint8_t>((b & 0x0F) | (index << 4));
            break;
        }
        case 8: row[x] = greyof(c); break;
        case 16: row[2 * x] = c.Alpha; row[2 * x + 1] = greyof(c); break;
        case 24: row[3 * x] = c.Red; row[3 * x + 1] = c.Green; row[3 * x + 2] = c.Blue; break;
        default: row[4 * x] = c.Alpha; row[4 * x + 1] = c.Red; row[4 * x + 2] = c.Green; row[4 * x + 3] = c.Blue; break;
    }
}

// The byte layout of these formats is the memory layout of the matching depth.
bool samelayout(int64_t format, int64_t depth) {
    return (format == g_FormatGrey && depth == 8) || (format == g_FormatAGrey && depth == 16) ||
           (format == g_FormatRGBColor && depth == 24) || (format == g_FormatARGBColor && depth == 32);
}

}  // namespace

void g_PutScreen(uint8_t window, const t_Graphic& graphic, int64_t x, int64_t y) {
    const char* operation = "g_PutScreen";
    t_Graphic pixels;
    if (!decompressgraphic(graphic, pixels, operation)) return;
    FrameworkLock lock;
    t_Window* record = graphicwindowguard(operation, window);
    if (record == nullptr) return;
    const int64_t depth = record->BitDepth;
    if (!graphicmemoryvalid(*record)) {
        reportfailure(operation, "Illegal window graphic format.");
        return;
    }
    // The covered part of the window; the picture's sides are bounded, so no sum overflows.
    if (x >= record->Width || y >= record->Height || x <= -pixels.Width || y <= -pixels.Height) return;
    const int64_t left = std::max<int64_t>(0, x), top = std::max<int64_t>(0, y);
    const int64_t right = std::min(record->Width, x + pixels.Width);
    const int64_t bottom = std::min(record->Height, y + pixels.Height);
    const int64_t unit = graphicunitbytes(pixels.Format);
    const int64_t rowbytes = graphicrowbytes(record->BitDepth, record->Width);
    uint8_t* memory = framework.videomemory.data() + record->MemoryStart;
    notepicturechange(window, left, top, right, bottom);
    for (int64_t wy = top; wy < bottom; ++wy) {
        uint8_t* row = memory + rowbytes * wy;
        const uint8_t* source = pixels.Data.data() + ((wy - y) * pixels.Width + (left - x)) * unit;
        if (samelayout(pixels.Format, depth)) {
            std::memcpy(row + left * unit, source, static_cast<size_t>((right - left) * unit));
            continue;
        }
        for (int64_t wx = left; wx < right; ++wx, source += unit)
            storepixel(depth, row, wx, sourcepixel(pixels.Format, source));
    }
}
