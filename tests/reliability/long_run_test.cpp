// A long run: a soak that re-creates windows and prints for a while. Memory must stay flat.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>

#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/plot.h"
#include "support/helpers.h"
#include "text/text_output.h"
#include "windows/invariants.h"

namespace {

// The largest resident set of this process in kB: whatever needs more than everything before raises it.
int64_t peakkb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

// Re-creates windows at every depth and size, prints, scrolls, draws, captures and puts the
// pictures back for 15 s. The video memory is allocated once, so once the first rounds have
// touched it the peak may not keep rising.
TEST(LongRun, SoakOfCreationsAndPrintingKeepsMemoryFlat) {
    static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
    const char* const fonts[] = {"MenloBold 16x32.font", "MenloRegular 16x32.font"};
    testing::internal::CaptureStdout();  // every creation logs its blocks
    int64_t settledkb = 0, round = 0;
    const auto start = std::chrono::steady_clock::now();
    for (; std::chrono::steady_clock::now() - start < std::chrono::seconds(15); ++round) {
        const auto window = static_cast<uint8_t>(round % 4);
        if (round % 3 == 0) {
            t_InitGraphicWindow(window, depths[round % 6], true, 100 + round % 13 * 37, 80 + round % 7 * 29, 4, 4,
                                t_Font{}, true);
        } else {
            t_InitWindow(window, depths[round % 6], 20 + round % 30, 4 + round % 9, round % 20, fonts[round % 2]);
        }
        t_WindowVisible(window, true);
        for (int line = 0; line < 30; ++line) t_Print(window, "Runde " + std::to_string(round) + "\r");
        for (int64_t x = 0; x < 100; x += 3) g_Line(window, x, 0, 99 - x, 79);
        const t_Graphic picture = g_CompressLZW(g_CompressRLE(g_Pack(g_GetScreen(window))));
        g_PutScreen(static_cast<uint8_t>((window + 1) % 4), picture, round % 50, round % 30);
        ASSERT_EQ(checkframeworkinvariants(), "") << "round " << round;
        if (settledkb == 0 && std::chrono::steady_clock::now() - start > std::chrono::seconds(3))
            settledkb = peakkb();
    }
    // Measured before the captured log is read back: on a fast machine that string alone is
    // megabytes.
    const int64_t grownkb = peakkb() - settledkb;
    (void)testing::internal::GetCapturedStdout();
    EXPECT_GT(round, 20);
#if !defined(__SANITIZE_ADDRESS__)  // its quarantine holds freed memory: RSS says nothing
    EXPECT_LT(grownkb, 16 * 1024) << "from " << settledkb << " kB";
#endif
}
