#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "sound/mixer.h"
#include "sound_helpers.h"

namespace {

t_Instrument instrument(int64_t waveform, int64_t attack = 2, int64_t decay = 0, int64_t sustain = 15,
                        int64_t release = 5) {
    return {waveform, attack, decay, sustain, release};
}

// Each waveform at 440 Hz shown by its harmonics: square and triangle have odd ones only (1/3
// and 1/9), the sawtooth every one (1/n), the sine none, and noise spreads its power instead of
// holding it at the note.
TEST(Mixer, EachWaveformHasItsHarmonics) {
    struct t_Row {
        int64_t Waveform;
        double Second, Third;  // amplitude relative to the fundamental
    };
    const t_Row rows[] = {{squarewave, 0, 1.0 / 3}, {trianglewave, 0, 1.0 / 9}, {sawtoothwave, 0.5, 1.0 / 3},
                          {sinewave, 0, 0}};
    for (const t_Row& row : rows) {
        t_Mixer mixer;
        ASSERT_TRUE(queuemusic(mixer, 0, "ML O3 A1", instrument(row.Waveform)));  // 440 Hz for 2 s
        const std::vector<float> sound = renderleft(mixer, soundrate);
        const std::span<const float> held(sound.begin() + 4800, sound.end());  // past the attack
        const double first = goertzel(held, 440);
        EXPECT_NEAR(first, row.Waveform == trianglewave ? 0.25 * 8 / (std::numbers::pi * std::numbers::pi)
                           : row.Waveform == squarewave ? 0.25 * 4 / std::numbers::pi
                           : row.Waveform == sawtoothwave ? 0.25 * 2 / std::numbers::pi : 0.25,
                    0.01) << row.Waveform;
        EXPECT_NEAR(goertzel(held, 880) / first, row.Second, 0.02) << row.Waveform;
        EXPECT_NEAR(goertzel(held, 1320) / first, row.Third, 0.02) << row.Waveform;
    }
    t_Mixer noise;
    ASSERT_TRUE(queuemusic(noise, 0, "ML O3 A1", instrument(noisewave)));
    const std::vector<float> sound = renderleft(noise, soundrate);
    EXPECT_GT(rms(sound), 0.05);
    EXPECT_LT(goertzel(sound, 440), 0.5 * rms(sound));
}

// Equal temperament from the lowest to the highest note, within 0.5 %.
TEST(Mixer, NotesSoundAtTheirFrequencies) {
    for (const char* note : {"N1", "O3 A", "N37", "O4 E", "N84"}) {
        t_Mixer mixer;
        ASSERT_TRUE(queuemusic(mixer, 0, std::string("ML T32 ") + note, instrument(sinewave)));
        t_Music music;
        std::string error;
        ASSERT_TRUE(parsemusic(std::string("ML ") + note, t_MusicState{}, 1, music, error));
        const double expected = music.Events.at(0).Frequency;
        const std::vector<float> sound = renderleft(mixer, 2 * soundrate);
        EXPECT_NEAR(crossingfrequency(sound) / expected, 1.0, 0.005) << note;
    }
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

// Loud chords are turned down, never clipped; a quiet voice passes unchanged.
TEST(Mixer, LimiterHoldsPeaksUnderTheCeiling) {
    t_Mixer loud;
    for (int64_t voice = 0; voice < voicecount; ++voice)
        ASSERT_TRUE(queuemusic(loud, voice, "ML O3 A1", instrument(squarewave)));
    const std::vector<float> sound = renderleft(loud, soundrate / 2);
    const float peak = *std::max_element(sound.begin(), sound.end(), [](float a, float b) { return std::abs(a) < std::abs(b); });
    EXPECT_LE(std::abs(peak), 0.8901f);
    EXPECT_GT(std::abs(peak), 0.85f);

    t_Mixer quiet;
    ASSERT_TRUE(queuemusic(quiet, 0, "ML O3 A1", instrument(sinewave)));
    const std::vector<float> alone = renderleft(quiet, soundrate / 2);
    EXPECT_NEAR(*std::max_element(alone.begin(), alone.end()), 0.25, 0.001);
}

// A file at 44.1 kHz keeps its pitch at the mixer's 48 kHz, is mixed beside a voice, plays past
// its ring when fed, and ends; stopping drops voices and files at once.
TEST(Mixer, FilesAreResampledMixedAndEnd) {
    constexpr int64_t rate = 44100, seconds = 2;
    auto samples = std::make_shared<std::vector<float>>(rate * seconds);
    for (size_t i = 0; i < samples->size(); ++i)
        (*samples)[i] = 0.3f * static_cast<float>(std::sin(2 * std::numbers::pi * 1500 * static_cast<double>(i) / rate));
    auto offset = std::make_shared<size_t>(0);
    t_SoundSource source{rate, 1, [samples, offset](float* out, int64_t count) {
                             const size_t n = std::min(samples->size() - *offset, static_cast<size_t>(count));
                             std::copy_n(samples->data() + *offset, n, out);
                             *offset += n;
                             return static_cast<int64_t>(n);
                         }};
    t_Mixer mixer;
    const std::shared_ptr<t_FileStream> stream = openfilestream(source);
    ASSERT_TRUE(mixeraddfile(mixer, stream));
    ASSERT_TRUE(queuemusic(mixer, 0, "ML T60 O3 A1", instrument(sinewave)));
    std::vector<float> sound;
    for (int64_t block = 0; block < 2 * seconds * 10; ++block) {  // the feeder's work, by hand
        fillfilestream(*stream);
        const std::vector<float> part = renderleft(mixer, soundrate / 10);
        sound.insert(sound.end(), part.begin(), part.end());
    }
    const std::span<const float> both(sound.begin() + soundrate / 10, soundrate);
    EXPECT_NEAR(goertzel(both, 1500), 0.3, 0.01);
    EXPECT_NEAR(goertzel(both, 440), 0.25, 0.01);
    const std::span<const float> after(sound.begin() + 5 * soundrate / 2, soundrate);
    EXPECT_LT(goertzel(after, 1500), 0.001) << "the file ended after its two seconds";
    EXPECT_TRUE(stream->Finished.load());

    // A stereo file keeps its sides apart.
    auto frame = std::make_shared<int64_t>(0);
    t_SoundSource stereo{soundrate, 2, [frame](float* out, int64_t count) {
                             for (int64_t i = 0; i < count; ++i, ++*frame) {
                                 out[2 * i] = 0.2f * static_cast<float>(std::sin(2 * std::numbers::pi * 700 * *frame / soundrate));
                                 out[2 * i + 1] = 0.2f;
                             }
                             return count;
                         }};
    ASSERT_TRUE(mixeraddfile(mixer, openfilestream(stereo)));
    std::vector<float> sides(2 * soundrate / 10);
    mixerrender(mixer, sides.data(), soundrate / 10);
    EXPECT_NEAR(sides[2 * 2000 + 1], 0.2f, 1e-6);  // past the voice's release
    EXPECT_NE(sides[2 * 2000], sides[2 * 2000 + 1]);

    ASSERT_TRUE(queuemusic(mixer, 3, "C"));
    EXPECT_TRUE(mixerstatus(mixer).Busy);
    mixerstop(mixer);
    EXPECT_FALSE(mixerstatus(mixer).Busy);
    EXPECT_EQ(rms(renderleft(mixer, soundrate / 10)), 0);
}

// A voice's queue has a fixed room: a string that does not fit is refused whole.
TEST(Mixer, RefusesAStringBeyondTheQueuesRoom) {
    t_Mixer mixer;
    t_Music music;
    std::string error;
    ASSERT_TRUE(parsemusic(std::string(mostqueuednotes - 1, 'C'), t_MusicState{}, mostqueuednotes, music, error));
    int64_t end = 0, room = 0;
    ASSERT_TRUE(mixerqueue(mixer, 2, music, {}, end, room));
    EXPECT_EQ(end, framesof(500.0 * (mostqueuednotes - 1)));
    ASSERT_TRUE(parsemusic("CC", t_MusicState{}, mostqueuednotes, music, error));
    EXPECT_FALSE(mixerqueue(mixer, 2, music, {}, end, room));
    EXPECT_EQ(room, 1);
    EXPECT_TRUE(mixerqueue(mixer, 1, music, {}, end, room)) << "another voice has its own room";
}

}  // namespace
