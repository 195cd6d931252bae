#include <gtest/gtest.h>

#include "core/guards.h"
#include "support/helpers.h"
#include "windows/video_memory.h"

// A graphic-only window (no text screen) passes only for operations that need no text.
TEST(WindowGuard, PassesInitialisedWindowsInRangeAndTextOnlyWithAScreen) {
    waitforframework();
    FrameworkLock lock;
    framework.windows[1].Initialized = true;
    framework.windows[1].TextMemoryStart = -1;
    const std::string outside = "t_Htab: Window is not a graphic window.\n";
    const std::tuple<int64_t, bool, std::string> rows[] = {
        {8, false, outside}, {-1, false, outside}, {3, false, "t_Htab: Window #3 not initialized.\n"},
        {1, true, "t_Htab: Window #1 not initialized.\n"}, {1, false, ""}};
    for (const auto& [window, needstext, log] : rows) {
        t_Window* record = nullptr;
        EXPECT_EQ(logof([&] { record = windowguard("t_Htab", window, needstext); }), log);
        EXPECT_EQ(record, log.empty() ? &framework.windows[1] : nullptr) << window;
    }
}
