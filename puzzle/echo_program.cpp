// A keyboard check program, run instead of the puzzle when STANGENSPIEL_ECHO=1: every key read
// is logged with its code and printed into window 0, and the screen's first line is logged
// after each key, so a test can type from outside and compare.
#include <string>
#include <vector>

#include "echo_program.h"
#include <stangenspiel/stangenspiel.h>

void echoprogram() {
    t_InitWindow(0, 24, 80, 25, 16, "MenloBold 16x32.font");
    t_WindowCenter(0);
    t_WindowFront(0);
    t_Print(0, "Echo: ");
    logline("echo: ready");
    for (;;) {
        t_GetKey(0);
        const t_Event key = currentkeyevent();
        logline("echo: key " + std::to_string(key.Value) + " code " + std::to_string(key.Index) +
                (key.CursorKeyPressed ? " cursor" : "") + (key.FunctionKeyPressed ? " function" : ""));
        // Printable codes are echoed; control codes would move the cursor and blur the check.
        if (key.Value >= 32 && key.Value <= 255) t_Print(0, std::vector<uint8_t>{static_cast<uint8_t>(key.Value)});
        const std::string screen = t_GetScreen(0, "\r");
        logline("echo: screen " + screen.substr(0, screen.find('\r')));
    }
}
