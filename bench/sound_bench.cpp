// The mixer's CPU: one second of sound with four voices (square, triangle, sawtooth, sine) and one
// file at 44.1 kHz being resampled, rendered in the 5 ms blocks the audio device asks for, the
// feeder's refills included. Counters:
//   core_percent  the share of one core that keeps it playing (goal: at most 1 %)
//   ours_us, base_us  CPU per second of sound / four plain sine oscillators summed into the
//                     same stereo blocks, the least a four-voice mixer does
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "bench/thread_clock.h"
#include "sound/mixer.h"

namespace {

constexpr int64_t block = soundrate / 200;  // 5 ms

// A long tone at 44.1 kHz, read like a decoded file.
t_SoundSource filesource() {
    auto position = std::make_shared<int64_t>(0);
    return {44100, 2, [position](float* frames, int64_t count) {
                for (int64_t i = 0; i < count; ++i, ++*position) {
                    const auto value = static_cast<float>(0.2 * std::sin(2 * std::numbers::pi * 330 * *position / 44100.0));
                    frames[2 * i] = frames[2 * i + 1] = value;
                }
                return count;
            }};
}

void queuevoices(t_Mixer& mixer) {
    const char* strings[] = {"T60 L1 ML O4 C", "T60 L1 ML O3 E", "T60 L1 ML O3 G", "T60 L1 ML O2 C"};
    for (int64_t voice = 0; voice < voicecount; ++voice) {
        t_Music music;
        std::string error;
        parsemusic(strings[voice], t_MusicState{}, 8, music, error);
        int64_t end = 0, room = 0;
        mixerqueue(mixer, voice, music, t_Instrument{voice == 3 ? sinewave : voice, 2, 0, 15, 5}, end, room);
    }
}

// CPU seconds of one second of sound, the best of five rounds; `prepare` is not counted.
template <typename Prepare, typename Second>
double bestsecond(Prepare prepare, Second second) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        auto prepared = prepare();
        const double start = cpuseconds();
        second(*prepared);
        best = std::min(best, cpuseconds() - start);
    }
    return best;
}

struct t_Playing {
    t_Mixer Mixer;
    std::shared_ptr<t_FileStream> Stream;
};

void BM_MixerFourVoicesAndAFile(benchmark::State& state) {
    std::vector<float> out(2 * block);
    const auto prepare = [] {
        auto playing = std::make_unique<t_Playing>();
        queuevoices(playing->Mixer);
        playing->Stream = openfilestream(filesource());
        mixeraddfile(playing->Mixer, playing->Stream);
        return playing;
    };
    const auto second = [&](t_Playing& playing) {
        for (int64_t done = 0; done < soundrate; done += block) {
            if (done % (soundrate / 50) == 0) fillfilestream(*playing.Stream);  // the feeder wakes every 20 ms
            mixerrender(playing.Mixer, out.data(), block);
        }
        benchmark::DoNotOptimize(out.data());
    };
    for (auto _ : state) {
        state.PauseTiming();
        auto playing = prepare();
        state.ResumeTiming();
        second(*playing);
    }
    const double ours = bestsecond(prepare, second);
    const double base = bestsecond([] { return std::make_unique<int>(0); }, [&](int&) {
        double phases[4] = {0, 0, 0, 0};
        const double steps[4] = {523.25 / soundrate, 329.63 / soundrate, 392.0 / soundrate, 130.81 / soundrate};
        for (int64_t done = 0; done < soundrate; done += block) {
            for (int64_t i = 0; i < block; ++i) {
                float sum = 0;
                for (int v = 0; v < 4; ++v) {
                    sum += static_cast<float>(0.25 * std::sin(2 * std::numbers::pi * phases[v]));
                    phases[v] += steps[v];
                    if (phases[v] >= 1) phases[v] -= 1;
                }
                out[static_cast<size_t>(2 * i)] = out[static_cast<size_t>(2 * i + 1)] = sum;
            }
            benchmark::DoNotOptimize(out.data());
        }
    });
    state.counters["core_percent"] = ours * 100;
    state.counters["ours_us"] = ours * 1e6;
    state.counters["base_us"] = base * 1e6;
}
BENCHMARK(BM_MixerFourVoicesAndAFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
