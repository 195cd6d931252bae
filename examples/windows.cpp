// Windows: four graphic windows at once, at 1, 4, 16 and 32 bits, placed side by side with
// t_WindowPos and t_WindowSize. Each key press moves a bar one step across every window; the
// text window 0 counts the steps. Escape ends the program.
#include <cstdint>
#include <string>

#include <stangenspiel/stangenspiel.h>

namespace {

constexpr uint8_t counter = 0;
constexpr int64_t width = 160, height = 100, border = 8, barwidth = 8;

struct t_Panel {
    uint8_t Window;
    int64_t Depth;
    int64_t Colour;  // palette entry of the bar
};
constexpr t_Panel panels[] = {{1, 1, 15}, {2, 4, 13}, {3, 16, 10}, {4, 32, 9}};

// Places the panels in a row below the counter window: frames are in screen coordinates with
// the origin at the lower left, so "below" means a smaller y.
void placepanels() {
    const int64_t left = t_WindowPos(counter, 13);               // the counter's frame, left edge
    const int64_t top = t_WindowPos(counter, 16) - t_WindowPos(counter, 14) - t_WindowPos(counter, 12);
    int64_t x = left;
    for (const t_Panel& panel : panels) {
        // x, y of the drawing area's lower-left corner; -1 keeps the size.
        t_WindowSize(panel.Window, x + border, top - 40 - t_WindowPos(panel.Window, 12) + border, -1, -1);
        x += t_WindowPos(panel.Window, 10) + 10;                 // the frame's width and a gap
    }
}

// The bar of step k: erased where it was, drawn one step further, wrapping at the right edge.
void movebar(const t_Panel& panel, int64_t step) {
    const int64_t steps = width / barwidth;
    const int64_t old = (step + steps - 1) % steps * barwidth, now = step % steps * barwidth;
    for (int64_t y = 20; y < height - 20; ++y) {
        t_Color(panel.Window, 0);
        g_Line(panel.Window, old, y, old + barwidth - 1, y);
        t_Color(panel.Window, panel.Colour);
        g_Line(panel.Window, now, y, now + barwidth - 1, y);
    }
}

void windows() {
    t_InitWindow(counter, 32, 30, 2, 8, "MenloRegular 16x32.font");
    t_WindowTitle(counter, "Fenster");
    for (const t_Panel& panel : panels) {
        t_InitGraphicWindow(panel.Window, panel.Depth, true, width, height, border, border, t_Font{}, true);
        t_WindowTitle(panel.Window, std::to_string(panel.Depth) + " Bit");
        t_ColorBorder(panel.Window, 5);
        t_WindowVisible(panel.Window, true);
        movebar(panel, 0);
    }
    placepanels();
    t_WindowFront(counter);
    for (int64_t step = 1;; ++step) {
        t_CursorHome(counter);
        t_Print(counter, "Schritt " + std::to_string(step - 1) + ", Taste: weiter");
        t_ClearEndOfLine(counter);
        t_GetKey(counter);
        if (currentkeyevent().Value == 27) break;
        for (const t_Panel& panel : panels) movebar(panel, step);
    }
    t_CursorHome(counter);
    t_ClearEndOfWindow(counter);
    t_QuitProgram(counter);
}

}  // namespace

int main(int argc, char** argv) {
    return runprogram(argc, argv, {"Fenster", "", "Four graphic windows at four depths."}, windows);
}
