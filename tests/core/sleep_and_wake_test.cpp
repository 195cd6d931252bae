#include <gtest/gtest.h>

#include <dlfcn.h>

#include "auxwindows/console.h"
#include "auxwindows/printer.h"
#include "core/clock.h"
#include "core/resources.h"
#include "core/wake_signal.h"
#include "support/helpers.h"
#include "windows/video_memory.h"

namespace {
int64_t msince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

// Idle, an update thread wakes for a change or a stop; waiting out its interval, for a stop
// only, so a stream of prints cannot make it update more often. Its own recheck comes after 1 s.
TEST(UpdateSleep, WakesForTheRightReasonsOnly) {
    enum class Poke { Nothing, Change, Stop };
    // changed, running, waitms, poke, and whether it is back within 500 ms (else it slept waitms)
    const std::tuple<bool, bool, int64_t, Poke, bool> rows[] = {
        {false, true, 0, Poke::Change, true},   {false, true, 0, Poke::Stop, true},
        {false, false, 0, Poke::Nothing, true}, {true, true, 300, Poke::Change, false},
        {true, true, 900, Poke::Stop, true},    {true, true, -5000, Poke::Nothing, true}};
    for (const auto& [waschanged, wasrunning, waitms, poke, early] : rows) {
        t_UpdateSleep sleep;
        std::atomic<bool> changed{waschanged}, running{wasrunning};
        std::thread poker([&] {
            sleepms(30);
            if (poke == Poke::Change) changed = true, sleep.notechange();
            if (poke == Poke::Stop) running = false, sleep.wake();
        });
        const auto start = std::chrono::steady_clock::now();
        sleep.betweenpasses(changed, running, waitms);
        const int64_t slept = msince(start);
        poker.join();
        if (early) EXPECT_LT(slept, 500) << waitms;
        else EXPECT_GE(slept, waitms) << waitms;
    }
}

// Printer and console: text after a quiet spell reaches the view without a poll, and a stop
// ends the sleeping thread at once.
TEST(UpdateThreads, WakeForTextAfterAQuietSpellAndEndWhenStopped) {
    waitforframework();
    using t_Row = std::tuple<uint8_t, void (*)(), void (*)(const std::string&), void (*)(), std::string>;
    const t_Row rows[] = {
        {printerwindow, p_InitPrinter, p_Print, stopprinterupdate, "p_PrinterAutoUpdateProcess: End."},
        {consolewindow, [] { c_Print(""); }, c_Print, stopconsoleupdate, "c_ConsoleAutoUpdateProcess: End."}};
    for (const auto& [window, start, write, stop, endline] : rows) {
        const auto shows = [&](const char* text) { return host::textviewtext(window).ends_with(text); };
        start();
        write("eins\n");
        ASSERT_TRUE(eventually([&] { return shows("eins\n"); }));
        sleepms(150);  // past the interval: the thread sleeps until the next change
        const auto written = std::chrono::steady_clock::now();
        write("zwei\n");
        ASSERT_TRUE(eventually([&] { return shows("eins\nzwei\n"); }));
        EXPECT_LT(msince(written), 500) << endline;
        EXPECT_NE(logof([&] { stop(), sleepms(300); }).find(endline), std::string::npos) << endline;
    }
}

// A rate limit on the wall clock must not hold when the clock is set back.
TEST(Clock, WithinIntervalCountsAClockSetBackAsTimePassed) {
    for (const auto& [now, within] : {std::pair{1000, true}, {1100, true}, {1101, false}, {400, false}})
        EXPECT_EQ(withininterval(1000, now, 101), within) << now;
}

// The sound module is found from the running code and exports its entries.
TEST(SoundModule, IsFoundBesideTheFrameworkAndExportsItsEntries) {
    void* module = dlopen(modulepath("stangenspiel_sound.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    for (const char* entry : {"stangenspiel_openoutput", "stangenspiel_wakeoutput", "stangenspiel_closeoutput",
                              "stangenspiel_openfile", "stangenspiel_readfile", "stangenspiel_closefile"})
        EXPECT_NE(dlsym(module, entry), nullptr) << entry;
}
