// The cost of the display as the work grows: N graphic windows of 640 x 400 at 32 bits, shown
// on the real display, all animating at 30 Hz (every window changes in every frame).
//   stangenspiel_window_load N [seconds [WIDTHxHEIGHT [ZOOM]]]
// WIDTHxHEIGHT sizes the windows otherwise; ZOOM shows them at that factor, or full screen for
// "full". Prints one line: windows, CPU of the whole process per window (% of a core), the X
// server's CPU per window (when STANGENSPIEL_XSERVER_PID names it; else -1), and the frames each
// window actually showed per second (the slowest window, the mean). minimal_qt_animation.cpp is
// the same measure of a bare Qt program.
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "process_cpu.h"
#include "core/framework_state.h"
#include "graphics/plot.h"
#include "host/host.h"
#include "windows/display_refresh.h"
#include "windows/window_creation.h"
#include "windows/window_placement.h"
#include "windows/window_zoom.h"

namespace {

using Clock = std::chrono::steady_clock;

// The windows' size and how they are shown: a factor, or 0 for full screen. Set by main.
int64_t width = 640, height = 400, zoom = 1;
constexpr auto frame = std::chrono::microseconds(1000000 / 30);

void setcolour(uint8_t window, uint8_t grey) {
    FrameworkLock lock;
    framework.windows[window].RGBColor = t_RGBColor{255, grey, grey, grey};
}

// One frame of every window: a bright bar moves one column, its old column goes dark.
void drawframe(int windows, int64_t step) {
    for (int w = 0; w < windows; ++w) {
        const auto window = static_cast<uint8_t>(w);
        setcolour(window, 0);
        g_Line(window, (step - 1) % width, 0, (step - 1) % width, height - 1);
        setcolour(window, 255);
        g_Line(window, step % width, 0, step % width, height - 1);
    }
}

// Animates for the given time at 30 Hz; answers the frames each window showed meanwhile.
std::vector<uint64_t> animate(int windows, double seconds, int64_t& step) {
    std::vector<uint64_t> before(static_cast<size_t>(windows));
    for (int w = 0; w < windows; ++w) before[static_cast<size_t>(w)] = imagesshown(static_cast<uint8_t>(w));
    const Clock::time_point start = Clock::now();
    for (Clock::time_point next = start; Clock::now() - start < std::chrono::duration<double>(seconds); next += frame) {
        drawframe(windows, ++step);
        std::this_thread::sleep_until(next + frame);
    }
    for (int w = 0; w < windows; ++w)
        before[static_cast<size_t>(w)] = imagesshown(static_cast<uint8_t>(w)) - before[static_cast<size_t>(w)];
    return before;
}

void measure(int windows, double seconds) {
    for (int w = 0; w < windows; ++w) {
        const auto window = static_cast<uint8_t>(w);
        t_InitGraphicWindow(window, 32, true, width, height, 0, 0, t_Font{}, true);
        t_WindowSize(window, 10 + (w % 4) * (width + 10), 40 + (w / 4) * (height + 60), width, height);
        t_WindowVisible(window, true);
        if (zoom == 0) t_WindowFullScreen(window, true);
        else if (zoom > 1) t_WindowZoom(window, zoom);
    }
    int64_t step = 0;
    animate(windows, 1.0, step);  // the windows are shown and painted once
    const pid_t server = xserverpid();
    const double cpu = processcpuseconds(getpid()), servercpu = server ? processcpuseconds(server) : -1;
    const Clock::time_point start = Clock::now();
    const std::vector<uint64_t> frames = animate(windows, seconds, step);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const double used = processcpuseconds(getpid()) - cpu;
    const double serverused = server ? processcpuseconds(server) - servercpu : -1;
    double slowest = 1e9, sum = 0;
    for (uint64_t shown : frames) {
        slowest = std::min(slowest, static_cast<double>(shown) / elapsed);
        sum += static_cast<double>(shown) / elapsed;
    }
    std::printf("windows %d cpu_per_window %.2f xserver_per_window %.2f fps_slowest %.1f fps_mean %.1f\n", windows,
                used / elapsed / windows * 100, server ? serverused / elapsed / windows * 100 : -1.0, slowest,
                sum / windows);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int windows = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 8) : 1;
    const double seconds = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 4.0;
    if (argc > 3 && std::sscanf(argv[3], "%" SCNd64 "x%" SCNd64, &width, &height) != 2) return 2;
    width = std::clamp<int64_t>(width, 32, 8192);
    height = std::clamp<int64_t>(height, 32, 8192);
    if (argc > 4) zoom = std::string(argv[4]) == "full" ? 0 : std::clamp(std::atoi(argv[4]), 1, 8);
    setprogramentry([windows, seconds] {
        while (!framework.applaunched) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        measure(windows, seconds);
        host::quitapplication(0);
    });
    int qtargc = 1;
    const int code = host::runapplication(qtargc, argv);
    std::fflush(stdout);
    std::_Exit(code);
}
