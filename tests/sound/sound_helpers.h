// Measuring rendered sound: a Goertzel filter for the level of one frequency and renders of a
// mixer of the test's own; the fixture of tests through the public calls.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sound/mixer.h"
#include "sound/sound_output.h"
#include <stangenspiel/stangenspiel.h>

// Peak amplitude of the frequency's component in the samples (a sine of amplitude a gives a).
inline double goertzel(std::span<const float> samples, double frequency) {
    const double omega = 2 * std::numbers::pi * frequency / soundrate, coefficient = 2 * std::cos(omega);
    double previous = 0, before = 0;
    for (float sample : samples) {
        const double current = sample + coefficient * previous - before;
        before = previous;
        previous = current;
    }
    const double power = previous * previous + before * before - coefficient * previous * before;
    return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(samples.size());
}

inline double rms(std::span<const float> samples) {
    double sum = 0;
    for (float sample : samples) sum += static_cast<double>(sample) * sample;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

// The next `frames` frames of the mixer, left channel (the voices sound alike on both).
inline std::vector<float> renderleft(t_Mixer& mixer, int64_t frames) {
    std::vector<float> stereo(static_cast<size_t>(2 * frames)), left(static_cast<size_t>(frames));
    mixerrender(mixer, stereo.data(), frames);
    for (int64_t i = 0; i < frames; ++i) left[static_cast<size_t>(i)] = stereo[static_cast<size_t>(2 * i)];
    return left;
}

// Queues a music string on a voice of the mixer, read from the default state.
inline bool queuemusic(t_Mixer& mixer, int64_t voice, const std::string& text, const t_Instrument& instrument = {}) {
    t_Music music;
    std::string error;
    int64_t end = 0, room = 0;
    return parsemusic(text, t_MusicState{}, mostqueuednotes, music, error) &&
           mixerqueue(mixer, voice, music, instrument, end, room);
}

inline constexpr int64_t framesof(double ms) { return static_cast<int64_t>(ms * soundrate / 1000); }

inline float sine(double amplitude, double frequency, int64_t frame, int64_t rate = soundrate) {
    return static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(frame) / rate));
}

// A mono sound file's frames as a source: `frames` of them, each sample given.
inline t_SoundSource toneof(int64_t rate, int64_t frames, std::function<float(int64_t)> sample) {
    auto next = std::make_shared<int64_t>(0);
    return {rate, 1, [=](float* out, int64_t count) {
                const int64_t n = std::min(count, frames - *next);
                for (int64_t i = 0; i < n; ++i, ++*next) out[i] = sample(*next);
                return n;
            }};
}

// A scripted run's output: a clock renders the mix in real time, no device involved.
class SoundCalls : public testing::Test {
protected:
    void SetUp() override { restartsoundoutput(true); }
    void TearDown() override {
        s_Stop();
        s_Play("O4 L4 T120 V15 MN MB");  // the defaults, for the next test
    }
};
