#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "sound/wav_writer.h"
#include "sound_helpers.h"
#include "support/helpers.h"

namespace {

int64_t msince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

// The left channel of a 16-bit stereo file behind the canonical header.
std::vector<float> leftof(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<float> left;
    for (size_t i = 44; i + 4 <= bytes.size(); i += 4)
        left.push_back(static_cast<float>(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8)) / 32768);
    return left;
}

TEST_F(SoundCalls, ForegroundWaitsBackgroundReturnsWaitAndStopEndIt) {
    s_Play("MF T240 L16");  // carried over to the voice's next string
    auto start = std::chrono::steady_clock::now();
    s_Play("CDEF");  // 4 x 62.5 ms
    EXPECT_GE(msince(start), 240);
    s_Play("MB T120 L4 C");
    EXPECT_TRUE(s_Playing()) << "MB returns while the note sounds";
    s_Wait();
    EXPECT_FALSE(s_Playing());

    s_PlayVoice(3, "L1 C");
    s_Sound(440, 2000);
    EXPECT_TRUE(s_Playing());
    start = std::chrono::steady_clock::now();
    s_Stop();
    EXPECT_FALSE(s_Playing());
    s_Wait();
    EXPECT_LT(msince(start), 1000) << "nothing left to wait for";
}

// Arguments outside their ranges: one line each, nothing queued.
TEST_F(SoundCalls, RefusesArgumentsOutsideTheirRanges) {
    const std::pair<std::function<void()>, const char*> rows[] = {
        {[] { s_Sound(std::nan(""), 100); }, "s_Sound: Frequency nan Hz out of range (10-20000, 0 a rest).\n"},
        {[] { s_Sound(440, -1); }, "s_Sound: Length -1 ms out of range (0-3600000).\n"},
        {[] { s_PlayVoice(4, "C"); }, "s_PlayVoice: Voice 4 does not exist (0-3).\n"},
        {[] { s_Voice(0, 5, 0, 0, 15, 0); },
         "s_Voice: Waveform 5 unknown (0 square, 1 triangle, 2 sawtooth, 3 noise, 4 sine).\n"},
        {[] { s_Voice(0, 0, 10001, 0, 15, 0); }, "s_Voice: Attack 10001 ms out of range (0-10000).\n"},
        {[] { s_Voice(0, 0, 0, 0, 16, 0); }, "s_Voice: Sustain 16 out of range (0-15).\n"},
        {[] { s_PlayFile("/nonexistent/x.wav"); },
         "s_PlayFile: Cannot play \"/nonexistent/x.wav\" (No such file or directory).\n"},
        {[] { s_PlayFile("/dev/zero"); }, "s_PlayFile: Cannot play \"/dev/zero\" (not a plain file).\n"},
    };
    for (const auto& [call, line] : rows) {
        EXPECT_EQ(logof(call), line);
        EXPECT_FALSE(s_Playing()) << line;
    }
    TempDir folder;
    std::ofstream(folder.file("text.wav")) << "no sound in here";
    EXPECT_EQ(logof([&] { s_PlayFile(folder.file("text.wav")); }).rfind("s_PlayFile: Cannot play \"", 0), 0u);
}

// The canonical header's sizes, which players that do not reread the format rely on (its format
// fields are proven by the readers of a scripted run's file), clamped for runs beyond 4 GB.
TEST(WavHeader, HoldsTheSizes) {
    const std::tuple<int64_t, size_t, uint32_t> rows[] = {  // frames, offset, size there
        {0, 4, 36}, {1000, 4, 4036}, {1000, 40, 4000}, {1LL << 40, 40, 0xFFFFFFFFu - 44 - 3}};
    for (const auto& [frames, at, value] : rows) {
        const std::vector<uint8_t> header = wavheader(frames);
        const uint32_t size = header.at(at) | header.at(at + 1) << 8 | header.at(at + 2) << 16;
        EXPECT_EQ(size | uint32_t{header.at(at + 3)} << 24, value);
    }
}

// A full queue refuses the whole call with one line; what was queued plays on.
TEST_F(SoundCalls, AFullQueueRefusesTheCall) {
    s_Play("T32 L1 P P T255 L64");  // 15 s before the notes below begin to leave the queue
    s_Play(std::string(mostqueuednotes - 1, 'C'));
    EXPECT_EQ(logof([] { s_Play("CC"); }), "s_Play: Queue of voice 0 has room for 1 note, not 2; nothing is played.\n");
    EXPECT_EQ(logof([] { s_PlayVoice(1, std::string(mostqueuednotes + 1, 'C')); }),
              "s_PlayVoice: Queue of voice 1 has room for 4096 notes, not 4097; nothing is played.\n");
    EXPECT_TRUE(s_Playing());
}

// Everything played lands in the scripted run's WAV file on the program's timeline: voices in
// their waveforms and a file mixed in (one written here, so the decoder reads ours), at their
// frequencies.
TEST_F(SoundCalls, AScriptedRunWritesWhatPlayedAsAWavFile) {
    TempDir folder;
    t_WavWriter sample;
    ASSERT_TRUE(wavopen(sample, folder.file("sample.wav")));
    std::vector<float> tone(2 * soundrate / 2);
    for (size_t i = 0; i < tone.size(); ++i) tone[i] = sine(0.3, 1500, static_cast<int64_t>(i / 2));
    wavappend(sample, tone.data(), soundrate / 2);
    ASSERT_TRUE(wavclose(sample));

    restartsoundoutput(true);
    usesoundclock(folder.file("run.wav"));
    s_Voice(1, sinewave, 2, 0, 15, 5);
    s_PlayFile(folder.file("sample.wav"));
    s_PlayVoice(1, "MF ML T120 O3 A2");  // 440 Hz for a second, beside the file's first half
    s_Wait();
    ASSERT_TRUE(endsoundrecording());
    EXPECT_FALSE(s_Playing()) << "after the recording sound is off";
    s_Voice(1, squarewave, 2, 0, 15, 5);

    const std::vector<float> run = leftof(folder.file("run.wav"));
    ASSERT_GT(run.size(), static_cast<size_t>(soundrate));
    // The voice begins within a clock block of the file; the first 400 ms hold both.
    const auto begin = std::find_if(run.begin(), run.end(), [](float s) { return std::abs(s) > 0.01f; });
    ASSERT_NE(begin, run.end());
    const std::span<const float> both(begin + framesof(20), framesof(400));
    EXPECT_NEAR(goertzel(both, 440), 0.25, 0.02);
    EXPECT_NEAR(goertzel(both, 1500), 0.3, 0.02);
}

// Without an audio output (no sound server to be found): one line the first time, calls return
// as if played, MF still takes the string's time, and the rest answers at once.
TEST(SoundWithoutOutput, SaysSoOnceAndCarriesOn) {
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse/native", 1);
    restartsoundoutput(false);
    EXPECT_EQ(logof([] { s_Sound(440, 100); }), "s_Sound: No audio output, sound is off.\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(logof([] { s_Play("MF T240 L8 CD"); }), "");  // 250 ms
    EXPECT_GE(msince(start), 240);
    EXPECT_FALSE(s_Playing());
    start = std::chrono::steady_clock::now();
    s_Play("MB L1 C");
    s_Wait();
    EXPECT_LT(msince(start), 1000);
    s_Play("MB");
    unsetenv("PULSE_SERVER");
}

}  // namespace
