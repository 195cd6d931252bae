// The g_Plot loop of bench/python_bench.py in C++, on the same 640 x 400 x 32 window, so that
// the Python loop's calls have their C++ counterpart in the same run. Counters:
//   ours_us  one call of the loop, CPU time in microseconds, best of several rounds
//   base_us  one plain 32-bit pixel store at the same computed address
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "bench/bench_window.h"
#include "bench/thread_clock.h"
#include "core/framework_state.h"
#include "graphics/plot.h"

namespace {

constexpr uint8_t loopwindow = 4;
constexpr int64_t width = 640, height = 400, calls = 200000;

uint8_t* preparewindow() {
    t_Window& w = preparebenchwindow(loopwindow, width, height, 0x400000, 32);
    FrameworkLock lock;
    w.RGBColor = t_RGBColor{255, 255, 255, 0};
    return framework.videomemory.data() + w.MemoryStart;
}

template <typename Job>
double secondspercall(Job job) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double start = cpuseconds();
        for (int64_t i = 0; i < calls; ++i) job(i % width, i / width % height);
        best = std::min(best, (cpuseconds() - start) / calls);
    }
    return best;
}

void BM_PlotLoop32(benchmark::State& state) {
    uint8_t* pixels = preparewindow();
    for (auto _ : state) g_Plot(loopwindow, 1, 1);
    const double ours = secondspercall([](int64_t x, int64_t y) { g_Plot(loopwindow, x, y); });
    const double base = secondspercall([pixels](int64_t x, int64_t y) {
        const uint32_t yellow = 0xFFFFFF00;
        std::memcpy(pixels + (y * width + x) * 4, &yellow, 4);
        benchmark::DoNotOptimize(pixels);
    });
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = base * 1e6;
    state.counters["x_base"] = ours / base;
}
BENCHMARK(BM_PlotLoop32);

}  // namespace
