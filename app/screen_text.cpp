// What a scripted run writes as a window's text screen.
#include "core/framework_state.h"
#include "host/framework_calls.h"
#include "text/text_areas.h"

namespace hostcalls {

std::string screentext(int window) {
    if (window < 0 || window > 7) return "";
    // A graphic-only window has no screen to write: an empty file, not a complaint in the log.
    if (t_WindowRecord(static_cast<uint8_t>(window)).TextMemoryStart < 0) return "";
    return t_GetScreen(static_cast<uint8_t>(window), "\n");
}

}  // namespace hostcalls
