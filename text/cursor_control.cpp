// Cursor positioning and movement inside the text area.
#include "core/framework_state.h"
#include "core/guards.h"
#include "text/text_output.h"

void t_Htab(uint8_t window, int64_t column) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_Htab", window, true);
    // The column counts from the area's start but is bounded by the screen, not by the area.
    if (record && column >= 1 && column <= record->TextWidth - record->TextFirstColumn + 1)
        record->TextHpos = record->TextFirstColumn + column - 1;
}

void t_Vtab(uint8_t window, int64_t line) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_Vtab", window, true);
    if (record && line >= 1 && line <= record->TextHeight) record->TextVpos = line;
}

void t_CursorHome(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_CursorHome", window, true)) {
        record->TextHpos = record->TextFirstColumn;
        record->TextVpos = record->TextFirstLine;
    }
}

void t_CursorEnd(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_CursorEnd", window, true)) {
        record->TextHpos = record->TextLastColumn;
        record->TextVpos = record->TextLastLine;
    }
}

namespace {

// With ScrollLock on the scroll does nothing, but the line is put back all the same, so the
// cursor stays on the area's edge line.
void movedown(uint8_t window, t_Window& record) {
    ++record.TextVpos;
    if (record.TextVpos > record.TextLastLine) {
        t_ScrollUp(window);
        --record.TextVpos;
    }
}

void moveup(uint8_t window, t_Window& record) {
    --record.TextVpos;
    if (record.TextVpos < record.TextFirstLine) {
        t_ScrollDown(window);
        ++record.TextVpos;
    }
}

}  // namespace

void t_Cr(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_Cr", window, true)) {
        record->TextHpos = record->TextFirstColumn;
        movedown(window, *record);
    }
}

void t_CursorDown(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_CursorDown", window, true)) movedown(window, *record);
}

void t_CursorUp(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_CursorUp", window, true)) moveup(window, *record);
}

void t_CursorRight(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_CursorRight", window, true);
    if (!record) return;
    ++record->TextHpos;
    if (record->TextHpos > record->TextLastColumn) t_Cr(window);
}

void t_CursorLeft(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_CursorLeft", window, true);
    if (!record) return;
    --record->TextHpos;
    if (record->TextHpos < record->TextFirstColumn) {
        record->TextHpos = record->TextLastColumn;
        moveup(window, *record);
    }
}
