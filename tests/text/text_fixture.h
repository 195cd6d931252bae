// A text window for the text screen tests: a synthetic grey font whose glyphs (all but the
// blank 32) hold every coverage value 0-255 in their first rows, so blends can be checked.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/framework_state.h"
#include "core/window_record.h"

// Coverage of glyph pixel (row, column) for every character but the blank.
inline uint8_t testcoverage(int64_t row, int64_t column, int64_t width) {
    return static_cast<uint8_t>((row * width + column) & 0xFF);
}

inline t_Font testfont(int64_t width = 16, int64_t height = 32) {
    t_Font font;
    font.Format = 2;
    font.Start = 0;
    font.End = 255;
    font.Width = width;
    font.Height = height;
    font.Data.assign(static_cast<size_t>(256 * width * height), 0);
    for (int64_t c = 0; c < 256; ++c) {
        if (c == 32) continue;
        for (int64_t r = 0; r < height; ++r)
            for (int64_t k = 0; k < width; ++k)
                font.Data[static_cast<size_t>((c * height + r) * width + k)] = testcoverage(r, k, width);
    }
    return font;
}

// Creates window `window` of columns x lines cells of the font at the given depth, without
// border, through the real window creation.
void maketextwindow(uint8_t window, int64_t depth, int64_t columns, int64_t lines, const t_Font& font = testfont());

// Byte address of pixel (x, y) of a window at depth 8, 16, 24 or 32.
int64_t pixeladdress(const t_Window& record, int64_t x, int64_t y);

// The screen's lines as plain strings (codes 0-127 only), for readable expectations.
std::vector<std::string> screenlines(uint8_t window);

class TextScreen : public testing::Test {
protected:
    void SetUp() override;
    t_Window& record(uint8_t window = 0) { return framework.windows[window]; }
    uint8_t cellcharacter(int64_t x, int64_t y, uint8_t window = 0);
    uint8_t cellcolour(int64_t x, int64_t y, uint8_t window = 0);
};
