#include <gtest/gtest.h>

#include <array>
#include <random>

#include "core/framework_state.h"
#include "tests/windows/window_fixture.h"
#include "windows/invariants.h"

namespace {

// The first byte of each block of a window, as a fingerprint that moves must carry along.
struct t_Marks {
    bool Present = false;
    int64_t Graphic = 0, Text = -1;
};

}  // namespace

TEST_F(WindowTest, RandomCreationsKeepEveryInvariantAndEveryWindowsContents) {
    std::mt19937_64 random(20240611);
    const std::array<int64_t, 7> depths{1, 4, 8, 16, 24, 32, 2};
    const std::array<int64_t, 6> sides{-5, 31, 33, 200, 1500, 9000};
    std::array<t_Marks, 8> marks{};
    int moves = 0;
    for (int step = 0; step < 80; ++step) {
        // Stamp every live window's blocks with a value of this step.
        for (uint8_t u = 0; u < 8; ++u) {
            const t_Window w = record(u);
            marks[u] = {w.Initialized, (u * 37 + step) & 0xFF, w.TextMemoryStart >= 0 ? (u * 53 + step) & 0xFF : -1};
            if (!w.Initialized) continue;
            *memoryat(w.MemoryStart) = static_cast<uint8_t>(marks[u].Graphic);
            if (marks[u].Text >= 0) *memoryat(w.TextMemoryStart) = static_cast<uint8_t>(marks[u].Text);
        }
        const uint8_t window = static_cast<uint8_t>(random() % 8);
        const int64_t depth = depths[random() % depths.size()];
        const int64_t width = sides[random() % sides.size()] + static_cast<int64_t>(random() % 64);
        const int64_t height = sides[random() % sides.size()] + static_cast<int64_t>(random() % 64);
        const int fontkind = static_cast<int>(random() % 3);
        const t_Font font = fontkind == 0 ? t_Font{} : fontkind == 1 ? glyphfont() : glyphfont(8, 8);
        const std::string log = created(window, depth, width, height, font, static_cast<int64_t>(random() % 40) - 5);
        if (log.find("moving graphic block") != std::string::npos) ++moves;

        ASSERT_EQ(checkframeworkinvariants(), "") << "after step " << step;
        for (uint8_t u = 0; u < 8; ++u) {
            const t_Window w = record(u);
            if (u == window || !marks[u].Present) continue;
            ASSERT_TRUE(w.Initialized) << "window " << int(u) << " lost at step " << step;
            EXPECT_EQ(*memoryat(w.MemoryStart), marks[u].Graphic) << "window " << int(u) << " step " << step;
            if (marks[u].Text >= 0) {
                EXPECT_EQ(*memoryat(w.TextMemoryStart), marks[u].Text);
            }
        }
    }
    EXPECT_GT(moves, 5);  // the sequence really exercised moving blocks
}

TEST_F(WindowTest, InvariantCheckNamesABrokenRule) {
    created(0, 8, 64, 64);
    created(1, 8, 64, 64, glyphfont());
    {
        FrameworkLock lock;
        framework.windows[1].TextLastColumn = 99;
    }
    EXPECT_NE(checkframeworkinvariants().find("text area"), std::string::npos);
    {
        FrameworkLock lock;
        framework.windows[1].TextLastColumn = 4;
        framework.windows[1].MemoryStart += 1024;  // its pixels no longer fit the block
    }
    EXPECT_NE(checkframeworkinvariants().find("window 1"), std::string::npos);
}
