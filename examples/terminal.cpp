// Terminal: a text window used the way a terminal program uses its screen. A header line and a
// rule stay on top while the area below scrolls; what you type is echoed, Return ends a line,
// and every finished line also goes to the printer and the console. The first lines show the
// display modes, inverse video and the escape commands. Escape ends the program.
#include <cstdint>
#include <string>
#include <vector>

#include <stangenspiel/stangenspiel.h>

namespace {

constexpr uint8_t screen = 0;
constexpr int64_t columns = 60, lines = 16;

void demonstrate() {
    t_Print(screen, "Normal, ");
    t_Inverse(screen);
    t_Print(screen, "invers");
    t_Normal(screen);
    t_Print(screen, ", ");
    // Control codes inside a byte array: 15 inverse on, 14 off.
    t_Print(screen, std::vector<uint8_t>{15, 'a', 'u', 'c', 'h', 14, ' ', 's', 'o'});
    t_Cr(screen);
    t_Print(screen, "Blockgrafik: ");
    t_DisplayMode(screen, 2);  // small letters become the block graphics 128-159
    t_Print(screen, "abcdefghijklmnopqrstuvwxyz{|}~");
    t_DisplayMode(screen, 0);
    t_Cr(screen);
    // Escape commands: 27 starts one; 'A' (65) is foreground colour 1, '\\' (92) background 12.
    t_Print(screen, std::vector<uint8_t>{27, 65, 'r', 'o', 't', ' ', 27, 92, 'a', 'u', 'f', ' ', 'g', 'r', 0xFC, 'n'});
    t_Print(screen, std::vector<uint8_t>{27, 64 + 12, 27, 80});  // back to green on black
    t_Cr(screen);
    t_TextLine(screen);
}

// Echoes a typed line into the area; false when Escape ends the program instead.
bool readline(std::string& line) {
    line.clear();
    for (;;) {
        const std::string key = t_GetKey(screen);
        const int64_t code = currentkeyevent().Value;
        if (code == 27) return false;
        if (code == 13) return true;
        if (code == 127 || code == 8) {  // Backspace: one character back, if there is one
            if (line.empty()) continue;
            line.pop_back();
            t_CursorLeft(screen);
            t_PrintChar(screen, ' ');
            t_CursorLeft(screen);
        } else if (code >= 32 && code < 256) {
            line += key;
            t_Print(screen, key);
        }
    }
}

void terminal() {
    t_InitWindow(screen, 24, columns, lines, 12, "MenloRegular 16x32.font");
    t_WindowTitle(screen, "Terminal");
    t_Header(screen, "Terminal", "Escape beendet");
    t_TextLine(screen);
    // Lines 3 to the bottom scroll; the header and the rule above them stay.
    t_Area(screen, 1, 3, columns, lines);
    demonstrate();
    p_InitPrinter();
    t_WindowVisible(printerwindow, true);
    t_WindowVisible(consolewindow, true);
    t_WindowFront(screen);
    int64_t count = 0;
    std::string line;
    for (;;) {
        t_Print(screen, "> ");
        if (!readline(line)) break;
        t_Cr(screen);
        const std::string numbered = intformat(++count, U'0', 3, false) + " " + line;
        t_Print(screen, "  " + std::to_string(stringlength(line)) + " Zeichen");
        t_Cr(screen);
        p_Print(numbered + "\n");
        c_Print("Zeile " + std::to_string(count) + ": " + line + "\n");
    }
    t_Cr(screen);
    t_Print(screen, std::to_string(count) + " Zeilen gedruckt.");
    t_QuitProgram(screen);
}

}  // namespace

int main(int argc, char** argv) {
    return runprogram(argc, argv, {"Terminal", "", "A terminal on the framework's text screen."}, terminal);
}
