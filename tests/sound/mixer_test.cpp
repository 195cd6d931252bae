#include <gtest/gtest.h>

#include <algorithm>

#include "sound_helpers.h"

namespace {

// Each waveform at 440 Hz shown by its harmonics: square and triangle have odd ones only (1/3
// and 1/9), the sawtooth every one (1/n), the sine none, and noise spreads its power instead of
// holding it at the note.
TEST(Mixer, EachWaveformHasItsHarmonics) {
    const double pi = std::numbers::pi;
    const std::tuple<int64_t, double, double, double> rows[] = {  // waveform, amplitude of 1, 2 and 3 times 440 Hz
        {squarewave, 0.25 * 4 / pi, 0, 1.0 / 3}, {trianglewave, 0.25 * 8 / (pi * pi), 0, 1.0 / 9},
        {sawtoothwave, 0.25 * 2 / pi, 0.5, 1.0 / 3}, {sinewave, 0.25, 0, 0}};
    for (const auto& [waveform, first, second, third] : rows) {
        t_Mixer mixer;
        ASSERT_TRUE(queuemusic(mixer, 0, "ML O3 A1", t_Instrument{waveform}));  // 440 Hz for 2 s
        const std::vector<float> sound = renderleft(mixer, soundrate);
        const std::span<const float> held(sound.begin() + 4800, sound.end());  // past the attack
        EXPECT_NEAR(goertzel(held, 440), first, 0.01) << waveform;
        EXPECT_NEAR(goertzel(held, 880) / first, second, 0.02) << waveform;
        EXPECT_NEAR(goertzel(held, 1320) / first, third, 0.02) << waveform;
    }
    t_Mixer noise;
    ASSERT_TRUE(queuemusic(noise, 0, "ML O3 A1", t_Instrument{noisewave}));
    const std::vector<float> sound = renderleft(noise, soundrate);
    EXPECT_GT(rms(sound), 0.05);
    EXPECT_LT(goertzel(sound, 440), 0.5 * rms(sound));
}

// Attack 100 ms, decay 100 ms to sustain 6/15, release 100 ms after the gate closes at 500 ms.
TEST(Mixer, EnvelopeRisesDecaysHoldsAndReleases) {
    t_Mixer mixer;
    ASSERT_TRUE(queuemusic(mixer, 0, "ML T240 O3 A2", t_Instrument{sinewave, 100, 100, 6, 100}));  // 500 ms
    const std::vector<float> sound = renderleft(mixer, framesof(700));
    const std::pair<double, double> levels[] = {{45, 0.5}, {95, 1.0}, {150, 0.7}, {250, 0.4}, {450, 0.4},
                                                {545, 0.2}, {650, 0}};
    for (const auto& [ms, level] : levels) {
        const std::span<const float> window(sound.begin() + framesof(ms), framesof(10));
        EXPECT_NEAR(rms(window) * std::sqrt(2.0) / 0.25, level, 0.06) << ms << " ms";
    }
}

// Four sines at once on four voices, each at its own level.
TEST(Mixer, FourVoicesPlayTogether) {
    t_Mixer mixer;
    const char* strings[] = {"ML V12 O3 A1", "ML V9 O4 E1", "ML V6 O4 A1", "ML V3 O5 C#1"};
    const double frequencies[] = {440, 659.26, 880, 1108.73};
    for (int64_t voice = 0; voice < voicecount; ++voice)
        ASSERT_TRUE(queuemusic(mixer, voice, strings[voice], t_Instrument{sinewave}));
    const std::vector<float> sound = renderleft(mixer, soundrate);
    const std::span<const float> held(sound.begin() + 4800, sound.end());
    for (int64_t voice = 0; voice < voicecount; ++voice)
        EXPECT_NEAR(goertzel(held, frequencies[voice]), 0.25 * (12 - 3 * voice) / 15.0, 0.005) << voice;
}

// Loud chords are turned down, never clipped.
TEST(Mixer, LimiterHoldsPeaksUnderTheCeiling) {
    t_Mixer mixer;
    for (int64_t voice = 0; voice < voicecount; ++voice) ASSERT_TRUE(queuemusic(mixer, voice, "ML O3 A1"));  // squares
    float highest = 0;
    for (const float sample : renderleft(mixer, soundrate / 2)) highest = std::max(highest, std::abs(sample));
    EXPECT_LE(highest, 0.8901f);
    EXPECT_GT(highest, 0.85f);
}

// A file at 44.1 kHz keeps its pitch at the mixer's 48 kHz, plays past its ring when fed, and
// ends.
TEST(Mixer, FilesAreResampledAndEnd) {
    t_Mixer mixer;
    const std::shared_ptr<t_FileStream> stream =
        openfilestream(toneof(44100, 2 * 44100, [](int64_t frame) { return sine(0.3, 1500, frame, 44100); }));
    ASSERT_TRUE(mixeraddfile(mixer, stream));
    std::vector<float> sound;
    for (int64_t block = 0; block < 40; ++block) {  // the feeder's work, by hand
        fillfilestream(*stream);
        const std::vector<float> part = renderleft(mixer, soundrate / 10);
        sound.insert(sound.end(), part.begin(), part.end());
    }
    EXPECT_NEAR(goertzel(std::span<const float>(sound.begin() + soundrate / 10, soundrate), 1500), 0.3, 0.01);
    const std::span<const float> after(sound.begin() + 5 * soundrate / 2, soundrate);
    EXPECT_LT(goertzel(after, 1500), 0.001) << "the file ended after its two seconds";
    EXPECT_TRUE(stream->Finished.load());
}

}  // namespace
