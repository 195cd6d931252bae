#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "auxwindows/console.h"
#include "auxwindows/printer.h"
#include "core/clock.h"
#include "core/resources.h"
#include "core/guards.h"
#include "core/wake_signal.h"
#include "support/helpers.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t msince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

}  // namespace

// An idle update thread wakes for a change or a stop; one waiting out its interval wakes for a
// stop only, so a stream of prints cannot make it update more often. The idle sleep's own
// recheck comes after 1 s: "early" here means well before it.
TEST(UpdateSleep, WakesForTheRightReasonsOnly) {
    enum class Poke { Nothing, Change, Stop };
    struct Row {
        const char* name;
        bool changed, running;
        int64_t waitms;
        Poke poke;
        bool early;  // returns within 500 ms; otherwise sleeps at least waitms
    };
    const Row rows[] = {
        {"idle, a change", false, true, 0, Poke::Change, true},
        {"idle, a stop", false, true, 0, Poke::Stop, true},
        {"idle, already stopped", false, false, 0, Poke::Nothing, true},
        {"interval left, a change", true, true, 300, Poke::Change, false},
        {"interval left, a stop", true, true, 900, Poke::Stop, true},
        {"interval over long ago", true, true, -5000, Poke::Nothing, true},
    };
    for (const Row& row : rows) {
        t_UpdateSleep sleep;
        std::atomic<bool> changed{row.changed}, running{row.running};
        std::thread poker([&] {
            sleepms(30);
            if (row.poke == Poke::Change) {
                changed = true;
                sleep.notechange();
            } else if (row.poke == Poke::Stop) {
                running = false;
                sleep.wake();
            }
        });
        const auto start = Clock::now();
        sleep.betweenpasses(changed, running, row.waitms);
        const int64_t slept = msince(start);
        poker.join();
        if (row.early) EXPECT_LT(slept, 500) << row.name;
        else EXPECT_GE(slept, row.waitms) << row.name;
    }
}

// The printer and the console: text written after a quiet spell reaches the view without a
// poll, and a stop ends the sleeping thread at once.
TEST(UpdateThreads, WakeForTextAfterAQuietSpellAndEndWhenStopped) {
    waitforframework();
    struct Row {
        uint8_t window;
        std::function<void()> start;
        std::function<void(const std::string&)> write;
        std::function<void()> stop;
        std::string endline;
    };
    const Row rows[] = {
        {printerwindow, [] { p_InitPrinter(); }, [](const std::string& t) { p_Print(t); }, stopprinterupdate,
         "p_PrinterAutoUpdateProcess: End."},
        {consolewindow, [] { c_Print(""); }, [](const std::string& t) { c_Print(t); }, stopconsoleupdate,
         "c_ConsoleAutoUpdateProcess: End."},
    };
    for (const Row& row : rows) {
        row.start();
        row.write("eins\n");
        ASSERT_TRUE(eventually([&] { return host::textviewtext(row.window).ends_with("eins\n"); }));
        sleepms(150);  // past the interval: the thread sleeps until the next change
        const auto start = Clock::now();
        row.write("zwei\n");
        ASSERT_TRUE(eventually([&] { return host::textviewtext(row.window).ends_with("eins\nzwei\n"); }));
        EXPECT_LT(msince(start), 500) << row.endline;

        const std::string log = logof([&] {
            row.stop();
            sleepms(300);  // well before the idle sleep's own recheck
        });
        EXPECT_NE(log.find(row.endline), std::string::npos) << log;
    }
    p_InitPrinter();  // the printer restarts after a stop
    p_Print("drei");
    EXPECT_TRUE(eventually([] { return host::textviewtext(printerwindow) == "drei"; }));
}

// A rate limit measured on the wall clock must not hold when the clock is set back.
TEST(Clock, WithinIntervalCountsAClockSetBackAsTimePassed) {
    const struct {
        int64_t then, now;
        bool within;
    } rows[] = {{1000, 1000, true}, {1000, 1100, true}, {1000, 1101, false}, {1000, 400, false}};
    for (const auto& row : rows) EXPECT_EQ(withininterval(row.then, row.now, 101), row.within) << row.now;
}

// The alert's player, loaded at the first alert, is found from the running code and exports its
// one entry; a module that is not there is no path at all.
TEST(SoundModule, IsFoundBesideTheFrameworkAndExportsItsEntry) {
    const std::string path = modulepath("stangenspiel_sound.so");
    ASSERT_FALSE(path.empty());
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    EXPECT_NE(dlsym(module, "stangenspiel_playalert"), nullptr);
    EXPECT_TRUE(modulepath("nosuchmodule.so").empty());
}
