// Paint: a 4-bit graphic window with the 16-colour palette and a text window that shows the
// pen. The cursor keys move the pen, which draws with g_Line; a mouse click draws a line from
// the pen to the click; the keys 0-9 and a-f choose the colour. Three menu items of their own clear the picture, save it as a ".gr"
// file or export it as a PNG; the keys x, s and p do the same without a dialog.
#include <cstdint>
#include <mutex>
#include <string>

#include <stangenspiel/stangenspiel.h>

namespace {

constexpr uint8_t status = 0, canvas = 1;
constexpr int64_t width = 320, height = 200, step = 10;
constexpr int64_t clearitem = 1000, saveitem = 1001, exportitem = 1002;

// The pen is moved by the program thread (keys) and the mouse handler's thread (clicks).
std::mutex penmutex;
int64_t penx = width / 2, peny = height / 2;

void clearcanvas() {
    std::lock_guard<std::mutex> lock(penmutex);
    // Every pixel byte at once: a program's own loop over its window's memory.
    for (uint8_t& pair : g_GraphicMemory(canvas)) pair = 0xFF;  // two white pixels a byte
    g_PictureChanged(canvas);
    g_Plot(canvas, penx, peny);
}

// A line from the pen to (x, y), or by (x, y) when relative; the pen ends there.
void drawto(int64_t x, int64_t y, bool relative = false) {
    std::lock_guard<std::mutex> lock(penmutex);
    if (relative) {
        x += penx;
        y += peny;
    }
    g_Line(canvas, penx, peny, x, y);
    penx = x;
    peny = y;
}

// The full save: pack, run-length and LZW coding, as the framework's own "Grafik sichern".
void savegr(const std::string& path) {
    if (!path.empty()) writegraphicfile(path, g_CompressLZW(g_CompressRLE(g_Pack(g_GetScreen(canvas)))));
}

void exportpng(const std::string& path) {
    if (!path.empty()) g_SavePNG(canvas, path);
}

// Runs on a background thread for each chosen item that is not a framework command.
void onmenu() {
    while (t_MenuEventCount() > 0) {
        const t_MenuEvent item = t_NextMenuEvent();
        if (item.ItemAction == clearitem) clearcanvas();
        if (item.ItemAction == saveitem) savegr(filesavepanel("Bild.gr", "Bild sichern", "Bild sichern als", "gr"));
        if (item.ItemAction == exportitem)
            exportpng(filesavepanel("Bild.png", "Bild exportieren", "Bild exportieren als", "png"));
    }
}

// Runs on a background thread after each click; clicks outside the picture are left alone.
void onmouse() {
    while (t_MouseEventCount() > 0) {
        const t_Event click = t_NextMouseEvent();
        if (click.Window == canvas && click.ClickX >= 0 && click.ClickY >= 0) drawto(click.ClickX, click.ClickY);
    }
}

// '0'-'9' and 'a'-'f' name the palette entries 0-15; -1 for any other key.
int64_t colourkey(int64_t key) {
    if (key >= '0' && key <= '9') return key - '0';
    if (key >= 'a' && key <= 'f') return key - 'a' + 10;
    return -1;
}

void showpen(int64_t colour) {
    std::lock_guard<std::mutex> lock(penmutex);
    t_Htab(status, 1);
    t_Print(status, "Farbe " + std::to_string(colour) + ", Stift bei " + std::to_string(penx) + "," +
                        std::to_string(peny));
    t_ClearEndOfLine(status);
}

void paint() {
    t_InitWindow(status, 4, 40, 1, 8, "MenloRegular 16x32.font");  // a text screen over the pixels
    t_InitGraphicWindow(canvas, 4, true, width, height, 16, 16, t_Font{}, true);
    t_WindowTitle(canvas, "Malen");
    t_ColorBorder(canvas, 10);
    t_WindowCenter(canvas);
    t_WindowVisible(status, true);
    t_WindowFront(canvas);
    t_MenuItemAdd("Datei", "Bild löschen", clearitem);
    t_MenuItemAdd("Datei", "Bild als .gr sichern …", saveitem);
    t_MenuItemAdd("Datei", "Bild als PNG exportieren …", exportitem);
    setprogrammenuhandler(onmenu);
    setprogrammousehandler(onmouse);
    int64_t colour = 0;
    t_Color(canvas, colour);
    clearcanvas();
    for (;;) {
        showpen(colour);
        t_GetKey(status);  // keys typed into either window; the cursor shows in the text window
        const int64_t key = currentkeyevent().Value;
        if (key == 27) return;  // Escape ends the program; its windows stay
        if (colourkey(key) >= 0) t_Color(canvas, colour = colourkey(key));
        if (key == 'x') clearcanvas();
        if (key == 's') savegr("malen.gr");
        if (key == 'p') exportpng("malen.png");
        // The cursor keys: 8 left, 21 right, 11 up, 10 down.
        const int64_t dx = key == 8 ? -step : key == 21 ? step : 0;
        const int64_t dy = key == 11 ? -step : key == 10 ? step : 0;
        if (dx != 0 || dy != 0) drawto(dx, dy, true);
    }
}

}  // namespace

int main(int argc, char** argv) {
    return runprogram(argc, argv, {"Malen", "", "Paint with the keys and the mouse."}, paint);
}
