#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "core/events.h"
#include "core/framework_state.h"
#include "graphics/plot.h"
#include "puzzle/puzzle.h"
#include "support/helpers.h"
#include "text/text_areas.h"

namespace {

// The program answers keys at its own pace: up to 20 s for each step, 2 min for 511 moves.
bool onscreen(const std::function<bool()>& condition, int64_t seconds = 20) { return eventually(condition, seconds * 1000); }

void typekeys(const std::string& keys) {
    for (char key : keys) typekey(static_cast<uint8_t>(key));
}

// The program on a thread of its own, as start-up runs it: it ends with t_QuitProgram.
std::atomic<bool> programended{false};

void startpuzzle() {
    startprocess([] {
        struct t_EndMark {
            ~t_EndMark() { programended = true; }
        } mark;
        programmain();
    }, 0x4000000);
}

// The screen's lines, trailing blanks and lines removed, joined by returns.
std::string screen() { return t_GetScreen(0, "\r"); }

bool showslast(const std::string& text) { return testing::Value(screen(), testing::EndsWith(text)); }

uint32_t pixel(int64_t x, int64_t y) {
    const t_RGBColor colour = g_Scrn<t_RGBColor>(boardwindow, x, y);
    return uint32_t{colour.Red} << 16 | uint32_t{colour.Green} << 8 | colour.Blue;
}

constexpr uint32_t black = 0x000000, brown = 0x804000, green = 0x00FF00, yellow = 0xFFFF00;

// Every pixel of the rectangle has the colour; reports the first one that has not.
testing::AssertionResult filled(int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t colour) {
    for (int64_t y = y1; y <= y2; ++y)
        for (int64_t x = x1; x <= x2; ++x)
            if (pixel(x, y) != colour)
                return testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                                   << pixel(x, y) << ", not " << colour;
    return testing::AssertionSuccess();
}

// The board holds these disks (widths, bottom first, per rod 1-3) and nothing else: each disk
// yellow with black beside it, each free place the bare brown rod in black, the base below.
void expectboard(const std::array<std::vector<int64_t>, 3>& rods) {
    EXPECT_TRUE(filled(375, 535, 907, 546, brown));
    EXPECT_TRUE(filled(374, 535, 374, 546, black));
    EXPECT_TRUE(filled(908, 535, 908, 546, black));
    for (size_t rod = 0; rod < 3; ++rod) {
        const int64_t centre = 469 + 172 * static_cast<int64_t>(rod);
        EXPECT_TRUE(filled(centre - 3, 330, centre + 3, 354, brown)) << "rod " << rod + 1;
        EXPECT_TRUE(filled(centre - 3, 329, centre + 3, 329, black)) << "rod " << rod + 1;
        for (size_t p = 1; p <= 9; ++p) {
            SCOPED_TRACE("rod " + std::to_string(rod + 1) + ", position " + std::to_string(p));
            const int64_t top = 515 - 20 * static_cast<int64_t>(p - 1);
            const int64_t half = p <= rods[rod].size() ? rods[rod][p - 1] / 2 : -1;
            if (half < 0) {
                EXPECT_TRUE(filled(centre - 81, top, centre - 4, top + 15, black));
                EXPECT_TRUE(filled(centre - 3, top, centre + 3, top + 15, brown));
                EXPECT_TRUE(filled(centre + 4, top, centre + 82, top + 15, black));
            } else {
                EXPECT_TRUE(filled(centre - half - 1, top, centre - half - 1, top + 15, black));
                EXPECT_TRUE(filled(centre - half, top, centre + half + 1, top + 15, yellow));
                EXPECT_TRUE(filled(centre + half + 2, top, centre + half + 2, top + 15, black));
            }
        }
    }
}

std::vector<int64_t> disks(int64_t n) {  // the widths of n disks, bottom first
    std::vector<int64_t> widths;
    for (int64_t p = 1; p <= n; ++p) widths.push_back(161 - 18 * (p - 1));
    return widths;
}

// Types the keys; the program ends with every disk on rod 3 and its closing lines.
void finishes(const std::string& keys, int64_t n, int64_t seconds = 20) {
    typekeys(keys);
    ASSERT_TRUE(onscreen([] { return programended.load(); }, seconds));
    const std::string moves = std::to_string((1 << n) - 1);
    EXPECT_THAT(screen(), testing::HasSubstr("Wieviele Scheiben werden gewünscht (2-9): " + std::to_string(n) + "\r"));
    EXPECT_THAT(screen(), testing::EndsWith("Zug " + moves + " von " + moves + ", bitte eine Taste drücken:\r\r"
                                            "Animation des Lösungswegs beendet.\r\r\r\r(Programm Ende)"));
    EXPECT_EQ(keyeventcount(), 0);
    expectboard({{{}, {}, disks(n)}});
}

}  // namespace

TEST(Puzzle, ThreeDisksFromRulesToClosingMessage) {
    startpuzzle();
    ASSERT_TRUE(onscreen([] { return showslast("Wieviele Scheiben werden gewünscht (2-9):"); }));
    typekeys("x10");
    typekey(8);  // the left cursor key
    sleepms(200);
    EXPECT_TRUE(showslast("Wieviele Scheiben werden gewünscht (2-9):"));  // rejected, not echoed
    EXPECT_EQ(keyeventcount(), 0);
    typekeys("3");
    ASSERT_TRUE(onscreen([] { return showslast("\rZug 1 von 7, bitte eine Taste drücken:"); }));
    EXPECT_THAT(screen(), testing::StartsWith("Stangenspiel"));
    EXPECT_THAT(screen(), testing::HasSubstr(
                              "\r\rEine gewisse - vorzugebende - Anzahl von Scheiben befindet sich auf der linken\r"
                              "von drei Stangen. Das Ziel ist es, alle Scheiben auf die rechte Stange zu ver-\r"
                              "setzen. Dabei dürfen die Scheiben nur einzeln bewegt werden und es darf keine\r"
                              "größere Scheibe auf einer kleineren zu liegen kommen.\r\r"
                              "Wieviele Scheiben werden gewünscht (2-9): 3\r\r\r\r\r\r\r\r\r\r"
                              "Zug 1 von 7, bitte eine Taste drücken:"));
    expectboard({{disks(3), {}, {}}});
    // Move 1 takes the smallest disk to rod 3 and repairs rod 1 where it lay.
    typekeys(" ");
    ASSERT_TRUE(onscreen([] { return showslast("\rZug 2 von 7, bitte eine Taste drücken:"); }));
    expectboard({{{161, 143}, {}, {125}}});
    // The prompt after the move is printed in the window's green again, not in a disk colour.
    int64_t greenpixels = 0, otherpixels = 0;
    for (int64_t y = 18 * 32; y < 19 * 32; ++y)
        for (int64_t x = 0; x < 700; ++x) {
            const uint32_t colour = pixel(x, y);
            if (colour == green) ++greenpixels;
            else if (colour & 0xFF00FF) ++otherpixels;
        }
    EXPECT_GT(greenpixels, 100);
    EXPECT_EQ(otherpixels, 0);
    finishes("abcdef", 3);
}

TEST(Puzzle, TwoDisksWithTheMoveKeysTypedAhead) {
    startpuzzle();
    // The digit key is read alone: the "3" right behind it is the first move's key, not a 23.
    finishes("23xy", 2);
}

TEST(Puzzle, NineDisksTake511KeysSentAtOnce) {
    startpuzzle();
    typekeys("9");
    ASSERT_TRUE(onscreen([] { return showslast("\rZug 1 von 511, bitte eine Taste drücken:"); }));
    expectboard({{disks(9), {}, {}}});  // the smallest disk is 17 wide, drawn 18
    finishes(std::string(511, ' '), 9, 120);
}
