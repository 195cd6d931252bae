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

// The classic 640 x 400 screen at 24 bits, set up without a desktop.
void preparesmallwindow() {
    FrameworkLock lock;
    if (framework.videomemory.size() != static_cast<size_t>(videomemorysize))
        framework.videomemory.assign(static_cast<size_t>(videomemorysize), 0);
    framework.frameworkready = true;
    t_Window& w = framework.windows[benchwindow];
    w = t_Window{};
    w.Initialized = true;
    w.BitDepth = 24;
    w.Width = width;
    w.Height = height;
    w.MemoryEnd = videomemorytop - 0x800000;
    w.MemoryStart = (w.MemoryEnd + 1 - width * height * 3) & ~int64_t{1023};
    w.TextMemoryEnd = w.MemoryStart - 1;
    w.TextMemoryStart = (w.TextMemoryEnd + 1 - columns * lines * 2) & ~int64_t{1023};
    w.Font = smallfont();
    w.TextWidth = columns;
    w.TextHeight = lines;
    w.TextFirstColumn = w.TextFirstLine = w.TextHpos = w.TextVpos = 1;
    w.TextLastColumn = columns;
    w.TextLastLine = lines;
    w.TextColor = 0xC0;
}

template <typename Job>
double secondsper(Job job, int calls) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double start = cpuseconds();
        for (int i = 0; i < calls; ++i) job();
        best = std::min(best, (cpuseconds() - start) / calls);
    }
    return best;
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
