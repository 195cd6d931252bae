#include "graphics/graphic_window_access.h"

#include <string>

#include "core/framework_state.h"
#include "core/report.h"

t_Window* graphicwindowguard(const char* operation, int64_t window) {
    if (window < 0 || window >= windowcount) {
        reportfailure(operation, "Window is not a graphic window.");
        return nullptr;
    }
    t_Window& record = framework.windows[static_cast<size_t>(window)];
    if (!framework.frameworkready || !record.Initialized) {
        reportfailure(operation, "Graphic window #" + std::to_string(window) + " not initialized.");
        return nullptr;
    }
    return &record;
}
