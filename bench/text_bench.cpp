// The text screen's hot paths on an 80 x 25 window of 16 x 32 glyphs at 24 bits. Counters:
//   x_memcpy   one character cell / memcpy of the cell's 32 rows of 48 bytes (goal: at most 4)
//   x_memmove  one full-width scroll / memmove of the window's graphic block (goal: at most 1.5)
//   items/s    characters per second of a long t_Print that scrolls all the time
//   ours_us, base_us  the times behind the ratios (for t_Print: one character / one cell's memcpy)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_window.h"
#include "bench/thread_clock.h"
#include "core/framework_state.h"
#include "text/font_resource.h"
#include "text/glyphs.h"
#include "text/text_output.h"

namespace {

constexpr uint8_t benchwindow = 5;
constexpr int64_t columns = 80, lines = 25, glyphwidth = 16, glyphheight = 32;
constexpr int64_t width = columns * glyphwidth, height = lines * glyphheight;
constexpr int64_t rowbytes = width * 3;

// Thread CPU time: on a shared machine wall time mostly measures the other processes.
// The program's own font from the build tree's resources when it is there, else glyphs that
// look like a font's: blank rows above and below, strokes with soft edges between.
t_Font benchfont() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path file = program.parent_path().parent_path() / "resources" / "MenloRegular 16x32.font";
    if (!error && std::filesystem::exists(file)) {
        t_Font font = t_LoadFontResource(file.string());
        if (font.Width == glyphwidth && font.Height == glyphheight && !font.Data.empty()) return font;
    }
    t_Font font;
    font.Format = 2;
    font.End = 255;
    font.Width = glyphwidth;
    font.Height = glyphheight;
    font.Data.resize(256 * glyphwidth * glyphheight);
    std::mt19937 random(3);
    for (int64_t c = 0; c < 256; ++c)
        for (int64_t r = 6; r < 26; ++r)
            for (int64_t k = 3; k < 13; ++k) {
                const auto pick = random() % 10;
                font.Data[static_cast<size_t>((c * glyphheight + r) * glyphwidth + k)] =
                    pick < 5 ? 0 : pick < 8 ? 255 : static_cast<uint8_t>(random());
            }
    return font;
}

// An 80 x 25 text window near the top of video memory.
t_Window& preparetextwindow() {
    return preparebenchtext(preparebenchwindow(benchwindow, width, height, 0x400000), benchfont(), columns, lines);
}

// CPU seconds per call of job, the best of several rounds.
void BM_GlyphCell24(benchmark::State& state) {
    preparetextwindow();
    int64_t i = 0;
    for (auto _ : state) {
        t_PrintSymbol(benchwindow, static_cast<uint8_t>(33 + i % 90), 0xC0, 1 + i % columns, 1 + (i / columns) % lines);
        ++i;
    }
    const double ours = secondsper([&] { t_PrintSymbol(benchwindow, 'A', 0xC0, 7, 9); }, 20000);
    std::vector<uint8_t> from(static_cast<size_t>(rowbytes * glyphheight), 1), to(from.size());
    const double copy = secondsper([&] {
        for (int64_t r = 0; r < glyphheight; ++r)
            std::memcpy(to.data() + r * rowbytes, from.data() + r * rowbytes + 48, 48);
        benchmark::DoNotOptimize(to.data());
    }, 20000);
    state.counters["x_memcpy"] = ours / copy;
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = copy * 1e6;
}
BENCHMARK(BM_GlyphCell24);

// Every cell in a new colour pair: the blend is computed, not copied.
void BM_GlyphCell24Uncached(benchmark::State& state) {
    preparetextwindow();
    int64_t i = 0;
    for (auto _ : state) {
        t_PrintSymbol(benchwindow, static_cast<uint8_t>(33 + i % 90), static_cast<uint8_t>(i * 7), 1 + i % columns,
                      1 + (i / columns) % lines);
        ++i;
    }
}
BENCHMARK(BM_GlyphCell24Uncached);

void BM_FullWidthScroll(benchmark::State& state) {
    const t_Window& w = preparetextwindow();
    for (auto _ : state) t_ScrollUp(benchwindow);
    const double ours = secondsper([&] { t_ScrollUp(benchwindow); }, 50);
    uint8_t* block = framework.videomemory.data() + w.MemoryStart;
    const size_t size = static_cast<size_t>(w.MemoryEnd - w.MemoryStart + 1);
    const double move = secondsper([&] {
        std::memmove(block, block + rowbytes * glyphheight, size - static_cast<size_t>(rowbytes * glyphheight));
        benchmark::DoNotOptimize(block);
    }, 50);
    state.counters["x_memmove"] = ours / move;
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = move * 1e6;
}
BENCHMARK(BM_FullWidthScroll);

void BM_PrintWithScrolling(benchmark::State& state) {
    preparetextwindow();
    std::string text;
    for (int i = 0; i < 20000; ++i) text += static_cast<char>(i % 97 == 0 ? 13 : 32 + i % 95);
    for (auto _ : state) t_Print(benchwindow, text);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(text.size()));
    // Per character, against copying one cell's 32 rows.
    const double ours = secondsper([&] { t_Print(benchwindow, text); }, 1) / static_cast<double>(text.size());
    std::vector<uint8_t> from(static_cast<size_t>(rowbytes * glyphheight), 1), to(from.size());
    const double copy = secondsper([&] {
        for (int64_t r = 0; r < glyphheight; ++r)
            std::memcpy(to.data() + r * rowbytes, from.data() + r * rowbytes + 48, 48);
        benchmark::DoNotOptimize(to.data());
    }, 20000);
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = copy * 1e6;
}
BENCHMARK(BM_PrintWithScrolling)->Unit(benchmark::kMillisecond);

}  // namespace
