// Start-up races, run under ThreadSanitizer in CI: two threads creating their first windows at
// the same moment, and the program replacing the save-graphic handler while the GUI thread runs it.
// The first thread to begin t_InitMemory must finish it before the other places its blocks.
#include <gtest/gtest.h>

#include <atomic>

#include "support/helpers.h"
#include "windows/invariants.h"

namespace {

// A sanitized build runs each round many times slower (ASan near five minutes for a thousand);
// ThreadSanitizer reports a race from the first rounds that reach it, the plain build keeps the thousand.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int rounds = 250;
#else
constexpr int rounds = 1000;
#endif

// One round from a fresh framework, both threads let go at once so that both may find it
// uninitialised. Returns the first broken promise: both windows created, blocks sound, pixels cleared.
std::string raceround() {
    resetframeworkfortests();
    reseteventsfortests();
    std::atomic<int> waiting{2};
    const auto create = [&waiting](uint8_t window) {
        waiting.fetch_sub(1);
        while (waiting.load() > 0) std::this_thread::yield();
        t_InitGraphicWindow(window, 8, true, 64, 64, 0, 0, t_Font{}, true);
    };
    std::thread first(create, 0);
    std::thread second(create, 1);
    first.join();
    second.join();
    if (std::string broken = checkframeworkinvariants(); !broken.empty()) return broken;
    FrameworkLock lock;
    for (const t_Window& w : {framework.windows[0], framework.windows[1]}) {
        if (!w.Initialized) return "a window was wiped";
        if (framework.videomemory[static_cast<size_t>(w.MemoryStart)] != 0) return "a window's pixels were wiped";
    }
    return "";
}

}  // namespace

TEST(StartupRace, TwoThreadsCreateTheirFirstWindowsAtTheSameMoment) {
    std::string broken;
    (void)logof([&broken] {
        for (int round = 0; round < rounds && broken.empty(); ++round)
            if (broken = raceround(); !broken.empty()) broken = "round " + std::to_string(round) + ": " + broken;
    });
    EXPECT_EQ(broken, "");
}

TEST(StartupRace, TheSaveGraphicHandlerIsReplacedWhileItRuns) {
    std::atomic<int> calls{0};
    const auto count = [&calls] { ++calls; };
    setsavegraphichandler(count);
    std::thread program([&count] {
        for (int i = 0; i < 1000; ++i) setsavegraphichandler(count);
    });
    for (int i = 0; i < 1000; ++i) host::runsync([] { runsavegraphichandler(); });
    program.join();
    EXPECT_EQ(calls, 1000);
    setsavegraphichandler({});
}
