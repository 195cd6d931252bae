#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "app/startup.h"
#include "app/thread_entry.h"
#include "support/helpers.h"

namespace {

// Starts the body as a framework thread and waits until that thread has ended, by returning or
// by unwinding; false when it never did.
bool runthread(const std::function<void()>& body, int64_t stack = 1 << 20) {
    auto ended = std::make_shared<std::atomic<bool>>(false);
    startprocess([body, ended] {
        const std::shared_ptr<void> mark(nullptr, [ended](void*) { *ended = true; });  // also when unwound
        body();
    }, stack);
    return eventually([&] { return ended->load(); }, 5000);
}

}  // namespace

// The second of two quick starts waits for the first thread to take its function: neither is
// lost or run twice. An impossible stack is one line, and a huge one works after it.
TEST(Startprocess, QuickStartsRunBothAndStacksAreAsAsked) {
    std::atomic<int> ran{0};
    startprocess([&] { ran += 1; }, 1 << 20);
    runthread([&] { ran += 2; });
    eventually([&] { return ran >= 3; });
    EXPECT_EQ(ran, 3);

    const std::string out = logof([] { startprocess([] {}, int64_t{1} << 62); });
    EXPECT_EQ(out.rfind("startprocess: Thread could not be created (", 0), 0u) << out;
    EXPECT_TRUE(runthread([] {
        volatile char big[64 << 20];  // far more than a default thread stack holds
        big[0] = 1;
        big[sizeof(big) - 1] = big[0];
    }, 0x40000000));
}

// Only a framework thread can be ended; it unwinds, running its destructors.
TEST(QuitProgram, EndsOnlyFrameworkThreads) {
    std::atomic<bool> unwound{false}, afterquit{false};
    EXPECT_EQ(logof([&] {
                  unwound = runthread([&] {
                      t_QuitProgram(13);
                      afterquit = true;
                  });
                  std::thread([] { t_QuitProgram(0); }).join();
                  host::runsync([] { t_QuitProgram(0); });
              }),
              "t_QuitProgram: Quitting current thread.\n"
              "t_QuitProgram: Thread was not started by the framework.\n"
              "t_QuitProgram: The GUI thread cannot be ended.\n");
    EXPECT_TRUE(unwound);
    EXPECT_FALSE(afterquit);
}

// A hand-over runs at once when already on the GUI thread, and lets go of the framework lock
// meanwhile, so that the GUI thread can take it (as a view does while it paints).
TEST(HandOver, RunsOnTheGuiThreadWithoutDeadlock) {
    FrameworkLock lock;
    FrameworkLock nested;
    int steps = 0;
    host::runsync([&] {
        FrameworkLock guilock;
        host::runsync([&] { steps = 1; });
        steps += 1;
    });
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(frameworklockdepth(), 2);
}
