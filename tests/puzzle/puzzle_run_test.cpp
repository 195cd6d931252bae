#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "app/startup.h"
#include "puzzle/puzzle.h"
#include "support/helpers.h"
#include "text/text_areas.h"

namespace {

constexpr uint32_t black = 0x000000, brown = 0x804000, yellow = 0xFFFF00;

void typekeys(const std::string& keys) {
    for (char key : keys) typekey(static_cast<uint8_t>(key));
}

// The screen's lines, trailing blanks and lines removed, joined by returns.
std::string screen() { return t_GetScreen(0, "\r"); }

// The program answers keys at its own pace: up to 20 s for a step, 2 min for 511 moves.
bool showslast(const std::string& text, int64_t seconds = 20) {
    return eventually([&] { return testing::Value(screen(), testing::EndsWith(text)); }, seconds * 1000);
}

uint32_t pixel(int64_t x, int64_t y) {
    const t_RGBColor colour = g_Scrn<t_RGBColor>(boardwindow, x, y);
    return uint32_t{colour.Red} << 16 | uint32_t{colour.Green} << 8 | colour.Blue;
}

// Every pixel of the rectangle has the colour; reports the first one that has not.
void expectfilled(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t colour) {
    for (int64_t y = y1; y <= y2; ++y)
        for (int64_t x = x1; x <= x2; ++x) ASSERT_EQ(pixel(x, y), colour) << "pixel (" << x << ", " << y << ")";
}

// The board holds n disks on one rod (0-2) and nothing else: the base, each disk yellow with
// black beside it, each free place the bare brown rod in black. Disk p is 161 - 18 (p - 1) wide.
void expectboard(size_t full, int64_t n) {
    expectfilled(375, 535, 907, 546, brown);
    for (size_t rod = 0; rod < 3; ++rod) {
        const int64_t centre = 469 + 172 * static_cast<int64_t>(rod);
        expectfilled(centre - 3, 330, centre + 3, 354, brown);
        for (int64_t p = 1; p <= 9; ++p) {
            const int64_t top = 515 - 20 * (p - 1);
            const int64_t half = rod == full && p <= n ? (161 - 18 * (p - 1)) / 2 : -1;
            const int64_t from = half < 0 ? centre - 81 : centre - half - 1;
            const int64_t to = half < 0 ? centre + 82 : centre + half + 2;
            for (int64_t x = from; x <= to; ++x) {
                const bool inside = half < 0 ? x >= centre - 3 && x <= centre + 3 : x > from && x < to;
                expectfilled(x, top, x, top + 15, !inside ? black : half < 0 ? brown : yellow);
            }
        }
    }
}

}  // namespace

// Keys that are no disk count are refused, not echoed; then nine disks take 511 keys sent at
// once, and the program ends with every disk on rod 3 and its closing lines.
TEST(Puzzle, RulesThenNineDisksToTheClosingMessage) {
    static std::atomic<bool> ended{false};  // the thread may outlive a failed test
    startprocess([] {
        struct t_EndMark {
            ~t_EndMark() { ended = true; }
        } mark;
        programmain();
    }, 0x4000000);
    ASSERT_TRUE(showslast("Wieviele Scheiben werden gewünscht (2-9):"));
    typekeys("x10");
    typekey(8);  // the left cursor key
    typekeys("9");
    ASSERT_TRUE(showslast("\rZug 1 von 511, bitte eine Taste drücken:"));
    EXPECT_THAT(screen(), testing::StartsWith("Stangenspiel"));
    EXPECT_THAT(screen(), testing::HasSubstr(
                              "\r\rEine gewisse - vorzugebende - Anzahl von Scheiben befindet sich auf der linken\r"
                              "von drei Stangen. Das Ziel ist es, alle Scheiben auf die rechte Stange zu ver-\r"
                              "setzen. Dabei dürfen die Scheiben nur einzeln bewegt werden und es darf keine\r"
                              "größere Scheibe auf einer kleineren zu liegen kommen.\r\r"
                              "Wieviele Scheiben werden gewünscht (2-9): 9\r\r\r\r\r\r\r\r\r\r"
                              "Zug 1 von 511, bitte eine Taste drücken:"));
    expectboard(0, 9);  // the smallest disk is 17 wide, drawn 18
    typekeys(std::string(511, ' '));
    ASSERT_TRUE(showslast("Zug 511 von 511, bitte eine Taste drücken:\r\r"
                          "Animation des Lösungswegs beendet.\r\r\r\r(Programm Ende)", 120));
    ASSERT_TRUE(eventually([] { return ended.load(); }));
    EXPECT_EQ(keyeventcount(), 0);
    expectboard(2, 9);
}
