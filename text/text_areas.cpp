// Text areas, the header and rule lines, output redirection and screen read-back.
#include "text/text_areas.h"

#include <algorithm>

#include "core/framework_state.h"
#include "core/guards.h"
#include "core/text_utilities.h"
#include "text/glyphs.h"
#include "text/text_cells.h"
#include "text/text_output.h"

namespace {

constexpr uint8_t rulesegment = 156;
constexpr uint8_t carriagereturn = 13;

// First Unicode scalar of UTF-8 text, 0 when empty; only its low byte is ever drawn.
uint32_t firstscalar(const std::string& text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 4;
    uint32_t scalar = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (int k = 1; k < length && k < static_cast<int>(text.size()); ++k)
        scalar = scalar << 6 | (static_cast<unsigned char>(text[k]) & 0x3F);
    return scalar;
}

// Trailing blanks off every line and empty lines off the end (never the first line).
std::string cleanscreen(const std::string& screen) {
    std::vector<std::vector<uint8_t>> lines = binarysplit(stringtobinary(screen), carriagereturn);
    for (auto& line : lines)
        while (!line.empty() && line.back() == 32) line.pop_back();
    while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    const std::vector<uint8_t> joined = binaryjoin(lines, carriagereturn);
    return std::string(joined.begin(), joined.end());
}

}  // namespace

void t_Area(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_Area", window);
    if (!record) return;
    if (x1 >= 1 && x1 <= x2 && x2 <= record->TextWidth) {
        record->TextFirstColumn = x1;
        record->TextLastColumn = x2;
    }
    if (y1 >= 1 && y1 <= y2 && y2 <= record->TextHeight) {
        record->TextFirstLine = y1;
        record->TextLastLine = y2;
    }
    t_CursorHome(window);
}

void t_FullArea(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_FullArea", window);
    if (!record) return;
    record->TextFirstColumn = 1;
    record->TextLastColumn = record->TextWidth;
    record->TextFirstLine = 1;
    record->TextLastLine = record->TextHeight;
}

void t_Header(uint8_t window, const std::string& title, const std::string& second) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_Header", window, true);
    if (!record) return;
    const uint8_t colour = record->TextColor;
    const int64_t width = record->TextLastColumn - record->TextFirstColumn + 1;
    const int64_t gap = width - stringlength(title) - stringlength(second);
    const std::string line = gap >= 1 ? title + stringspaces(gap) + second : stringmid(title + second, 1, width);
    const int64_t count = stringlength(line);
    if (count >= 2) t_Print(window, stringmid(line, 1, count - 1));
    // The last cell is drawn without moving the cursor, so a full-width header never wraps.
    if (count >= 1) {
        const auto code = static_cast<uint8_t>(firstscalar(stringmid(line, count, 1)) & 0xFF);
        t_PrintSymbol(window, code, colour, record->TextHpos, record->TextVpos);
    }
    if (record->TextLastLine - record->TextFirstLine + 1 < 2) t_Htab(window, 1);
    else t_Cr(window);
}

void t_TextHline(uint8_t window, int64_t x1, int64_t x2, int64_t y, uint8_t character) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_TextHline", window, true);
    if (!record) return;
    // Cells beyond the screen are reported by t_PrintSymbol; stopping one cell past either edge
    // keeps hostile columns from running for ever while still giving that report.
    x1 = std::max<int64_t>(x1, 0);
    x2 = std::min(x2, record->TextWidth + 1);
    for (int64_t x = x1; x <= x2; ++x) t_PrintSymbol(window, character, record->TextColor, x, y);
}

void t_TextLine(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_TextLine", window, true);
    if (!record) return;
    t_TextHline(window, record->TextHpos, record->TextLastColumn, record->TextVpos, rulesegment);
    t_Cr(window);
}

void t_RedirectOutput(uint8_t window, int64_t mode) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_RedirectOutput", window)) record->TextRedirectOutput = mode;
}

std::string t_GetScreen(uint8_t window, const std::string& lineEnd) {
    FrameworkLock lock;
    const t_Window* record = windowguard("t_GetScreen", window, true);
    if (!record) return "";
    std::string screen;
    screen.reserve(static_cast<size_t>(std::max<int64_t>(record->TextWidth, 0) * 2 + 2) *
                   static_cast<size_t>(std::max<int64_t>(record->TextHeight, 0)));
    for (int64_t y = 1; y <= record->TextHeight; ++y) {
        for (int64_t x = 1; x <= record->TextWidth; ++x) screen += codeasutf8(recordedcharacter(*record, x, y));
        screen += lineEnd;
    }
    if (lineEnd.empty()) return screen;
    return cleanscreen(screen);
}
