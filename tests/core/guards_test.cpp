#include <gtest/gtest.h>

#include <thread>

#include "core/framework_state.h"
#include "core/guards.h"
#include "windows/video_memory.h"

namespace {

std::string guardoutput(int64_t window, bool needstext, t_Window** result = nullptr) {
    testing::internal::CaptureStdout();
    t_Window* record = nullptr;
    {
        FrameworkLock lock;
        record = windowguard("t_Htab", window, needstext);
    }
    if (result != nullptr) *result = record;
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(WindowGuard, RefusesNumbersAboveSevenAndUninitialisedWindows) {
    waitforframework();
    EXPECT_EQ(guardoutput(8, false), "t_Htab: Window is not a graphic window.\n");
    EXPECT_EQ(guardoutput(255, false), "t_Htab: Window is not a graphic window.\n");
    EXPECT_EQ(guardoutput(-1, false), "t_Htab: Window is not a graphic window.\n");
    EXPECT_EQ(guardoutput(3, false), "t_Htab: Window #3 not initialized.\n");
}

TEST(WindowGuard, TextOperationsNeedATextScreen) {
    waitforframework();
    {
        FrameworkLock lock;
        framework.windows[1].Initialized = true;  // a graphic-only window
        framework.windows[1].TextMemoryStart = -1;
    }
    t_Window* record = nullptr;
    EXPECT_EQ(guardoutput(1, false, &record), "");
    EXPECT_EQ(record, &framework.windows[1]);
    EXPECT_EQ(guardoutput(1, true, &record), "t_Htab: Window #1 not initialized.\n");
    EXPECT_EQ(record, nullptr);
}

TEST(WindowGuard, NothingPassesBeforeTheFrameworkIsReady) {
    ASSERT_FALSE(framework.frameworkready);
    EXPECT_EQ(guardoutput(0, false), "t_Htab: Window #0 not initialized.\n");
}

TEST(HostWindowGuard, KnowsTheThirteenHostWindows) {
    testing::internal::CaptureStdout();
    for (int window = 0; window < 13; ++window) EXPECT_TRUE(hostwindowguard("t_WindowPos", window)) << window;
    EXPECT_FALSE(hostwindowguard("t_WindowPos", 13));
    EXPECT_FALSE(hostwindowguard("t_WindowPos", 255));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "t_WindowPos: Window does not exist.\nt_WindowPos: Window does not exist.\n");
}

TEST(FrameworkState, StartsAsTheProcessStarts) {
    EXPECT_EQ(framework.mainwindow, nowindow);
    EXPECT_EQ(framework.highmemory, 0xFFFFFF);
    EXPECT_TRUE(framework.videomemory.empty());
    const t_Window fresh;
    EXPECT_TRUE(fresh.VerticalBlank);
    EXPECT_EQ(fresh.RefreshRate, 30);
    EXPECT_EQ(fresh.TextRedirectOutput, 1);
    EXPECT_EQ(fresh.MemoryStart, -1);
    EXPECT_EQ(fresh.TextMemoryEnd, -1);
    EXPECT_EQ(fresh.Font.Identifier, (std::vector<uint8_t>{'m', 'x', 'f', 'n'}));
    EXPECT_EQ(palettecolor(13), (t_RGBColor{255, 0xFF, 0xFF, 0x00}));
    EXPECT_EQ(palettecolor(8), (t_RGBColor{255, 0x80, 0x40, 0x00}));
}

TEST(FrameworkLock, AHandOverLetsGoOfTheLockCompletely) {
    FrameworkLock outer;
    {
        FrameworkLock inner;
        EXPECT_EQ(frameworklockdepth(), 2);
        {
            FrameworkUnlock unlocked;
            EXPECT_EQ(frameworklockdepth(), 0);
            // Another thread can take the lock now.
            std::thread other([] { FrameworkLock lock; });
            other.join();
        }
        EXPECT_EQ(frameworklockdepth(), 2);
    }
}
