// The LZW coder on a run-length coded puzzle screen, on that screen repeated to 4 MB, and on
// random bytes, measured against `compress -b16` and `gzip -1` on the same bytes in the same
// run. Counters:
//   vs_compress   our throughput / compress's (>= 1 is the goal)
//   vs_gzip       our throughput / gzip -1's
//   size_vs_compress  our coded size / compress's
//   peak_x_input  the coder's peak memory growth / input size (measured in a child process)
//   ours_us, base_us  our CPU time / compress's (its start-up, measured on an empty input, taken off)
//   base_startup_us   compress's start-up
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "bench/puzzle_screen.h"
#include "bench/tool_run.h"
#include "graphics/lzw.h"
#include "graphics/run_length.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The puzzle-like screen, run-length coded as a save would code it.
Bytes puzzlescreen() {
    Bytes rgb(static_cast<size_t>(puzzlescreenwidth) * puzzlescreenheight * 3, 0);
    drawpuzzlescreen(rgb.data());
    return binary24torle(rgb);
}

// The coded screen over and over to 4 MB, coded as one piece: compress's start-up is then a
// small part of its time, and taking it off no longer decides the ratio.
Bytes puzzlescreens4mb() {
    const Bytes screen = puzzlescreen();
    Bytes data;
    data.reserve((4 << 20) + screen.size());
    while (data.size() < (4 << 20)) data.insert(data.end(), screen.begin(), screen.end());
    data.resize(4 << 20);
    return data;
}

Bytes randombytes() {
    std::mt19937 random(7);
    Bytes data(3 << 20);
    for (auto& b : data) b = static_cast<uint8_t>(random());
    return data;
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

    const t_ToolRun compress = runtool({"compress", "-b16", "-c"}, data);
    const t_ToolRun gzip = runtool({"gzip", "-1", "-c"}, data);

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
    if (compress.Ran) {
        state.counters["vs_compress"] = compress.Seconds / seconds;
        state.counters["ours_us"] = seconds * 1e6;
        state.counters["base_us"] = compress.Seconds * 1e6;
        state.counters["base_startup_us"] = compress.StartupSeconds * 1e6;
    }
    if (gzip.Ran) state.counters["vs_gzip"] = gzip.Seconds / seconds;
    if (!compress.Output.empty())
        state.counters["size_vs_compress"] = static_cast<double>(coded.size()) / static_cast<double>(compress.Output.size());
    state.counters["coded_ratio"] = static_cast<double>(coded.size()) / data.size();
    state.counters["peak_x_input"] = peakgrowth(data);
}

void BM_LzwPuzzleScreen(benchmark::State& state) {
    static const Bytes data = puzzlescreen();
    codebench(state, data);
}

void BM_LzwPuzzleScreens4MB(benchmark::State& state) {
    static const Bytes data = puzzlescreens4mb();
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
BENCHMARK(BM_LzwPuzzleScreens4MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwRandom3MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzwDecodeRandom3MB)->Unit(benchmark::kMillisecond);
