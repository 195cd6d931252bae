// The puzzle's game data and its solution table, built by doubling rather than by search.
#include <stangenspiel/stangenspiel.h>
#include "puzzle.h"

t_PuzzleData game;

void initgame(int64_t disks) {
    game.diskcount = disks;
    game.rodcount = {};
    game.rodcount[1][0] = disks;
    game.states.assign(static_cast<size_t>(intpower(2, disks) + 1), {});
    game.states[1] = {"", "1", "0", "0"};
    game.states[2] = {"", "0", "0", "1"};
}

void buildstates() {
    auto& states = game.states;
    for (int64_t m = 2; m <= game.diskcount; ++m) {
        // rows 1 to half move m - 1 disks from rod 1 to rod 3; below disk m on rod 1 and with
        // rods 2 and 3 exchanged, they move them to rod 2 instead
        const int64_t half = intpower(2, m - 1);
        const int64_t rows = 2 * half;
        const std::string digit(1, static_cast<char>('0' + m));
        for (int64_t j = 1; j <= half; ++j) {
            states[j][1] += digit;
            std::swap(states[j][2], states[j][3]);
        }
        // the way back, mirrored: disk m crosses to rod 3, then the smaller disks follow it there
        for (int64_t r = half + 1; r <= rows; ++r)
            for (int i = 1; i <= 3; ++i) states[r][i] = states[rows + 1 - r][4 - i];
    }
}

int64_t rodvalue(const std::string& rod) { return binarytoint(stringtobinary(rod)); }

t_Move findmove(int64_t k) {
    t_Move move;
    for (int i = 1; i <= 3; ++i) {
        const int64_t before = rodvalue(game.states[k][i]);
        const int64_t after = rodvalue(game.states[k + 1][i]);
        if (after < before) move.From = i;
        if (before < after) move.To = i;
    }
    return move;
}
