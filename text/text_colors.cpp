// Inverse video and the exchange of colours over a rectangle of cells.
#include "text/text_colors.h"

#include "core/framework_state.h"
#include "core/guards.h"
#include "text/glyphs.h"
#include "text/text_cells.h"

void t_Inverse(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_Inverse", window)) record->TextInverse = true;
}

void t_Normal(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_Normal", window)) record->TextInverse = false;
}

void t_Reverse(uint8_t window) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_Reverse", window)) record->TextInverse = !record->TextInverse;
}

void t_InvertRect(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_InvertRect", window, true);
    if (!record) return;
    if (x1 < 1 || x1 > x2 || x2 > record->TextWidth || y1 < 1 || y1 > y2 || y2 > record->TextHeight) return;
    const bool inverse = record->TextInverse;
    record->TextInverse = true;
    for (int64_t y = y1; y <= y2; ++y)
        for (int64_t x = x1; x <= x2; ++x)
            t_PrintSymbol(window, recordedcharacter(*record, x, y), recordedcolour(*record, x, y), x, y);
    record->TextInverse = inverse;
}
