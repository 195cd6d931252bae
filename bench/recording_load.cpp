// What recording costs: one 640 x 400 window of the given depth shown on the real display,
// animating at 30 Hz (a square moves over a background it restores behind itself; at 24 and 32
// bits both are colour gradients, far more colours than a GIF holds), measured first without and
// then with a recording.
//   stangenspiel_recording_load DEPTH SECONDS FILE.gif
// Prints one line: depth, CPU of the whole process (% of a core) without and with the
// recording, the frames the view drew while recording, and the file's size.
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "core/framework_state.h"
#include "host/host.h"
#include "windows/display_refresh.h"
#include "windows/window_creation.h"
#include "windows/window_placement.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int64_t width = 640, height = 400, side = 64;
constexpr auto frame = std::chrono::microseconds(1000000 / 30);

double processcpu() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

int64_t rowbytes(int64_t depth) { return width * depth / 8; }  // 640 pixels fill whole bytes at every depth

// Sets pixel (x, y) in a buffer of the window's layout to a colour made of a, b in 0-255.
void setpixel(std::vector<uint8_t>& bytes, int64_t depth, int64_t x, int64_t y, uint32_t a, uint32_t b) {
    uint8_t* row = bytes.data() + y * rowbytes(depth);
    switch (depth) {
        case 1: row[x / 8] = static_cast<uint8_t>((row[x / 8] & ~(0x80 >> x % 8)) | ((a + b) / 64 % 2 ? 0x80 >> x % 8 : 0)); break;
        case 4: row[x / 2] = static_cast<uint8_t>(x % 2 ? (row[x / 2] & 0xF0) | (a / 16) : (row[x / 2] & 0x0F) | (b / 16) << 4); break;
        case 8: row[x] = static_cast<uint8_t>((a + b) / 2); break;
        case 16: row[2 * x] = 255, row[2 * x + 1] = static_cast<uint8_t>((a + b) / 2); break;
        case 24: row[3 * x] = static_cast<uint8_t>(a), row[3 * x + 1] = static_cast<uint8_t>(b), row[3 * x + 2] = 128; break;
        default: row[4 * x] = 255, row[4 * x + 1] = static_cast<uint8_t>(a), row[4 * x + 2] = static_cast<uint8_t>(b), row[4 * x + 3] = 128;
    }
}

struct t_Scene {
    int64_t Depth;
    std::vector<uint8_t> Background, Picture;
};

// The square of the step over the background, written into the window's memory.
void drawstep(t_Scene& scene, int64_t step) {
    scene.Picture = scene.Background;
    const int64_t x0 = step * 8 % (width - side), y0 = step * 4 % (height - side);
    for (int64_t y = 0; y < side; ++y)
        for (int64_t x = 0; x < side; ++x)
            setpixel(scene.Picture, scene.Depth, x0 + x, y0 + y, static_cast<uint32_t>(255 - x * 4),
                     static_cast<uint32_t>((y * 4 + step * 8) % 256));
    std::span<uint8_t> memory = g_GraphicMemory(0);
    std::copy(scene.Picture.begin(), scene.Picture.end(), memory.begin());
    g_PictureChanged(0);
}

double animate(t_Scene& scene, double seconds, int64_t& step) {
    const double cpu = processcpu();
    const Clock::time_point start = Clock::now();
    for (Clock::time_point next = start; Clock::now() - start < std::chrono::duration<double>(seconds); next += frame) {
        drawstep(scene, ++step);
        std::this_thread::sleep_until(next + frame);
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    return (processcpu() - cpu) / elapsed * 100;
}

void measure(int64_t depth, double seconds, const std::string& file) {
    t_InitGraphicWindow(0, depth, true, width, height, 0, 0, t_Font{}, true);
    t_WindowSize(0, 10, 40, width, height);
    t_WindowVisible(0, true);
    t_Scene scene{depth, std::vector<uint8_t>(static_cast<size_t>(rowbytes(depth) * height)), {}};
    for (int64_t y = 0; y < height; ++y)
        for (int64_t x = 0; x < width; ++x)
            setpixel(scene.Background, depth, x, y, static_cast<uint32_t>(x * 255 / (width - 1)),
                     static_cast<uint32_t>(y * 255 / (height - 1)));
    int64_t step = 0;
    animate(scene, 1.0, step);  // shown and painted once
    const double plain = animate(scene, seconds, step);
    const uint64_t before = imagesshown(0);
    g_RecordStart(0, file);
    const double recording = animate(scene, seconds, step);
    const uint64_t frames = imagesshown(0) - before;
    g_RecordStop(0);
    struct stat info {};
    ::stat(file.c_str(), &info);
    std::printf("depth %lld cpu_plain %.2f cpu_recording %.2f frames %llu bytes %lld\n", static_cast<long long>(depth),
                plain, recording, static_cast<unsigned long long>(frames), static_cast<long long>(info.st_size));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int64_t depth = argc > 1 ? std::atoi(argv[1]) : 32;
    const double seconds = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 4.0;
    const std::string file = argc > 3 ? argv[3] : "/tmp/stangenspiel_recording_load.gif";
    setprogramentry([depth, seconds, file] {
        while (!framework.applaunched) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        measure(depth, seconds, file);
        host::quitapplication(0);
    });
    int qtargc = 1;
    const int code = host::runapplication(qtargc, argv);
    std::fflush(stdout);
    std::_Exit(code);
}
