// The move loop: one key press per move, each move found by comparing two rows of the table.
#include <stangenspiel/stangenspiel.h>
#include "puzzle.h"

void playmoves() {
    const uint8_t window = t_MainWindow();
    const int64_t moves = intpower(2, game.diskcount) - 1;
    for (int64_t k = 1; k <= moves; ++k) {
        t_Htab(window, 1);
        t_Print(window, "Zug " + std::to_string(k) + " von " + std::to_string(moves) +
                            ", bitte eine Taste drücken: ");
        t_ClearEndOfLine(window);
        t_GetKey(window);
        domove(k);
    }
    t_Cr(window);
}

void domove(int64_t k) {
    const t_Move move = findmove(k);
    if (move.From == 0 || move.To == 0) return;  // the table always holds one move per row pair
    t_Color(t_MainWindow(), 0);
    drawdisk(move.From, true);
    const int64_t width = game.rodwidths[move.From][game.rodcount[move.From][0]];
    --game.rodcount[move.From][0];
    const int64_t arrived = ++game.rodcount[move.To][0];
    game.rodwidths[move.To][arrived] = width;
    t_Color(t_MainWindow(), 13);
    drawdisk(move.To, false);
}
