#include "text_fixture.h"

#include "core/events.h"
#include "text/text_cells.h"
#include "windows/video_memory.h"

void maketextwindow(uint8_t window, int64_t depth, int64_t columns, int64_t lines, const t_Font& font) {
    FrameworkLock lock;
    t_Window& record = framework.windows[window];
    record = t_Window{};
    const int64_t width = columns * font.Width, height = lines * font.Height;
    const int64_t graphicsize = depth == 1 ? height * width / 8 : depth == 4 ? height * width / 2 : height * depth * width / 8;
    const auto place = [](int64_t size) {
        const int64_t start = (framework.highmemory - size + 1) & ~int64_t{1023};
        const int64_t end = framework.highmemory;
        framework.highmemory = start - 1;
        return std::pair{start, end};
    };
    std::tie(record.MemoryStart, record.MemoryEnd) = place(graphicsize);
    std::fill(framework.videomemory.begin() + record.MemoryStart, framework.videomemory.begin() + record.MemoryEnd + 1, 0);
    std::tie(record.TextMemoryStart, record.TextMemoryEnd) = place(columns * lines * 2);
    record.Initialized = true;
    record.BitDepth = depth;
    record.Width = width;
    record.Height = height;
    record.Font = font;
    record.TextWidth = columns;
    record.TextHeight = lines;
    record.TextFirstColumn = 1;
    record.TextLastColumn = columns;
    record.TextFirstLine = 1;
    record.TextLastLine = lines;
    record.TextHpos = 1;
    record.TextVpos = 1;
    record.TextColor = 0xC0;
    const int64_t half = textplanehalf(record);
    for (int64_t i = 0; i < columns * lines; ++i) {
        framework.videomemory[static_cast<size_t>(record.TextMemoryStart + i)] = 32;
        framework.videomemory[static_cast<size_t>(record.TextMemoryStart + half + i)] = 0xC0;
    }
}

int64_t pixeladdress(const t_Window& record, int64_t x, int64_t y) {
    return record.MemoryStart + (y * record.Width + x) * (record.BitDepth / 8);
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

uint8_t TextScreen::cellcharacter(int64_t x, int64_t y, uint8_t window) {
    return recordedcharacter(record(window), x, y);
}

uint8_t TextScreen::cellcolour(int64_t x, int64_t y, uint8_t window) {
    return recordedcolour(record(window), x, y);
}
