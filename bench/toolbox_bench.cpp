// The classic conveniences' costs. Counters:
//   x_memcpy  one 8 x 16 cell at 24 bits / memcpy of the cell's 16 rows of 24 bytes (the small
//             fonts take the general cell path, not the unrolled 16-pixel one)
//   x_engine  one t_RandomInt(6) / one raw draw of the same generator (the lock and the rejection)
//   ours_us, base_us  the times behind the ratios
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "bench/bench_window.h"
#include "bench/thread_clock.h"
#include "core/framework_state.h"
#include "text/font_resource.h"
#include "text/glyphs.h"

namespace {

constexpr uint8_t benchwindow = 6;
constexpr int64_t columns = 80, lines = 25, glyphwidth = 8, glyphheight = 16;
constexpr int64_t width = columns * glyphwidth, height = lines * glyphheight, rowbytes = width * 3;

// Glyphs with the strokes of a bitmap font: only full and empty pixels.
t_Font smallfont() {
    t_Font font;
    font.Format = 2;
    font.End = 255;
    font.Width = glyphwidth;
    font.Height = glyphheight;
    font.Data.resize(256 * glyphwidth * glyphheight);
    std::mt19937 random(5);
    for (size_t i = 0; i < font.Data.size(); ++i) font.Data[i] = random() % 3 == 0 ? 255 : 0;
    return font;
}

// The classic 640 x 400 screen at 24 bits.
void preparesmallwindow() {
    preparebenchtext(preparebenchwindow(benchwindow, width, height, 0x800000), smallfont(), columns, lines);
}

void BM_GlyphCell8x16(benchmark::State& state) {
    preparesmallwindow();
    int64_t i = 0;
    for (auto _ : state) {
        t_PrintSymbol(benchwindow, static_cast<uint8_t>(33 + i % 90), 0xC0, 1 + i % columns, 1 + (i / columns) % lines);
        ++i;
    }
    const double ours = secondsper([] { t_PrintSymbol(benchwindow, 'A', 0xC0, 7, 9); }, 20000);
    std::vector<uint8_t> from(static_cast<size_t>(rowbytes * glyphheight), 1), to(from.size());
    const double copy = secondsper([&] {
        for (int64_t r = 0; r < glyphheight; ++r)
            std::memcpy(to.data() + r * rowbytes, from.data() + r * rowbytes + 24, 24);
        benchmark::DoNotOptimize(to.data());
    }, 20000);
    state.counters["x_memcpy"] = ours / copy;
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = copy * 1e6;
}
BENCHMARK(BM_GlyphCell8x16);

void BM_RandomInt(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(t_RandomInt(6));
    const double ours = secondsper([] { benchmark::DoNotOptimize(t_RandomInt(6)); }, 200000);
    std::mt19937_64 engine(1);
    const double raw = secondsper([&] { benchmark::DoNotOptimize(engine()); }, 200000);
    state.counters["x_engine"] = ours / raw;
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = raw * 1e6;
}
BENCHMARK(BM_RandomInt);

}  // namespace
