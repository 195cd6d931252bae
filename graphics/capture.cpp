#include "graphics/capture.h"

#include <cstring>

#include "core/framework_state.h"
#include "core/report.h"
#include "graphics/graphic_window_access.h"
#include "graphics/plot.h"

namespace {

int64_t captureformat(int64_t depth) {
    switch (depth) {
        case 1: return g_FormatBool;
        case 4: return g_FormatNibble;
        case 8: return g_FormatGrey;
        case 24: return g_FormatRGBColor;
        case 16: return g_FormatAGrey;
        case 32: return g_FormatARGBColor;
        default: return -1;
    }
}

// Copies the rectangle row by row. At depths 8, 16, 24 and 32 the memory layout already is the
// record's layout (a grey pixel's colour is its grey, so the average of depth 16 is that byte).
void copyrect(const t_Window& record, int64_t x1, int64_t y1, int64_t w, int64_t h, uint8_t* out) {
    const uint8_t* memory = framework.videomemory.data() + record.MemoryStart;
    const int64_t rowbytes = graphicrowbytes(record.BitDepth, record.Width);
    for (int64_t y = y1; y < y1 + h; ++y) {
        const uint8_t* row = memory + rowbytes * y;
        if (record.BitDepth == 1) {
            for (int64_t x = x1; x < x1 + w; ++x) *out++ = ((row[x >> 3] >> (7 - (x & 7))) & 1) * 15;
        } else if (record.BitDepth == 4) {
            for (int64_t x = x1; x < x1 + w; ++x) *out++ = (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
        } else {
            const int64_t unit = record.BitDepth / 8;
            std::memcpy(out, row + x1 * unit, static_cast<size_t>(w * unit));
            out += w * unit;
        }
    }
}

}  // namespace

t_Graphic g_GetScreen(uint8_t window) {
    FrameworkLock lock;
    const t_Window* record = graphicwindowguard("g_GetScreen", window);
    if (record == nullptr) return emptygraphic();
    return g_GetScreenRect(window, 0, 0, record->Width - 1, record->Height - 1);
}

t_Graphic g_GetScreenRect(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    const char* operation = "g_GetScreenRect";
    FrameworkLock lock;
    const t_Window* record = graphicwindowguard(operation, window);
    if (record == nullptr) return emptygraphic();
    if (x2 >= record->Width) x2 = record->Width - 1;
    if (y2 >= record->Height) y2 = record->Height - 1;
    if (x1 < 0 || x1 > x2) {
        reportfailure(operation, "Illegal x-value");
        return emptygraphic();
    }
    if (y1 < 0 || y1 > y2) {
        reportfailure(operation, "Illegal y-value");
        return emptygraphic();
    }
    const int64_t format = captureformat(record->BitDepth);
    if (format < 0 || !graphicmemoryvalid(*record)) {
        reportfailure(operation, "Illegal window graphic format.");
        return emptygraphic();
    }
    t_Graphic graphic;
    graphic.Format = format;
    graphic.Width = x2 - x1 + 1;
    graphic.Height = y2 - y1 + 1;
    graphic.Size = graphic.Width * graphic.Height;
    graphic.Reserved1 = 1;
    graphic.Reserved2 = 1;
    graphic.Reserved3 = 0;
    graphic.Data.resize(static_cast<size_t>(graphic.Size * graphicunitbytes(format)));
    copyrect(*record, x1, y1, graphic.Width, graphic.Height, graphic.Data.data());
    return graphic;
}
