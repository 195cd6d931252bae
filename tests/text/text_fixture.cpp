#include "text_fixture.h"

#include "core/events.h"
#include "text/text_cells.h"
#include "windows/video_memory.h"
#include "windows/window_creation.h"

void maketextwindow(uint8_t window, int64_t depth, int64_t columns, int64_t lines, const t_Font& font) {
    createwindow(window, depth, false, columns * font.Width, lines * font.Height, 0, font);
    ASSERT_TRUE(framework.windows[window].Initialized);
    ASSERT_EQ(framework.windows[window].TextWidth, columns);
}

int64_t pixeladdress(const t_Window& record, int64_t x, int64_t y) {
    return record.MemoryStart + (y * record.Width + x) * (record.BitDepth / 8);
}

std::vector<uint8_t> memoryblock(int64_t first, int64_t last) {
    FrameworkLock lock;
    return {framework.videomemory.begin() + first, framework.videomemory.begin() + last + 1};
}

std::vector<std::string> screenlines(uint8_t window) {
    FrameworkLock lock;
    const t_Window& record = framework.windows[window];
    std::vector<std::string> lines;
    for (int64_t y = 1; y <= record.TextHeight; ++y) {
        std::string line;
        for (int64_t x = 1; x <= record.TextWidth; ++x) line += static_cast<char>(recordedcharacter(record, x, y));
        lines.push_back(line);
    }
    return lines;
}

void TextScreen::SetUp() {
    // Tests may also run one after another in one process: start from a fresh table.
    resetframeworkfortests();
    t_InitMemory();
    reseteventsfortests();
}

uint8_t TextScreen::cellcharacter(int64_t x, int64_t y, uint8_t window) { return recordedcharacter(record(window), x, y); }

uint8_t TextScreen::cellcolour(int64_t x, int64_t y, uint8_t window) { return recordedcolour(record(window), x, y); }
