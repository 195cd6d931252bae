#include <gtest/gtest.h>

#include <algorithm>

#include "sound_helpers.h"

namespace {

t_Instrument instrument(int64_t waveform, int64_t attack = 2, int64_t decay = 0, int64_t sustain = 15,
                        int64_t release = 5) {
    return {waveform, attack, decay, sustain, release};
}

// Each waveform at 440 Hz shown by its harmonics: square and triangle have odd ones only (1/3
// and 1/9), the sawtooth every one (1/n), the sine none, and noise spreads its power instead of
// holding it at the note.
TEST(Mixer, EachWaveformHasItsHarmonicsAndNotesTheirFrequencies) {
    const double pi = std::numbers::pi;
    const std::tuple<int64_t, double, double, double> rows[] = {  // waveform, amplitude of 1, 2 and 3 times 440 Hz
        {squarewave, 0.25 * 4 / pi, 0, 1.0 / 3}, {trianglewave, 0.25 * 8 / (pi * pi), 0, 1.0 / 9},
        {sawtoothwave, 0.25 * 2 / pi, 0.5, 1.0 / 3}, {sinewave, 0.25, 0, 0}};
    for (const auto& [waveform, first, second, third] : rows) {
        t_Mixer mixer;
        ASSERT_TRUE(queuemusic(mixer, 0, "ML O3 A1", instrument(waveform)));  // 440 Hz for 2 s
        const std::vector<float> sound = renderleft(mixer, soundrate);
        const std::span<const float> held(sound.begin() + 4800, sound.end());  // past the attack
        EXPECT_NEAR(goertzel(held, 440), first, 0.01) << waveform;
        EXPECT_NEAR(goertzel(held, 880) / first, second, 0.02) << waveform;
        EXPECT_NEAR(goertzel(held, 1320) / first, third, 0.02) << waveform;
    }
    t_Mixer noise;
    ASSERT_TRUE(queuemusic(noise, 0, "ML O3 A1", instrument(noisewave)));
    const std::vector<float> sound = renderleft(noise, soundrate);
    EXPECT_GT(rms(sound), 0.05);
    EXPECT_LT(goertzel(sound, 440), 0.5 * rms(sound));
}

// Attack 100 ms, decay 100 ms to sustain 6/15, release 100 ms after the gate closes at 500 ms.
TEST(Mixer, EnvelopeRisesDecaysHoldsAndReleases) {
    t_Mixer mixer;
    ASSERT_TRUE(queuemusic(mixer, 0, "ML T240 O3 A2", instrument(sinewave, 100, 100, 6, 100)));  // 500 ms
    const std::vector<float> sound = renderleft(mixer, framesof(700));
    const std::pair<double, double> levels[] = {{45, 0.5}, {95, 1.0}, {150, 0.7}, {250, 0.4}, {450, 0.4},
                                                {545, 0.2}, {650, 0}};
    for (const auto& [ms, level] : levels) {
        const std::span<const float> window(sound.begin() + framesof(ms), framesof(10));
        EXPECT_NEAR(rms(window) * std::sqrt(2.0) / 0.25, level, 0.06) << ms << " ms";
    }
}

// Four sines at once on four voices, each at its own level; nothing at a note none plays.
TEST(Mixer, FourVoicesPlayTogether) {
    t_Mixer mixer;
    const char* strings[] = {"ML V12 O3 A1", "ML V9 O4 E1", "ML V6 O4 A1", "ML V3 O5 C#1"};
    const double frequencies[] = {440, 659.26, 880, 1108.73};
    for (int64_t voice = 0; voice < voicecount; ++voice)
        ASSERT_TRUE(queuemusic(mixer, voice, strings[voice], instrument(sinewave)));
    const std::vector<float> sound = renderleft(mixer, soundrate);
    const std::span<const float> held(sound.begin() + 4800, sound.end());
    for (int64_t voice = 0; voice < voicecount; ++voice)
        EXPECT_NEAR(goertzel(held, frequencies[voice]), 0.25 * (12 - 3 * voice) / 15.0, 0.005) << voice;
    EXPECT_LT(goertzel(held, 523.25), 0.002);
}

// Exactly where the tempo puts it: a note after a pause begins on its frame, and a second string
// on a busy voice begins where the first ends.
TEST(Mixer, NotesBeginOnTheirFrames) {
    t_Mixer mixer;
    ASSERT_TRUE(queuemusic(mixer, 1, "L8 C P8 D"));                     // D at 500 ms
    ASSERT_TRUE(queuemusic(mixer, 1, "L8 E"));                          // at 750 ms
    const std::vector<float> sound = renderleft(mixer, framesof(1000));
    const auto firstsound = [&](int64_t from) {
        return std::find_if(sound.begin() + from, sound.end(), [](float s) { return s != 0; }) - sound.begin();
    };
    // A square wave's first frame is a zero crossing; the next ones sound.
    EXPECT_NEAR(firstsound(framesof(300)), framesof(500), 2);
    EXPECT_NEAR(firstsound(framesof(500) + framesof(218.75) + framesof(6)), framesof(750), 2);
}

// Loud chords are turned down, never clipped.
TEST(Mixer, LimiterHoldsPeaksUnderTheCeiling) {
    const auto peak = [](int64_t voices, int64_t waveform) {
        t_Mixer mixer;
        for (int64_t voice = 0; voice < voices; ++voice) EXPECT_TRUE(queuemusic(mixer, voice, "ML O3 A1", instrument(waveform)));
        float highest = 0;
        for (const float sample : renderleft(mixer, soundrate / 2)) highest = std::max(highest, std::abs(sample));
        return highest;
    };
    EXPECT_LE(peak(voicecount, squarewave), 0.8901f);
    EXPECT_GT(peak(voicecount, squarewave), 0.85f);
}

// A file at 44.1 kHz keeps its pitch at the mixer's 48 kHz, plays past its ring when fed, and
// ends; a stereo file keeps its sides apart.
TEST(Mixer, FilesAreResampledMixedAndEnd) {
    t_Mixer mixer;
    const std::shared_ptr<t_FileStream> stream =
        openfilestream(toneof(44100, 1, 2 * 44100, [](int64_t frame, int64_t) { return sine(0.3, 1500, frame, 44100); }));
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

    ASSERT_TRUE(mixeraddfile(mixer, openfilestream(toneof(soundrate, 2, -1, [](int64_t frame, int64_t side) {
        return side == 0 ? sine(0.2, 700, frame) : 0.2f;
    }))));
    std::vector<float> sides(2 * soundrate / 10);
    mixerrender(mixer, sides.data(), soundrate / 10);
    EXPECT_NEAR(sides[2 * 2000 + 1], 0.2f, 1e-6);  // past the voice's release
    EXPECT_NE(sides[2 * 2000], sides[2 * 2000 + 1]);
}

}  // namespace
