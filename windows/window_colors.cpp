#include "windows/window_colors.h"

#include "core/framework_state.h"
#include "core/guards.h"
#include "host/host.h"

void t_Color(uint8_t window, int64_t index) {
    FrameworkLock lock;
    t_Window* w = windowguard("t_Color", window);
    if (w == nullptr) return;
    const int colour = static_cast<int>(index & 15);
    w->TextColor = static_cast<uint8_t>(colour << 4 | (w->TextColor & 15));
    w->RGBColor = palettecolor(colour);
}

void t_ColorBorder(uint8_t window, int64_t index) {
    uint32_t argb = 0;
    {
        FrameworkLock lock;
        t_Window* w = windowguard("t_ColorBorder", window);
        if (w == nullptr) return;
        const t_RGBColor c = palettecolor(static_cast<int>(index & 15));
        w->RGBColorBorder = c;
        argb = uint32_t{c.Alpha} << 24 | uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
    }
    host::setwindowbackground(window, argb);
}
