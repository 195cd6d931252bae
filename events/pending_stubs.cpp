// Stand-ins until key and mouse events land; each goes as its real operation arrives.
#include "events/mouse_events.h"
#include "host/framework_calls.h"
#include "host/host.h"

void t_MouseEventPostCloseBoxClick(uint8_t window) { host::showwindow(window, false); }

namespace hostcalls {
void viewkeydown(int, int64_t, const std::string&, int64_t) {}
void viewkeyup(int, int64_t, int64_t) {}
void viewflagschanged(int, int64_t) {}
void viewmousedown(int, double, double, int, int64_t, int64_t) {}
void viewmouseup(int, int, int64_t) {}
}  // namespace hostcalls
