// Saving a puzzle screen: capture, packing, run-length and LZW coding of a 1280 x 800 x 24
// window, against `compress -b16` on the raw captured bytes in the same run; and decoding the
// saved file back, against the coding. Counters:
//   vs_compress  compress's time / ours (goal: at least 0.5, at most twice compress's time)
//   vs_coding    coding time / decoding time (goal: above 1)
//   ours_us, base_us  our CPU time / the tool's (compress -b16 on the raw capture when saving,
//                compress -d on its own file when opening), start-up of the tool included
//   file_ratio   saved file size / raw captured size
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/thread_clock.h"
#include "bench/puzzle_screen.h"
#include "core/framework_state.h"
#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_file.h"

extern char** environ;

namespace {

constexpr int screenwidth = puzzlescreenwidth, screenheight = puzzlescreenheight;

// Window 0 showing the puzzle-like screen. The record is set up by hand, since no desktop runs
// here.
void makepuzzlewindow() {
    static bool made = false;
    if (made) return;
    made = true;
    FrameworkLock lock;
    framework.videomemory.assign(static_cast<size_t>(videomemorysize), 0);
    framework.memoryinitialized = true;
    framework.frameworkready = true;
    t_Window& w = framework.windows[0];
    w.Initialized = true;
    w.BitDepth = 24;
    w.Width = screenwidth;
    w.Height = screenheight;
    w.MemoryStart = 0x100000;
    w.MemoryEnd = w.MemoryStart + screenwidth * screenheight * 3 - 1;
    drawpuzzlescreen(framework.videomemory.data() + w.MemoryStart);
}

// The coders log their course on standard output; while measuring it goes to /dev/null.
class QuietLog {
public:
    QuietLog() : saved(::dup(1)) {
        std::fflush(stdout);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::close(null);
    }
    ~QuietLog() {
        std::fflush(stdout);
        ::dup2(saved, 1);
        ::close(saved);
    }
private:
    int saved;
};

std::vector<uint8_t> savedfile() { return graphictobytes(g_CompressLZW(g_CompressRLE(g_Pack(g_GetScreen(0))))); }

// Thread CPU time: on a shared machine wall time mostly measures the other processes.
template <typename F>
double secondsof(F&& work, int repeats = 3) {
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        const double start = cpuseconds();
        work();
        best = std::min(best, cpuseconds() - start);
    }
    return best;
}

// The least CPU time (user + system, start-up included) of five runs of `command < data`;
// 0 when the tool cannot run. The output of the last run goes to output when asked for.
double toolseconds(const std::vector<uint8_t>& data, std::vector<const char*> command,
                   std::vector<uint8_t>* output = nullptr) {
    const std::string input = (std::filesystem::temp_directory_path() / "capture_bench_input").string();
    const std::string result = input + ".out";
    if (std::FILE* f = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
    }
    command.push_back(nullptr);
    double best = 1e9;
    for (int attempt = 0; attempt < 5 && best > 0; ++attempt) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, result.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        const bool started = posix_spawnp(&child, command[0], &actions, nullptr,
                                          const_cast<char* const*>(command.data()), environ) == 0;
        if (started) wait4(child, &status, 0, &usage);
        posix_spawn_file_actions_destroy(&actions);
        const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
        best = started ? std::min(best, cpu) : 0;
    }
    if (output != nullptr) {
        output->clear();
        if (std::FILE* f = std::fopen(result.c_str(), "rb")) {
            uint8_t buffer[65536];
            for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) output->insert(output->end(), buffer, buffer + n);
            std::fclose(f);
        }
    }
    std::filesystem::remove(input);
    std::filesystem::remove(result);
    return best;
}

void BM_SavePuzzleScreen(benchmark::State& state) {
    makepuzzlewindow();
    std::vector<uint8_t> file;
    double ours = 0;
    {
        QuietLog quiet;
        for (auto _ : state) {
            file = savedfile();
            benchmark::DoNotOptimize(file.data());
        }
        ours = secondsof([&] { file = savedfile(); });
    }
    const t_Graphic raw = g_GetScreen(0);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * raw.Data.size()));
    const double compress = toolseconds(raw.Data, {"compress", "-b16", "-c"});
    if (compress > 0) {
        state.counters["vs_compress"] = compress / ours;
        state.counters["ours_us"] = ours * 1e6;
        state.counters["base_us"] = compress * 1e6;
    }
    state.counters["file_ratio"] = static_cast<double>(file.size()) / static_cast<double>(raw.Data.size());
}

void BM_OpenSavedPuzzleScreen(benchmark::State& state) {
    makepuzzlewindow();
    std::vector<uint8_t> file;
    double coding = 0, decoding = 0;
    t_Graphic back;
    {
        QuietLog quiet;
        file = savedfile();
        for (auto _ : state) {
            back = g_Decompress(graphicfrombytes(file, "bench"));
            benchmark::DoNotOptimize(back.Data.data());
        }
        coding = secondsof([&] { file = savedfile(); });
        decoding = secondsof([&] { back = g_Decompress(graphicfrombytes(file, "bench")); });
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * back.Data.size()));
    state.counters["vs_coding"] = coding / decoding;
    // Against the tool unpacking its own file of the raw capture.
    std::vector<uint8_t> packed;
    toolseconds(g_GetScreen(0).Data, {"compress", "-b16", "-c"}, &packed);
    const double uncompress = packed.empty() ? 0 : toolseconds(packed, {"compress", "-d", "-c"});
    if (uncompress > 0) {
        state.counters["ours_us"] = decoding * 1e6;
        state.counters["base_us"] = uncompress * 1e6;
    }
}

}  // namespace

BENCHMARK(BM_SavePuzzleScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSavedPuzzleScreen)->Unit(benchmark::kMillisecond);
