// The zoom commands of the menu "Fenster": one step larger or smaller, and full screen on and
// off, for the front graphic window. A command that cannot apply sounds the alert.
#include "events/menu_commands.h"

#include "host/host.h"
#include "sound/alert.h"
#include "windows/window_zoom.h"

void runzoomcommand(int64_t action) {
    constexpr const char* handlername = "t_MenuEventHandler";
    const int front = host::frontwindow();
    if (front < 0 || front >= windowcount) {
        playalert();
        return;
    }
    const auto window = static_cast<uint8_t>(front);
    const bool done = action == fullscreencommand ? togglefullscreen(handlername, window)
                                                  : zoomwindowby(handlername, window, action == zoomincommand ? 1 : -1);
    if (!done) playalert();
}
