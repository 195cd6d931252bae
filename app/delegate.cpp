// The application delegate: what the host calls when the application starts, changes and ends.
#include <atomic>

#include "app/startup.h"
#include "core/application_end.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "core/wake_signal.h"
#include "events/mouse_events.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "recording/recording.h"

namespace {
constexpr int64_t programstacksize = 0x40000000;  // 1 GiB, as the program thread has always had
std::function<void()> programentry = [] {};  // set by runprogram (or a test) before launch
std::atomic<bool> programfinished{false};

// Marks the end of the program thread however it ends: by returning or through t_QuitProgram.
void runprogramentry() {
    struct t_EndMark {
        ~t_EndMark() { programfinished = true; }
    } mark;
    programentry();
}
}  // namespace

void setprogramentry(std::function<void()> entry) { programentry = std::move(entry); }

namespace hostcalls {

void applicationwillfinishlaunching() {
    logline("applicationWillFinishLaunching: Called.");
    if (threadnumber() == 1) namethread("AppDelegate");
}

void applicationdidfinishlaunching() {
    logline("applicationDidFinishLaunching: Start.");
    initmxtools();
    framework.titleheight = host::titlebarheight();
    logline("Program: Start.");
    startprocess(runprogramentry, programstacksize);
    logline("applicationDidFinishLaunching: End.");
    framework.applaunched = true;
}

bool programended() { return programfinished; }

void applicationdidbecomeactive() { framework.appactive = true; }
void applicationwillresignactive() { framework.appactive = false; }

void applicationwillterminate() {
    logline("applicationWillTerminate: Called.");
    noteapplicationquit();  // a program thread waiting for a key, a line or time stops waiting
    // The views go with the event loop; a refresh thread left running would only find them gone.
    framework.autoupdaterunning = false;
    std::function<void()> handler;
    {
        FrameworkLock lock;  // the program may replace it at any time
        handler = framework.terminatehandler;
    }
    handler();
    stopallrecordings();  // a recording under way still gets its file
}

bool windowshouldclose(int window) {
    t_MouseEventPostCloseBoxClick(static_cast<uint8_t>(window));
    return false;
}

void windowdidresize(int window, int64_t width, int64_t height, int64_t title) {
    if (window == pasteboardwindow) {
        host::layouttextwindow(window, {10, 10, width - 20, height - 20 - title}, 0);
    } else if (window == printerwindow || window == consolewindow) {
        host::layouttextwindow(window, {20, 20, width - 40, height - 40 - title - 15}, width - 48);
    }
}

// Windows made before the window manager framed the first one counted only the menu bar; every
// titled window takes the real height, so that its frame and drawing area agree with the screen.
void titleheightchanged(int64_t titleheight) {
    framework.titleheight = titleheight;
    FrameworkLock lock;
    for (t_Window& w : framework.windows)
        if (w.TitleHeight != 0) w.TitleHeight = titleheight;
}

}  // namespace hostcalls
