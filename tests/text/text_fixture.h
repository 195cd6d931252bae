// A text window for the text screen tests: a synthetic grey font whose glyphs (all but the
// blank 32) hold every coverage value 0-255 in their first rows, so blends can be checked.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/framework_state.h"
#include "core/window_record.h"
#include "support/helpers.h"

// Glyph pixel (row, column) has coverage row * width + column (mod 256).
inline t_Font testfont(int64_t width = 16, int64_t height = 32) {
    t_Font font = greyfont(width, height);
    for (int64_t c = 0; c < 256; ++c)
        for (int64_t i = 0; c != 32 && i < width * height; ++i)
            font.Data[static_cast<size_t>(c * width * height + i)] = static_cast<uint8_t>(i & 0xFF);
    return font;
}

// Creates window `window` of columns x lines cells of the font at the given depth, without
// border, through the real window creation.
void maketextwindow(uint8_t window, int64_t depth, int64_t columns, int64_t lines, const t_Font& font = testfont());

// Byte address of pixel (x, y) of a window at depth 8, 16, 24 or 32.
int64_t pixeladdress(const t_Window& record, int64_t x, int64_t y);

// Video memory from first to last inclusive, to show that a call left it alone.
std::vector<uint8_t> memoryblock(int64_t first, int64_t last);

// The screen's lines as plain strings (codes 0-127 only), for readable expectations.
std::vector<std::string> screenlines(uint8_t window);

using Cursor = std::pair<int64_t, int64_t>;  // column, line

class TextScreen : public testing::Test {
protected:
    void SetUp() override;
    t_Window& record(uint8_t window = 0) { return framework.windows[window]; }
    Cursor cursor(uint8_t window = 0) { return {record(window).TextHpos, record(window).TextVpos}; }
    // First column, first line, last column, last line.
    std::array<int64_t, 4> area(uint8_t window = 0) {
        const t_Window& w = record(window);
        return {w.TextFirstColumn, w.TextFirstLine, w.TextLastColumn, w.TextLastLine};
    }
    std::vector<uint8_t> windowblocks(uint8_t window = 0) {  // its character screen and pixels
        return memoryblock(record(window).TextMemoryStart, record(window).MemoryEnd);
    }
    uint8_t cellcharacter(int64_t x, int64_t y, uint8_t window = 0);
    uint8_t cellcolour(int64_t x, int64_t y, uint8_t window = 0);
};
