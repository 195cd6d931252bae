// The user program: the three-rod disk puzzle. Everything runs on the program thread.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Rods are 1 (left), 2 (middle), 3 (right); row 0 of every per-rod table is unused. Positions
// on a rod count from 1 (bottom) to 9. A rod string lists the rod from the top down: "1" or
// "0" for whether disk 1 (the smallest) lies there, then the digits of its other disks.
struct t_PuzzleData {
    int64_t diskcount = 0;                            // n, 2 to 9
    std::array<std::array<int64_t, 10>, 4> rodcount{};  // [r][0]: disks now on rod r
    std::array<std::array<int64_t, 10>, 4> rodwidths{}; // [r][p]: width of the disk at position p
    std::array<int64_t, 4> rodx{};                    // rod r's centre column is rodx[r] + 365
    std::array<int64_t, 10> diskwidth{};              // [p]: 161 - 18 (p - 1)
    std::array<int64_t, 10> disky{};                  // [p]: 200 - 20 (p - 1)
    std::vector<std::array<std::string, 4>> states;   // rows 1 to 2^n: the positions in play order
};

extern t_PuzzleData game;

constexpr uint8_t boardwindow = 0;  // the drawing always goes to window 0

void programmain();                   // the whole program; ends the thread with t_QuitProgram
void askdiskcount();                  // prompt, one key '2'-'9' (others ignored), game data set up

void initgame(int64_t disks);         // n disks on rod 1, state table of 2^n + 1 rows, rows 1-2 set
void buildstates();                   // rows 1 to 2^n: the shortest solution, built by doubling
int64_t rodvalue(const std::string& rod);  // decimal value of a rod string: "023" is 23
struct t_Move {
    int64_t From = 0, To = 0;         // 0 when the two positions do not differ by one move
};
t_Move findmove(int64_t k);           // the rods that lose and gain a disk from row k to k + 1

void drawboard();                     // base, three rods, the start disks on rod 1
void drawstartdisks();                // the n disks of rod 1 in yellow
void playmoves();                     // one move per key press, prompts on the current line
void domove(int64_t k);               // carries out move k on the screen and in rodcount
void drawdisk(int64_t rod, bool erase);  // fills the top disk of rod; erase repairs the rod behind
