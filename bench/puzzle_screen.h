// A 1280 x 800 x 24 picture like the puzzle's, shared by the coder benchmarks: black ground, a
// yellow base, three grey rods, seven coloured disks and four lines of text-like speckle in
// 16 x 32 cells. Deterministic, so every run codes the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

constexpr int puzzlescreenwidth = 1280;
constexpr int puzzlescreenheight = 800;

// Draws the picture into rgb, which holds width x height pixels of three bytes, rows top down.
inline void drawpuzzlescreen(uint8_t* rgb) {
    auto rect = [rgb](int x0, int y0, int x1, int y1, uint8_t r, uint8_t g, uint8_t b) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint8_t* p = rgb + (static_cast<size_t>(y) * puzzlescreenwidth + x) * 3;
                p[0] = r, p[1] = g, p[2] = b;
            }
    };
    rect(80, 700, 1200, 740, 0xFF, 0xFF, 0x00);
    for (int rod = 0; rod < 3; ++rod) rect(260 + rod * 380, 300, 272 + rod * 380, 700, 0xA8, 0xA8, 0xA8);
    const uint8_t colours[][3] = {{0xFF, 0, 0}, {0, 0x80, 0}, {0, 0, 0xFF}, {0xFF, 0x80, 0},
                                  {0x80, 0x40, 0}, {0, 0xFF, 0xFF}, {0xFF, 0, 0xFF}};
    for (int disk = 0; disk < 7; ++disk) {
        const int half = 160 - disk * 20, y = 700 - (disk + 1) * 40;
        rect(266 - half, y, 266 + half, y + 36, colours[disk][0], colours[disk][1], colours[disk][2]);
    }
    std::mt19937 random(42);
    const uint8_t greys[] = {0, 0, 0, 0, 64, 128, 192, 255, 255, 255};
    for (int line = 0; line < 4; ++line)
        for (int column = 0; column < 70; ++column) {
            if (random() % 6 == 0) continue;  // blanks between words
            for (int y = 6; y < 26; ++y)
                for (int x = 2; x < 14; ++x) {
                    const uint8_t v = greys[random() % 10];
                    rect(column * 16 + x, line * 32 + y, column * 16 + x + 1, line * 32 + y + 1, v, v, v);
                }
        }
}
