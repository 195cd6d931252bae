// Pixel graphics on a 1280 x 800 x 24 window. Counters:
//   ours_us, base_us  one call / the baseline, CPU time in microseconds, best of several rounds
//   x_base            ours / baseline
// The baseline of g_Line over the diagonal stores the same 1280 RGB pixels at addresses computed
// in a plain integer loop; the baseline of g_Plot stores one RGB pixel at a computed address.
#include <benchmark/benchmark.h>

#include <ctime>

#include <algorithm>
#include <cstdint>

#include "bench/bench_window.h"
#include "bench/thread_clock.h"
#include "core/framework_state.h"
#include "graphics/plot.h"

namespace {

constexpr uint8_t benchwindow = 3;
constexpr int64_t width = 1280, height = 800, rowbytes = width * 3;

// A 24-bit window with its drawing colour and mode set.
uint8_t* preparegraphicwindow() {
    t_Window& w = preparebenchwindow(benchwindow, width, height, 0x800000);
    FrameworkLock lock;
    w.RGBColor = t_RGBColor{255, 255, 255, 0};
    w.DrawingMode = 0;
    return framework.videomemory.data() + w.MemoryStart;
}

void report(benchmark::State& state, double ours, double base) {
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = base * 1e6;
    state.counters["x_base"] = ours / base;
}

void BM_LineDiagonal24(benchmark::State& state) {
    uint8_t* pixels = preparegraphicwindow();
    for (auto _ : state) g_Line(benchwindow, 0, 0, width - 1, height - 1);
    state.SetItemsProcessed(state.iterations() * width);  // points per second
    const double ours = secondsper([] { g_Line(benchwindow, 0, 0, width - 1, height - 1); }, 2000);
    const double base = secondsper([&] {
        for (int64_t x = 0; x < width; ++x) {
            uint8_t* p = pixels + (x * (height - 1) / (width - 1)) * rowbytes + x * 3;
            p[0] = 255, p[1] = 255, p[2] = 0;
        }
        benchmark::ClobberMemory();
    }, 2000);
    report(state, ours, base);
}
BENCHMARK(BM_LineDiagonal24);

void BM_Plot24(benchmark::State& state) {
    uint8_t* pixels = preparegraphicwindow();
    int64_t i = 0;
    for (auto _ : state) {
        g_Plot(benchwindow, i % width, i % height);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
    int64_t k = 0;
    const double ours = secondsper([&] {
        g_Plot(benchwindow, k % width, k % height);
        ++k;
    }, 200000);
    k = 0;
    const double base = secondsper([&] {
        uint8_t* p = pixels + (k % height) * rowbytes + (k % width) * 3;
        p[0] = 255, p[1] = 255, p[2] = 0;
        benchmark::ClobberMemory();
        ++k;
    }, 200000);
    report(state, ours, base);
}
BENCHMARK(BM_Plot24);

}  // namespace
