// Stand-ins until the windows subsystem lands; each goes as its real operation arrives.
#include "host/framework_calls.h"
#include "windows/display_refresh.h"
#include "windows/window_colors.h"

void t_WindowUpdate(uint8_t, bool) {}
void t_Color(uint8_t, int64_t) {}
void t_ColorBorder(uint8_t, int64_t) {}

namespace hostcalls {
bool viewwantsupdatelayer(int) { return false; }
void viewimage(int, const t_ImageSink&) {}
void viewdrawstarted(int) {}
void viewdrawfinished(int) {}
}  // namespace hostcalls
