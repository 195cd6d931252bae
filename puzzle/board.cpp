// The board of window 0: base, rods and disks, all drawn as horizontal lines of one pixel.
#include <stangenspiel/stangenspiel.h>
#include "puzzle.h"

namespace {

// Palette entries of the board.
constexpr int64_t black = 0;
constexpr int64_t brown = 8;
constexpr int64_t green = 12;   // the window's text colour, restored after every drawing
constexpr int64_t yellow = 13;

constexpr int64_t centreoffset = 365;  // rod r's centre column is rodx[r] + 365
constexpr int64_t rodtop = 330;
constexpr int64_t basetop = 535;
constexpr int64_t basebottom = 546;
constexpr int64_t diskheight = 16;

uint8_t textwindow() { return t_MainWindow(); }

void drawrod(int64_t rod, int64_t top, int64_t bottom) {
    for (int64_t y = top; y <= bottom; ++y)
        g_Line(boardwindow, game.rodx[rod] + 362, y, game.rodx[rod] + 368, y);
}

// A disk covers one pixel more right of the rod's centre column than left of it.
void filldisk(int64_t rod, int64_t position, int64_t width) {
    const int64_t centre = game.rodx[rod] + centreoffset;
    const int64_t half = width / 2;
    const int64_t top = 515 - 20 * (position - 1);
    for (int64_t y = top; y < top + diskheight; ++y) g_Line(boardwindow, centre - half, y, centre + half + 1, y);
}

}  // namespace

void drawboard() {
    game.rodx = {0, 104, 276, 448};
    t_Color(textwindow(), brown);
    for (int64_t y = basetop; y <= basebottom; ++y) g_Line(boardwindow, 375, y, game.rodx[3] + 459, y);
    for (int64_t rod = 1; rod <= 3; ++rod) drawrod(rod, rodtop, basetop);
    for (int64_t p = 1; p <= 9; ++p) {
        game.diskwidth[p] = 161 - 18 * (p - 1);
        game.rodwidths[1][p] = game.diskwidth[p];
        game.disky[p] = 200 - 20 * (p - 1);
    }
    t_Color(textwindow(), green);
    drawstartdisks();
}

void drawstartdisks() {
    t_Color(textwindow(), yellow);
    for (int64_t p = 1; p <= game.diskcount; ++p) filldisk(1, p, game.diskwidth[p]);
    t_Color(textwindow(), green);
}

void drawdisk(int64_t rod, bool erase) {
    const int64_t position = game.rodcount[rod][0];
    filldisk(rod, position, game.rodwidths[rod][position]);
    if (erase) {
        t_Color(textwindow(), brown);
        const int64_t top = 515 - 20 * (position - 1);
        drawrod(rod, top, top + diskheight - 1);
    }
    t_Color(textwindow(), green);
}
