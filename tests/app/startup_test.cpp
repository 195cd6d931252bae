#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <memory>
#include <future>
#include <mutex>

#include "app/startup.h"
#include "app/thread_entry.h"
#include "support/helpers.h"
#include "text/text_areas.h"

namespace {

// Starts the body as a framework thread and waits until that thread has ended.
void runthread(const std::function<void()>& body, int64_t stack = 1 << 20) {
    auto ended = std::make_shared<std::atomic<bool>>(false);
    startprocess([body, ended] {
        struct t_EndMark {
            std::shared_ptr<std::atomic<bool>> Flag;
            ~t_EndMark() { *Flag = true; }
        } mark{ended};
        body();
    }, stack);
    eventually([&] { return ended->load(); }, 5000);
}

}  // namespace

TEST(Initmxtools, TablesFollowTheCharacterSet) {
    ASSERT_TRUE(framework.mxtoolsinitialized);
    // Only the German letters change case; the other Latin-1 letters and signs stay.
    const std::pair<char, char> cases[] = {{'a', 'A'}, {'z', 'Z'}, {'\xE4', '\xC4'}, {'\xE5', '\xE5'},
                                           {'\xC5', '\xC5'}, {'\xF7', '\xF7'}, {'\xD7', '\xD7'}, {'\xFF', '\xFF'}};
    for (const auto& [lower, upper] : cases) {
        EXPECT_EQ(framework.uppercasetable[uint8_t(lower)], uint8_t(upper)) << int(uint8_t(lower));
        EXPECT_EQ(framework.lowercasetable[uint8_t(upper)], uint8_t(lower)) << int(uint8_t(upper));
    }
    for (int c = 0; c < 256; ++c) {
        const int expected = std::isdigit(c) ? c - '0' : std::isxdigit(c) ? std::toupper(c) - 'A' + 10 : -1;
        EXPECT_EQ(framework.hexvalues[c], expected) << c;
    }
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
    eventually([&] { return seconddone.load(); }, 5000);
    std::lock_guard<std::mutex> l(mutex);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(Startprocess, AnImpossibleStackIsReportedAndAHugeOneWorksAfterIt) {
    const std::string out = logof([] { startprocess([] {}, int64_t{1} << 62); });
    EXPECT_EQ(out.rfind("startprocess: Thread could not be created (", 0), 0u) << out;
    std::atomic<bool> done{false};
    int64_t number = 0;
    runthread([&] {
        number = threadnumber();
        volatile char big[64 << 20];  // far more than a default thread stack holds
        big[0] = 1;
        big[sizeof(big) - 1] = big[0];
        done = true;
    }, 0x40000000);
    EXPECT_TRUE(done);
    EXPECT_GT(number, 1);  // its own number: 1 is the GUI thread
}

TEST(QuitProgram, EndsOnlyItsThreadRunningDestructorsAndSaysSo) {
    struct Witness {
        std::atomic<bool>* Flag;
        ~Witness() { *Flag = true; }
    };
    std::atomic<bool> destroyed{false}, afterquit{false};
    EXPECT_EQ(logof([&] {
                  runthread([&] {
                      Witness witness{&destroyed};
                      t_QuitProgram(13);
                      afterquit = true;
                  });
              }),
              "t_QuitProgram: Quitting current thread.\n");
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(afterquit);
    // The application lives on: the GUI thread still answers.
    bool answered = false;
    host::runsync([&] { answered = host::isguithread(); });
    EXPECT_TRUE(answered);
}

TEST(QuitProgram, NamesTheWindowItPrintedInto) {
    creationlog([] { t_InitWindow(0, 24, 20, 4, 0, "MenloRegular 16x32.font"); });
    EXPECT_EQ(logof([] { runthread([] { t_QuitProgram(0); }); }),
              "t_QuitProgram: Quitting current thread with message in window #0.\n");
    // The message stands at the start of the last line, where t_CursorEnd put the cursor.
    const std::string screen = t_GetScreen(0, "\n");
    EXPECT_EQ(screen.substr(3 * 21, 20), "(Programm Ende)     ") << screen;
}

TEST(QuitProgram, RefusesThreadsItCannotEnd) {
    EXPECT_EQ(logof([] {
                  std::thread([] { t_QuitProgram(0); }).join();
                  host::runsync([] { t_QuitProgram(0); });
              }),
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
    FrameworkLock nested;
    bool painted = false;
    host::runsync([&] {
        FrameworkLock guilock;  // what a view does while it paints
        painted = true;
    });
    EXPECT_TRUE(painted);
    EXPECT_EQ(frameworklockdepth(), 2);
}
