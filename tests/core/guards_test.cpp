#include <gtest/gtest.h>

#include "core/framework_state.h"
#include "core/guards.h"
#include "support/helpers.h"
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

TEST(WindowGuard, NothingPassesBeforeTheFrameworkIsReady) {
    ASSERT_FALSE(framework.frameworkready);
    EXPECT_EQ(guardoutput(0, false), "t_Htab: Window #0 not initialized.\n");
}

TEST(WindowGuard, RefusesNumbersAboveSevenAndUninitialisedWindows) {
    waitforframework();
    for (const int64_t window : {8, 255, -1}) EXPECT_EQ(guardoutput(window, false), "t_Htab: Window is not a graphic window.\n");
    EXPECT_EQ(guardoutput(3, false), "t_Htab: Window #3 not initialized.\n");
    {
        FrameworkLock lock;
        framework.windows[1].Initialized = true;  // a graphic-only window passes only without text
        framework.windows[1].TextMemoryStart = -1;
    }
    t_Window* record = nullptr;
    EXPECT_EQ(guardoutput(1, false, &record), "");
    EXPECT_EQ(record, &framework.windows[1]);
    EXPECT_EQ(guardoutput(1, true, &record), "t_Htab: Window #1 not initialized.\n");
    EXPECT_EQ(record, nullptr);
}

TEST(HostWindowGuard, KnowsTheThirteenHostWindows) {
    EXPECT_EQ(logof([] {
                  for (int window = 0; window < 13; ++window) EXPECT_TRUE(hostwindowguard("t_WindowPos", window));
                  EXPECT_FALSE(hostwindowguard("t_WindowPos", 13));
                  EXPECT_FALSE(hostwindowguard("t_WindowPos", 255));
              }),
              "t_WindowPos: Window does not exist.\nt_WindowPos: Window does not exist.\n");
}
