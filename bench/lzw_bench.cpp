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

#include "bench/puzzle_screen.h"
#include "graphics/lzw.h"
#include "graphics/run_length.h"

extern char** environ;

namespace {

using Bytes = std::vector<uint8_t>;

// The puzzle-like screen, run-length coded as a save would code it.
Bytes puzzlescreen() {
    Bytes rgb(static_cast<size_t>(puzzlescreenwidth) * puzzlescreenheight * 3, 0);
    drawpuzzlescreen(rgb.data());
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
