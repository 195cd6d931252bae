// Helpers the test programs share: captured log lines, waiting on other threads, temporary
// folders, glyph fonts and bringing a window to the front.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/events.h"
#include "core/framework_state.h"
#include "core/window_record.h"
#include "host/host.h"
#include "windows/window_creation.h"
#include "windows/window_placement.h"

// What the action wrote to standard output (the framework's log lines).
inline std::string logof(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

inline void sleepms(int64_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

using Bytes = std::vector<uint8_t>;

// The line a file operation prints when the system refuses it.
inline std::string errorline(const std::string& operation, int error) {
    return operation + ": Error #" + std::strerror(error) + "\n";
}

// Runs the action with files limited to `bytes`: writes beyond it fail half-way, as on a full disk.
inline void withfilesizelimit(uint64_t bytes, const std::function<void()>& action) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{bytes, old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    action();
    ::setrlimit(RLIMIT_FSIZE, &old);
}

// A key typed on the keyboard, as the desktop queues it.
inline void typekey(int64_t code) {
    appendkeyevent(t_Event{.Kind = 1, .Description = std::string(1, static_cast<char>(code)), .Value = code});
}

// Polls the condition until it holds or the time is up; framework threads work at their own pace.
inline bool eventually(const std::function<bool()>& condition, int64_t milliseconds = 2000) {
    for (int64_t waited = 0; waited < milliseconds && !condition(); waited += 5) sleepms(5);
    return condition();
}

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        char pattern[] = "/tmp/stangenspieltestXXXXXX";
        path = ::mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    long count() const { return std::distance(std::filesystem::directory_iterator(path), {}); }
};

// A grey font with a glyph for every character, each pixel of coverage `fill`.
inline t_Font greyfont(int64_t width = 16, int64_t height = 32, uint8_t fill = 0) {
    return t_Font{.Format = 2, .Start = 0, .End = 255, .Width = width, .Height = height,
                  .Data = std::vector<uint8_t>(static_cast<size_t>(256 * width * height), fill)};
}

// The desktop activates a window a moment after it is asked to; commands act on the window it
// reports in front.
inline bool infront(uint8_t window) {
    t_WindowFront(window);
    return eventually([window] { return host::frontwindow() == window; });
}

// Creates a window and returns its log. The first window starts the refresh thread, whose start
// line is waited for and left out, so that it cannot fall into a later capture.
inline std::string creationlog(const std::function<void()>& create) {
    const bool running = framework.autoupdaterunning;
    std::string log = logof(create);
    const std::string start = "t_WindowAutoUpdateProcess: Start.\n";
    if (const size_t at = log.find(start); at != std::string::npos) log.erase(at, start.size());
    else if (!running && framework.autoupdaterunning)
        eventually([&] { return logof([] { sleepms(10); }).find(start) != std::string::npos; });
    return log;
}

// Creates a graphic window and returns its log, without the refresh thread's start line.
inline std::string createwindow(uint8_t window, int64_t depth, bool title, int64_t width, int64_t height,
                                int64_t border, const t_Font& font) {
    return creationlog([&] { t_InitGraphicWindow(window, depth, title, width, height, border, border, font, true); });
}
