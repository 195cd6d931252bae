#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "app/thread_entry.h"
#include "core/framework_state.h"
#include "host/host.h"
#include "text/text_areas.h"
#include "windows/window_creation.h"

namespace {

void waitfor(const std::atomic<bool>& flag) {
    for (int i = 0; i < 500 && !flag; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

}  // namespace

TEST(Initmxtools, TablesFollowTheCharacterSet) {
    ASSERT_TRUE(framework.mxtoolsinitialized);
    EXPECT_EQ(framework.uppercasetable['a'], 'A');
    EXPECT_EQ(framework.uppercasetable['z'], 'Z');
    EXPECT_EQ(framework.uppercasetable[228], 196);  // ä
    EXPECT_EQ(framework.uppercasetable[229], 229);  // left alone
    EXPECT_EQ(framework.uppercasetable[247], 247);
    EXPECT_EQ(framework.uppercasetable[255], 255);
    EXPECT_EQ(framework.lowercasetable['A'], 'a');
    EXPECT_EQ(framework.lowercasetable[196], 228);
    EXPECT_EQ(framework.lowercasetable[197], 197);
    EXPECT_EQ(framework.lowercasetable[215], 215);
    for (int c = 0; c < 256; ++c) {
        const bool digit = c >= '0' && c <= '9';
        const bool hexletter = (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit && !hexletter) EXPECT_EQ(framework.hexvalues[c], -1) << c;
    }
    EXPECT_EQ(framework.hexvalues['0'], 0);
    EXPECT_EQ(framework.hexvalues['9'], 9);
    EXPECT_EQ(framework.hexvalues['A'], 10);
    EXPECT_EQ(framework.hexvalues['f'], 15);
    EXPECT_EQ(std::string(framework.hexdigits.begin(), framework.hexdigits.end()), "0123456789ABCDEF");
}

TEST(Startprocess, TwoQuickStartsRunBothFunctionsInOrder) {
    std::mutex mutex;
    std::vector<int> order;
    std::atomic<bool> seconddone{false};
    startprocess([&] { std::lock_guard<std::mutex> l(mutex); order.push_back(1); }, 1 << 20);
    startprocess([&] {
        { std::lock_guard<std::mutex> l(mutex); order.push_back(2); }
        seconddone = true;
    }, 1 << 20);
    waitfor(seconddone);
    std::lock_guard<std::mutex> l(mutex);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(Startprocess, GivesThreadsTheirOwnNumbersAndAHugeStack) {
    std::atomic<bool> done{false};
    int64_t number = 0;
    startprocess([&] {
        number = threadnumber();
        volatile char big[64 << 20];  // far more than a default thread stack holds
        big[0] = 1;
        big[sizeof(big) - 1] = big[0];
        done = true;
    }, 0x40000000);
    waitfor(done);
    EXPECT_TRUE(done);
    EXPECT_GT(number, 1);
}

TEST(Startprocess, AnImpossibleStackIsReportedAndTheNextStartStillWorks) {
    testing::internal::CaptureStdout();
    startprocess([] {}, int64_t{1} << 62);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("startprocess: Thread could not be created (", 0), 0u) << out;
    std::atomic<bool> done{false};
    startprocess([&] { done = true; }, 1 << 20);
    waitfor(done);
    EXPECT_TRUE(done);
}

TEST(QuitProgram, EndsOnlyItsThreadRunningDestructorsAndSaysSo) {
    struct Witness {
        std::atomic<bool>* Flag;
        ~Witness() { *Flag = true; }
    };
    std::atomic<bool> destroyed{false}, afterquit{false}, ended{false};
    testing::internal::CaptureStdout();
    startprocess([&] {
        struct EndMark {
            std::atomic<bool>* Flag;
            ~EndMark() { *Flag = true; }
        } mark{&ended};
        Witness witness{&destroyed};
        t_QuitProgram(13);
        afterquit = true;
    }, 1 << 20);
    waitfor(ended);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "t_QuitProgram: Quitting current thread.\n");
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(afterquit);
    // The application lives on: the GUI thread still answers.
    bool answered = false;
    host::runsync([&] { answered = host::isguithread(); });
    EXPECT_TRUE(answered);
}

TEST(QuitProgram, NamesTheWindowItPrintedInto) {
    t_InitWindow(0, 24, 20, 4, 0, "MenloRegular 16x32.font");
    std::atomic<bool> ended{false};
    testing::internal::CaptureStdout();
    startprocess([&] {
        struct EndMark {
            std::atomic<bool>* Flag;
            ~EndMark() { *Flag = true; }
        } mark{&ended};
        t_QuitProgram(0);
    }, 1 << 20);
    waitfor(ended);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "t_QuitProgram: Quitting current thread with message in window #0.\n");
    // The message stands at the start of the last line, where t_CursorEnd put the cursor.
    const std::string screen = t_GetScreen(0, "\n");
    EXPECT_EQ(screen.substr(3 * 21, 20), "(Programm Ende)     ") << screen;
}

TEST(QuitProgram, RefusesThreadsItCannotEnd) {
    testing::internal::CaptureStdout();
    std::thread stranger([] { t_QuitProgram(0); });
    stranger.join();
    host::runsync([] { t_QuitProgram(0); });
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "t_QuitProgram: Thread was not started by the framework.\n"
              "t_QuitProgram: The GUI thread cannot be ended.\n");
}

TEST(HandOver, RunsOnTheGuiThreadFromAnyThreadAndAtOnceOnIt) {
    EXPECT_FALSE(host::isguithread());
    std::thread::id ranon;
    host::runsync([&] { ranon = std::this_thread::get_id(); });
    EXPECT_NE(ranon, std::this_thread::get_id());
    int nested = 0;
    host::runsync([&] {
        host::runsync([&] { nested = 1; });  // on the GUI thread: runs at once, no deadlock
        nested += 1;
    });
    EXPECT_EQ(nested, 2);
    std::promise<int> order;
    host::runasync([&] { order.set_value(threadnumber()); });
    EXPECT_EQ(order.get_future().get(), 1);
}

TEST(HandOver, LetsGoOfTheFrameworkLockSoTheGuiThreadCanTakeIt) {
    FrameworkLock lock;
    bool painted = false;
    host::runsync([&] {
        FrameworkLock guilock;  // what a view does while it paints
        painted = true;
    });
    EXPECT_TRUE(painted);
    EXPECT_EQ(frameworklockdepth(), 1);
}
