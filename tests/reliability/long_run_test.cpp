// Long runs: the puzzle with nine disks played to the end by a scripted run typing as fast as
// it can, and a soak that re-creates windows and prints for a while. Memory must stay flat.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <fstream>

#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/plot.h"
#include "support/helpers.h"
#include "text/text_output.h"
#include "windows/invariants.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool addresssanitizer = true;  // its quarantine holds freed memory: RSS says nothing
#else
constexpr bool addresssanitizer = false;
#endif

std::string readfile(const std::string& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Runs the program beside the test binaries with the arguments; its output goes to the log.
int runprogram(const std::string& arguments, const std::string& logpath) {
    const std::string program =
        std::filesystem::path(host::applicationpath()).parent_path().parent_path() / "stangenspiel";
    const int status = std::system((program + " " + arguments + " >" + logpath + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The largest resident set in kB of this process (RUSAGE_SELF) or of the programs it ran so far
// (RUSAGE_CHILDREN): whatever needs more than everything before raises it.
int64_t peakkb(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    return usage.ru_maxrss;
}

}  // namespace

TEST(LongRun, NineDisksPlayedToTheEndAtFullSpeedNeedNoMoreMemoryThanTwo) {
    TempDir dir;
    const std::string log = dir.file("log");
    ASSERT_EQ(runprogram("--keys=2nnn --pace=1 --timeout=30000", log), 0) << readfile(log);
    const int64_t twodiskskb = peakkb(RUSAGE_CHILDREN);
    // The disk count, then one key for each of the 511 moves: the program ends by itself after the last.
    ASSERT_EQ(runprogram("--keys=9" + std::string(511, 'n') + " --pace=1 --timeout=180000", log), 0) << readfile(log);
    if (!addresssanitizer) {
        EXPECT_LT(peakkb(RUSAGE_CHILDREN) - twodiskskb, 32 * 1024);
    }
}

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
            settledkb = peakkb(RUSAGE_SELF);
    }
    (void)testing::internal::GetCapturedStdout();
    EXPECT_GT(round, 20);
    if (!addresssanitizer) {
        EXPECT_LT(peakkb(RUSAGE_SELF) - settledkb, 16 * 1024) << "from " << settledkb << " kB";
    }
}
