#include "core/guards.h"

#include <string>

#include "core/framework_state.h"
#include "core/report.h"
#include "host/host.h"

t_Window* windowguard(std::string_view operation, int64_t window, bool needstext) {
    if (window < 0 || window >= windowcount) {
        reportfailure(operation, "Window is not a graphic window.");
        return nullptr;
    }
    t_Window& record = framework.windows[static_cast<size_t>(window)];
    if (!framework.frameworkready || !record.Initialized || (needstext && record.TextMemoryStart < 0)) {
        reportfailure(operation, "Window #" + std::to_string(window) + " not initialized.");
        return nullptr;
    }
    return &record;
}

bool hostwindowguard(std::string_view operation, int64_t window) {
    if (window < 0 || window >= hostwindowcount || !host::windowexists(static_cast<int>(window))) {
        reportfailure(operation, "Window does not exist.");
        return false;
    }
    return true;
}

