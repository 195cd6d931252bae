// A text window for the text screen tests: a synthetic grey font whose glyphs (all but the
// blank 32) hold every coverage value 0-255 in their first rows, so blends can be checked.
#pragma once

#include "support/helpers.h"
#include "text/text_cells.h"
#include "text/text_output.h"
#include "windows/video_memory.h"

// Glyph pixel (row, column) has coverage row * width + column (mod 256).
inline t_Font testfont(int64_t width = 16, int64_t height = 32) {
    t_Font font = greyfont(width, height);
    for (int64_t c = 0; c < 256; ++c)
        for (int64_t i = 0; c != 32 && i < width * height; ++i)
            font.Data[static_cast<size_t>(c * width * height + i)] = static_cast<uint8_t>(i & 0xFF);
    return font;
}

// Byte address of pixel (x, y) of a window at depth 8, 16, 24 or 32.
inline int64_t pixeladdress(const t_Window& record, int64_t x, int64_t y) {
    return record.MemoryStart + (y * record.Width + x) * (record.BitDepth / 8);
}

// Video memory from first to last inclusive, to show that a call left it alone.
inline Bytes memoryblock(int64_t first, int64_t last) {
    FrameworkLock lock;
    return {framework.videomemory.begin() + first, framework.videomemory.begin() + last + 1};
}

// A table row: what to do to window 0, and the state() it leaves.
struct Step {
    std::function<void()> action;
    std::string expected;
};

// Prints text in window 0, in display mode `mode` when one is given.
inline std::function<void()> print(const std::string& text, int64_t mode = -1) {
    return [text, mode] {
        if (mode >= 0) t_DisplayMode(0, mode);
        t_Print(0, text);
    };
}

class TextScreen : public testing::Test {
protected:
    void SetUp() override {
        // Tests may also run one after another in one process: start from a fresh table.
        resetframeworkfortests();
        t_InitMemory();
        reseteventsfortests();
    }
    // Window `window` of columns x lines cells of the font, without border, through the real creation.
    static void maketextwindow(uint8_t window, int64_t depth, int64_t columns, int64_t lines, const t_Font& font = testfont()) {
        createwindow(window, depth, false, columns * font.Width, lines * font.Height, 0, font);
        ASSERT_EQ(framework.windows[window].TextWidth, columns);
    }
    static t_Window& record(uint8_t window = 0) { return framework.windows[window]; }
    static Bytes windowblocks(uint8_t window = 0) {  // its character screen and pixels
        return memoryblock(record(window).TextMemoryStart, record(window).MemoryEnd);
    }
    static uint8_t cellcolour(int64_t x, int64_t y, uint8_t window = 0) { return recordedcolour(record(window), x, y); }

    // The screen's lines without trailing blanks, joined by '|' (codes outside 32-126 as [code]),
    // then the cursor, the colour (i: inverse video) and the display mode: "ab|  c @3,2 C0i m0".
    static std::string state(uint8_t window = 0) {
        FrameworkLock lock;
        const t_Window& w = record(window);
        std::string text;
        for (int64_t y = 1; y <= w.TextHeight; ++y) {
            std::string line;
            for (int64_t x = 1; x <= w.TextWidth; ++x) {
                const uint8_t c = recordedcharacter(w, x, y);
                line += c >= 32 && c < 127 ? std::string(1, static_cast<char>(c)) : "[" + std::to_string(c) + "]";
            }
            text += line.substr(0, line.find_last_not_of(' ') + 1) + (y < w.TextHeight ? "|" : "");
        }
        const char* hex = "0123456789ABCDEF";
        return text + " @" + std::to_string(w.TextHpos) + "," + std::to_string(w.TextVpos) + " " + hex[w.TextColor >> 4] +
               hex[w.TextColor & 15] + (w.TextInverse ? "i" : "") + " m" + std::to_string(w.TextDisplayMode);
    }
    static void play(const std::vector<Step>& steps) {
        for (size_t i = 0; i < steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i + 1));
            steps[i].action();
            EXPECT_EQ(state(), steps[i].expected);
        }
    }
};
