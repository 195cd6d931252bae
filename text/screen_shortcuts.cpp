// The shortcuts classic programs use all the time: a printed line, a cleared screen, and the
// cursor's position without copying the whole window record.
#include <string>

#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"

void t_PrintLine(uint8_t window, const std::string& text) {
    FrameworkLock lock;
    const t_Window* record = windowguard("t_PrintLine", window, true);
    if (!record) return;
    if (record->Font.Data.empty()) {
        reportfailure("t_PrintLine", "Window #" + std::to_string(window) + " has no text font.");
        return;
    }
    t_Print(window, text);
    t_Cr(window);
}

void t_Home(uint8_t window) {
    FrameworkLock lock;
    if (!windowguard("t_Home", window, true)) return;
    t_CursorHome(window);
    t_ClearEndOfWindow(window);
}

int64_t t_Hpos(uint8_t window) {
    FrameworkLock lock;
    const t_Window* record = windowguard("t_Hpos", window, true);
    return record ? record->TextHpos : 0;
}

int64_t t_Vpos(uint8_t window) {
    FrameworkLock lock;
    const t_Window* record = windowguard("t_Vpos", window, true);
    return record ? record->TextVpos : 0;
}
