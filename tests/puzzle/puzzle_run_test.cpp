#include <gtest/gtest.h>

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

// Screen lines 1 to 25, trailing blanks removed.
std::vector<std::string> screenlines() {
    std::vector<std::string> lines(1);
    for (char c : t_GetScreen(0, "\r")) {
        if (c == '\r') lines.emplace_back();
        else lines.back() += c;
    }
    lines.resize(25);
    lines.insert(lines.begin(), std::string());  // lines count from 1
    return lines;
}

bool screenshows(int line, const std::string& text) { return screenlines()[line] == text; }

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

// The picture of a finished game: every disk on rod 3, rods 1 and 2 bare.
void expectgoal(int64_t n) {
    for (int64_t p = 1; p <= 9; ++p) {
        const int64_t top = 515 - 20 * (p - 1);
        const int64_t half = (161 - 18 * (p - 1)) / 2;
        EXPECT_TRUE(filled(380, top, 465, top + 15, black)) << "rod 1, position " << p;
        EXPECT_TRUE(filled(466, top, 472, top + 15, brown)) << "rod 1, position " << p;
        EXPECT_TRUE(filled(466 + 172, top, 472 + 172, top + 15, brown)) << "rod 2, position " << p;
        if (p <= n) {
            EXPECT_TRUE(filled(813 - half, top, 814 + half, top + 15, yellow)) << "rod 3, position " << p;
            EXPECT_TRUE(filled(812 - half, top, 812 - half, top + 15, black));
            EXPECT_TRUE(filled(815 + half, top, 815 + half, top + 15, black));
        } else {
            EXPECT_TRUE(filled(810, top, 816, top + 15, brown)) << "rod 3, position " << p;
            EXPECT_TRUE(filled(809, top, 809, top + 15, black));
        }
    }
    EXPECT_EQ(game.rodcount[1][0], 0);
    EXPECT_EQ(game.rodcount[2][0], 0);
    EXPECT_EQ(game.rodcount[3][0], n);
    for (int64_t p = 1; p <= n; ++p) EXPECT_EQ(game.rodwidths[3][p], 161 - 18 * (p - 1));
}

}  // namespace

TEST(Puzzle, ThreeDisksFromRulesToClosingMessage) {
    startpuzzle();
    ASSERT_TRUE(onscreen([] { return screenshows(9, "Wieviele Scheiben werden gewünscht (2-9):"); }));
    typekeys("x10");
    typekey(8);  // the left cursor key
    sleepms(200);
    EXPECT_TRUE(screenshows(9, "Wieviele Scheiben werden gewünscht (2-9):"));  // rejected, not echoed
    EXPECT_EQ(keyeventcount(), 0);
    typekeys("3");
    ASSERT_TRUE(onscreen([] { return screenshows(19, "Zug 1 von 7, bitte eine Taste drücken:"); }));

    std::vector<std::string> lines = screenlines();
    EXPECT_EQ(lines[1].substr(0, 12), "Stangenspiel");
    EXPECT_EQ(lines[4], "Eine gewisse - vorzugebende - Anzahl von Scheiben befindet sich auf der linken");
    EXPECT_EQ(lines[5], "von drei Stangen. Das Ziel ist es, alle Scheiben auf die rechte Stange zu ver-");
    EXPECT_EQ(lines[6], "setzen. Dabei dürfen die Scheiben nur einzeln bewegt werden und es darf keine");
    EXPECT_EQ(lines[7], "größere Scheibe auf einer kleineren zu liegen kommen.");
    EXPECT_EQ(lines[9], "Wieviele Scheiben werden gewünscht (2-9): 3");
    for (int line : {3, 8, 10, 11, 18, 20, 21}) EXPECT_EQ(lines[line], "") << "line " << line;

    // the start: base, rods, three disks on rod 1
    EXPECT_TRUE(filled(375, 535, 907, 546, brown));
    EXPECT_TRUE(filled(374, 535, 374, 546, black));
    EXPECT_TRUE(filled(908, 535, 908, 546, black));
    for (int64_t centre : {641, 813}) EXPECT_TRUE(filled(centre - 3, 330, centre + 3, 535, brown));
    EXPECT_TRUE(filled(466, 330, 472, 474, brown));
    EXPECT_TRUE(filled(466, 329, 472, 329, black));
    EXPECT_TRUE(filled(389, 515, 550, 530, yellow));
    EXPECT_TRUE(filled(398, 495, 541, 510, yellow));
    EXPECT_TRUE(filled(407, 475, 532, 490, yellow));
    EXPECT_TRUE(filled(406, 475, 406, 490, black));
    EXPECT_TRUE(filled(533, 475, 533, 490, black));
    EXPECT_TRUE(filled(466, 455, 472, 474, brown));  // rod above the top disk

    // move 1: the smallest disk from rod 1 to rod 3, the rod repaired where it lay
    typekeys(" ");
    ASSERT_TRUE(onscreen([] { return screenshows(19, "Zug 2 von 7, bitte eine Taste drücken:"); }));
    EXPECT_TRUE(filled(407, 475, 465, 490, black));
    EXPECT_TRUE(filled(466, 475, 472, 490, brown));
    EXPECT_TRUE(filled(473, 475, 532, 490, black));
    EXPECT_TRUE(filled(751, 515, 876, 530, yellow));
    EXPECT_TRUE(filled(750, 515, 750, 530, black));
    EXPECT_TRUE(filled(877, 515, 877, 530, black));
    EXPECT_TRUE(filled(810, 330, 816, 514, brown));
    // the prompt after the move is printed in the window's green again, not in a disk colour
    int64_t greenpixels = 0, otherpixels = 0;
    for (int64_t y = 18 * 32; y < 19 * 32; ++y)
        for (int64_t x = 0; x < 700; ++x) {
            const uint32_t colour = pixel(x, y);
            if (colour == green) ++greenpixels;
            else if (colour & 0xFF00FF) ++otherpixels;
        }
    EXPECT_GT(greenpixels, 100);
    EXPECT_EQ(otherpixels, 0);

    typekeys("abcdef");
    ASSERT_TRUE(onscreen([] { return programended.load(); }));
    lines = screenlines();
    EXPECT_EQ(lines[19], "Zug 7 von 7, bitte eine Taste drücken:");
    EXPECT_EQ(lines[21], "Animation des Lösungswegs beendet.");
    EXPECT_EQ(lines[25], "(Programm Ende)");
    EXPECT_EQ(keyeventcount(), 0);
    expectgoal(3);
}

TEST(Puzzle, TwoDisksWithTheMoveKeysTypedAhead) {
    startpuzzle();
    // the digit key is read alone: the "3" right behind it is the first move's key, not a 23
    typekeys("23xy");
    ASSERT_TRUE(onscreen([] { return programended.load(); }));
    const std::vector<std::string> lines = screenlines();
    EXPECT_EQ(lines[9], "Wieviele Scheiben werden gewünscht (2-9): 2");
    EXPECT_EQ(lines[19], "Zug 3 von 3, bitte eine Taste drücken:");
    EXPECT_EQ(lines[21], "Animation des Lösungswegs beendet.");
    EXPECT_EQ(keyeventcount(), 0);
    expectgoal(2);
}

TEST(Puzzle, NineDisksTake511KeysSentAtOnce) {
    startpuzzle();
    typekeys("9");
    ASSERT_TRUE(onscreen([] { return screenshows(19, "Zug 1 von 511, bitte eine Taste drücken:"); }));
    EXPECT_EQ(game.states.size(), 513u);
    EXPECT_TRUE(filled(461, 355, 478, 370, yellow));  // the smallest disk, 17 wide, drawn 18
    EXPECT_TRUE(filled(460, 355, 460, 370, black));
    EXPECT_TRUE(filled(479, 355, 479, 370, black));
    EXPECT_TRUE(filled(466, 330, 472, 354, brown));

    typekeys(std::string(511, ' '));
    ASSERT_TRUE(onscreen([] { return programended.load(); }, 120));
    const std::vector<std::string> lines = screenlines();
    EXPECT_EQ(lines[19], "Zug 511 von 511, bitte eine Taste drücken:");
    EXPECT_EQ(lines[21], "Animation des Lösungswegs beendet.");
    EXPECT_EQ(keyeventcount(), 0);
    expectgoal(9);
}
