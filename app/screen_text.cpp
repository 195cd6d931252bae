// What a scripted run writes as a window's text screen.
#include "host/framework_calls.h"
#include "text/text_areas.h"

namespace hostcalls {

std::string screentext(int window) {
    if (window < 0 || window > 7) return "";
    return t_GetScreen(static_cast<uint8_t>(window), "\n");
}

}  // namespace hostcalls
