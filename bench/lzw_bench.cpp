// The LZW coder on a run-length coded puzzle screen and on random bytes, measured against
// `compress -b16` and `gzip -1` on the same bytes in the same run. Counters:
//   vs_compress   our throughput / compress's (>= 1 is the goal)
//   vs_gzip       our throughput / gzip -1's
//   size_vs_compress  our coded size / compress's
//   peak_x_input  the coder's peak memory growth / input size (measured in a child process)
//   ours_us, base_us  our CPU time / compress's (its start-up included)
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "graphics/lzw.h"
#include "graphics/run_length.h"

extern char** environ;

namespace {

using Bytes = std::vector<uint8_t>;

// A 1280 x 800 x 24 picture like the puzzle's: black ground, a yellow base, three rods, a stack
// of coloured disks and four lines of text-like speckle in 16 x 32 cells.
Bytes puzzlescreen() {
    constexpr int width = 1280, height = 800;
    Bytes rgb(static_cast<size_t>(width) * height * 3, 0);
    auto rect = [&](int x0, int y0, int x1, int y1, uint8_t r, uint8_t g, uint8_t b) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
                p[0] = r, p[1] = g, p[2] = b;
            }
    };
    rect(80, 700, 1200, 740, 0xFF, 0xFF, 0x00);
    for (int rod = 0; rod < 3; ++rod) rect(260 + rod * 380, 300, 272 + rod * 380, 700, 0xA8, 0xA8, 0xA8);
    const uint8_t colours[][3] = {{0xFF, 0, 0}, {0, 0x80, 0}, {0, 0, 0xFF}, {0xFF, 0x80, 0},
                                  {0x80, 0x40, 0}, {0, 0xFF, 0xFF}, {0xFF, 0, 0xFF}};
    for (int disk = 0; disk < 7; ++disk) {
        const int half = 160 - disk * 20, y = 700 - (disk + 1) * 40;
        rect(266 - half, y, 266 + half, y + 36, colours[disk][0], colours[disk][1], colours[disk][2]);
    }
    std::mt19937 random(42);
    const uint8_t greys[] = {0, 0, 0, 0, 64, 128, 192, 255, 255, 255};
    for (int line = 0; line < 4; ++line)
        for (int column = 0; column < 70; ++column) {
            if (random() % 6 == 0) continue;  // blanks between words
            for (int y = 6; y < 26; ++y)
                for (int x = 2; x < 14; ++x) {
                    const uint8_t v = greys[random() % 10];
                    rect(column * 16 + x, line * 32 + y, column * 16 + x + 1, line * 32 + y + 1, v, v, v);
                }
        }
    return binary24torle(rgb);
}

Bytes randombytes() {
    std::mt19937 random(7);
    Bytes data(3 << 20);
    for (auto& b : data) b = static_cast<uint8_t>(random());
    return data;
}

struct ToolRun {
    double seconds = 0;
    uintmax_t size = 0;
};

// Runs `tool args < input > output` a few times and keeps the least CPU time (user + system,
// the tool's start-up included): on a shared machine wall time mostly measures the others.
ToolRun runtool(const std::vector<std::string>& command, const std::string& input) {
    const std::string output = input + ".out";
    ToolRun best{1e9, 0};
    for (int attempt = 0; attempt < 5; ++attempt) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<char*> argv;
        for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        const bool started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
        if (started) wait4(child, &status, 0, &usage);
        const double seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
        posix_spawn_file_actions_destroy(&actions);
        if (!started) return ToolRun{};
        best.seconds = std::min(best.seconds, seconds);
    }
    std::error_code ignored;
    best.size = std::filesystem::file_size(output, ignored);
    std::filesystem::remove(output, ignored);
    return best;
}

// Peak memory growth of one coding as a multiple of the input size, in a child so that earlier benchmarks do not hide it.
double peakgrowth(const Bytes& data) {
    const pid_t child = fork();
    if (child == 0) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const Bytes coded = lzwpack(data);
        getrusage(RUSAGE_SELF, &after);
        // Tenths of the input size, handed back through the exit code.
        const double grown = (after.ru_maxrss - before.ru_maxrss) * 1024.0;
        _exit(static_cast<int>(std::min(255.0, std::round(grown / data.size() * 10))));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) / 10.0 : -1;
}

void codebench(benchmark::State& state, const Bytes& data) {
    Bytes coded;
    for (auto _ : state) {
        coded = lzwpack(data);
        benchmark::DoNotOptimize(coded.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));

    const std::string input = (std::filesystem::temp_directory_path() / "lzw_bench_input").string();
    if (std::FILE* f = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data.data(), 1, data.size(), f);
        std::fclose(f);
    }
    const ToolRun compress = runtool({"compress", "-b16", "-c"}, input);
    const ToolRun gzip = runtool({"gzip", "-1", "-c"}, input);
    std::filesystem::remove(input);

    // Our own CPU time for one coding, the best of a few measured outside the benchmark loop.
    double seconds = 1e9;
    for (int round = 0; round < 5; ++round) {
        timespec start{}, end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        coded = lzwpack(data);
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        seconds = std::min(seconds, static_cast<double>(end.tv_sec - start.tv_sec) +
                                        static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9);
    }
    if (compress.seconds > 0) {
        state.counters["vs_compress"] = compress.seconds / seconds;
        state.counters["ours_us"] = seconds * 1e6;
        state.counters["base_us"] = compress.seconds * 1e6;
    }
    if (gzip.seconds > 0) state.counters["vs_gzip"] = gzip.seconds / seconds;
    if (compress.size > 0) state.counters["size_vs_compress"] = static_cast<double>(coded.size()) / compress.size;
    state.counters["coded_ratio"] = static_cast<double>(coded.size()) / data.size();
    state.counters["peak_x_input"] = peakgrowth(data);
}

void BM_LzwPuzzleScreen(benchmark::State& state) {
    static const Bytes data = puzzlescreen();
    codebench(state, data);
}

void BM_LzwRandom3MB(benchmark::State& state) {
    static const Bytes data = randombytes();
    codebench(state, data);
}

void BM_LzwDecodeRandom3MB(benchmark::State& state) {
    static const Bytes coded = lzwpack(randombytes());
    Bytes out;
    for (auto _ : state) {
        lzwunpack(coded, 3 << 20, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
}

}  // namespace

BENCHMARK(BM_LzwPuzzleScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwRandom3MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwDecodeRandom3MB)->Unit(benchmark::kMillisecond);
