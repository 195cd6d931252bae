// Scrolling, clearing and tabbing of the text area.
#include <algorithm>
#include <cstring>

#include "core/framework_state.h"
#include "core/guards.h"
#include "text/glyphs.h"
#include "text/text_cells.h"
#include "text/text_output.h"
#include "windows/display_refresh.h"

namespace {

// Moves count bytes from source to destination, clipped so that neither range leaves the
// block [first, last]: a font installed after creation may describe more pixels or cells
// than the window's blocks hold, and those must not spill into other windows' memory.
void moveinblock(int64_t source, int64_t destination, int64_t count, int64_t first, int64_t last) {
    last = std::min(last, static_cast<int64_t>(framework.videomemory.size()) - 1);
    if (count <= 0 || first < 0 || source < first || destination < first) return;
    count = std::min(count, last + 1 - std::max(source, destination));
    if (count <= 0) return;
    uint8_t* memory = framework.videomemory.data();
    std::memmove(memory + destination, memory + source, static_cast<size_t>(count));
}

// Moves the cells from index `from` (count cells) by shift cells in both planes.
void moveplanes(const t_Window& record, int64_t from, int64_t count, int64_t shift) {
    const int64_t half = textplanehalf(record);
    for (const int64_t plane : {record.TextMemoryStart, record.TextMemoryStart + half})
        moveinblock(plane + from, plane + from + shift, count, plane, plane + half - 1);
}

// Moves the pixels of a run of text lines, in bytes from source by shift.
void movepixels(uint8_t window, const t_Window& record, int64_t source, int64_t end, int64_t shift) {
    moveinblock(source, source + shift, end - source, record.MemoryStart, record.MemoryEnd);
    notepicturebytes(window, source + shift, end + shift - 1);
}

// Redraws cell (x, y) from the recorded cell (x, fromline) as it is, without inverse video.
void copycells(uint8_t window, t_Window& record, int64_t y, int64_t fromline) {
    const int64_t first = std::max<int64_t>(record.TextFirstColumn, 1);
    const int64_t last = std::min(record.TextLastColumn, record.TextWidth);
    for (int64_t x = first; x <= last; ++x)
        t_PrintSymbol(window, recordedcharacter(record, x, fromline), recordedcolour(record, x, fromline), x, y);
}

void blankline(uint8_t window, t_Window& record, int64_t y) {
    const int64_t first = std::max<int64_t>(record.TextFirstColumn, 1);
    const int64_t last = std::min(record.TextLastColumn, record.TextWidth);
    for (int64_t x = first; x <= last; ++x) t_PrintSymbol(window, 32, record.TextColor, x, y);
}

bool fullwidth(const t_Window& record) {
    return record.TextFirstColumn == 1 && record.TextLastColumn == record.TextWidth;
}

// A locked scroll is a no-op that reports nothing, even for a window that is not ready.
t_Window* scrollguard(const char* name, uint8_t window) {
    if (window < windowcount && framework.windows[window].ScrollLock) return nullptr;
    return windowguard(name, window, true);
}

}  // namespace

void t_ScrollUp(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = scrollguard("t_ScrollUp", window);
    if (!record) return;
    const int64_t fl = record->TextFirstLine, ll = std::min(record->TextLastLine, record->TextHeight);
    const int64_t tw = record->TextWidth, lc = record->TextLastColumn;
    if (fullwidth(*record)) {
        // Three block moves instead of redrawing every cell.
        moveplanes(*record, fl * tw, tw * ll - tw * fl, -tw);
        const int64_t d = record->BitDepth, h = record->Font.Height, w = record->Font.Width, p = record->Width;
        const int64_t ms = record->MemoryStart;
        const int64_t source = ms + d * h * fl * p / 8;
        movepixels(window, *record, source, ms + d * (w * lc + (h * ll - 1) * p) / 8, -(d * h * p / 8));
    } else if (fl != ll) {
        const bool inverse = record->TextInverse;
        record->TextInverse = false;
        for (int64_t y = std::max<int64_t>(fl, 1); y < ll; ++y) copycells(window, *record, y, y + 1);
        record->TextInverse = inverse;
    }
    blankline(window, *record, ll);
}

void t_ScrollDown(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = scrollguard("t_ScrollDown", window);
    if (!record) return;
    const int64_t fl = std::max<int64_t>(record->TextFirstLine, 1), ll = std::min(record->TextLastLine, record->TextHeight);
    const int64_t tw = record->TextWidth, lc = record->TextLastColumn;
    if (fullwidth(*record)) {
        moveplanes(*record, tw * (fl - 1), tw * (ll - 1) - tw * (fl - 1), tw);
        const int64_t d = record->BitDepth, h = record->Font.Height, w = record->Font.Width, p = record->Width;
        const int64_t ms = record->MemoryStart;
        const int64_t source = ms + d * h * (fl - 1) * p / 8;
        movepixels(window, *record, source, ms + d * (w * lc + (h * (ll - 1) - 1) * p) / 8, d * h * p / 8);
    } else if (fl < ll) {
        const bool inverse = record->TextInverse;
        record->TextInverse = false;
        for (int64_t y = ll; y > fl; --y) copycells(window, *record, y, y - 1);
        record->TextInverse = inverse;
    }
    blankline(window, *record, fl);
}

void t_ClearEndOfLine(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_ClearEndOfLine", window, true);
    if (!record) return;
    // A cursor beyond the area's last column (t_Htab past a narrowed area) clears nothing.
    const int64_t last = std::min(record->TextLastColumn, record->TextWidth);
    for (int64_t x = std::max<int64_t>(record->TextHpos, 1); x <= last; ++x)
        t_PrintSymbol(window, 32, record->TextColor, x, record->TextVpos);
}

void t_ClearEndOfWindow(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_ClearEndOfWindow", window, true);
    if (!record) return;
    const int64_t hpos = record->TextHpos, vpos = record->TextVpos;
    t_ClearEndOfLine(window);
    const int64_t last = std::min(record->TextLastLine, record->TextHeight);
    for (int64_t y = vpos + 1; y <= last; ++y) {
        record->TextHpos = record->TextFirstColumn;
        record->TextVpos = y;
        t_ClearEndOfLine(window);
    }
    record->TextHpos = hpos;
    record->TextVpos = vpos;
}

void t_PrintTab(uint8_t window, int64_t column, uint8_t fill) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_PrintTab", window, true);
    if (!record || column <= record->TextHpos) return;
    // Past the area the fill wraps on; a whole screen of it is as far as it can usefully go,
    // and a hostile column must not keep the program thread printing for ever.
    const int64_t screen = std::max<int64_t>(record->TextWidth, 0) * std::max<int64_t>(record->TextHeight, 0);
    const int64_t count = std::min(column - std::max<int64_t>(record->TextHpos, 0), screen);
    for (int64_t i = 0; i < count; ++i) t_PrintChar(window, fill);
}
