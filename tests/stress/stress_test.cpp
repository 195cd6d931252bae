// The program thread prints, scrolls, draws and re-creates windows while every window repaints
// as fast as it can, keys and menu choices flood in from the GUI thread and the program's menu
// handler runs on work items of its own. Run under ThreadSanitizer in CI; in the normal runs it
// shows that nothing deadlocks and no key is lost, doubled or reordered.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "core/clock.h"
#include "graphics/capture.h"
#include "graphics/plot.h"
#include "host/framework_calls.h"
#include "host/menus.h"
#include "support/helpers.h"
#include "text/key_input.h"
#include "text/text_output.h"
#include "windows/invariants.h"

namespace {

constexpr int keycount = 10000;
constexpr int menucount = keycount / 10;
constexpr int keysinflight = 200;  // well below the key queue's bound, so no key is refused
// The characters virtual key codes 0 to 9 type on the classic layout.
constexpr char keychars[] = "asdfhgzxcv";
// Program handler (no command), copy picture, copy text, clear printer, clear console.
constexpr int64_t menutags[] = {0, 110, 111, 112, 114};

void recreate(uint8_t window, int step) {
    static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
    t_InitGraphicWindow(window, depths[step % 6], true, 64 + step % 7 * 40, 48 + step % 5 * 30, 4, 4, t_Font{}, true);
    t_WindowVisible(window, true);
    FrameworkLock lock;
    for (t_Window& w : framework.windows) w.RefreshRate = 0;  // every window repaints as fast as it can
}

// One round of the program's own work on windows 0 (text), 1 (lines) and 2 (re-created).
void programwork(int step) {
    t_Print(0, "Zeile " + std::to_string(step) + " \x0D");  // the carriage return scrolls at the bottom
    if (step % 7 == 0) t_ScrollUp(0);
    g_Line(1, step % 200, 0, 199 - step % 200, 119);
    g_Plot(1, step % 200, step % 120);
    if (step % 40 == 0) recreate(2, step / 40);
    if (step % 9 == 0) (void)g_GetScreenRect(1, 0, 0, 50, 50);
}

}  // namespace

TEST(Stress, ProgramWorksWhileKeysMenusAndPaintingFloodIn) {
    // A deadlock ends the process with a named failure instead of a hung CI job. The flag is
    // static: the watching thread outlives the test.
    static std::atomic<bool> finished{false};
    std::thread([] {
        if (eventually([] { return finished.load(); }, 300000)) return;
        std::fputs("stress: no progress within 300 s (deadlock?)\n", stderr);
        std::abort();
    }).detach();
    const int64_t runstart = nowmilliseconds();
    t_InitWindow(0, 32, 40, 10, 8, "MenloBold 16x32.font");
    t_InitGraphicWindow(1, 8, true, 200, 120, 4, 4, t_Font{}, true);
    t_InitWindow(3, 4, 30, 6, 4, "MenloRegular 16x32.font");
    for (uint8_t window : {0, 1, 3}) t_WindowVisible(window, true);
    recreate(2, 0);
    t_WindowFront(0);
    std::atomic<int> handlerruns{0};
    setprogrammenuhandler([&handlerruns] {
        t_Print(3, "M");
        ++handlerruns;
    });

    // The desktop's side: keys, never too many ahead of the program, and a menu choice every tenth.
    std::atomic<int> keysread{0}, menuschosen{0};
    std::thread desktop([&keysread, &menuschosen] {
        for (int sent = 0; sent < keycount; ++sent) {
            while (sent - keysread.load() >= keysinflight) std::this_thread::sleep_for(std::chrono::microseconds(200));
            host::runasync([k = sent % 10] {
                hostcalls::viewkeydown(0, k, std::string(1, keychars[k]), 0);
                hostcalls::viewkeyup(0, k, 0);
            });
            if (sent % 10 == 0) menuschosen += host::choosemenuitem(menutags[sent / 10 % 5]);
        }
    });
    int misread = 0;
    int menusread = 0;
    const auto readmenus = [&menusread] {
        for (; t_MenuEventCount() > 0; ++menusread) (void)t_NextMenuEvent();
    };
    for (int step = 0; keysread < keycount || menuschosen < menucount; ++step) {
        programwork(step);
        for (; keyeventcount() > 0; ++keysread) misread += t_GetKey(0) != std::string(1, keychars[keysread % 10]);
        readmenus();
        if (keysread < keycount) std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    desktop.join();
    // The handler's work items may still be running.
    EXPECT_TRUE(eventually([&handlerruns] { return handlerruns >= menucount / 5; }, 60000));
    readmenus();
    EXPECT_EQ(misread, 0);  // keys read out of order or as others
    EXPECT_EQ(keyeventcount(), 0);  // nothing arrived twice
    EXPECT_EQ(menusread, menucount);
    EXPECT_EQ(handlerruns, menucount / 5);
    EXPECT_EQ(checkframeworkinvariants(), "");
    for (uint8_t window : {0, 1, 2, 3}) {  // every view really painted during the flood
        FrameworkLock lock;
        EXPECT_GE(framework.windows[window].UpdateFinished, runstart) << "window " << int(window);
    }
    setprogrammenuhandler({});
    finished = true;
}
