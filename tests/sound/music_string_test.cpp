#include <gtest/gtest.h>

#include "sound/music_string.h"
#include "sound_helpers.h"
#include "support/helpers.h"

namespace {

struct t_Expected {
    double Frequency, StartMs, SoundingMs;
    int64_t Volume;
    bool operator==(const t_Expected& o) const {  // to a hundredth of a hertz and of a millisecond
        return std::abs(Frequency - o.Frequency) < 0.01 && std::abs(StartMs - o.StartMs) < 0.01 &&
               std::abs(SoundingMs - o.SoundingMs) < 0.01 && Volume == o.Volume;
    }
};

// From the default state (O4, L4, T120: a quarter is 500 ms, MN sounds 7/8 of it, V15).
struct t_Row {
    const char* Music;
    std::vector<t_Expected> Events;
    double LengthMs;
};

const t_Row goodstrings[] = {
    {"N84 N1", {{3951.07, 0, 437.5, 15}, {32.70, 500, 437.5, 15}}, 1000},
    {"o3c#8 d+8 e-8", {{277.18, 0, 218.75, 15}, {311.13, 250, 218.75, 15}, {311.13, 500, 218.75, 15}}, 750},
    {"c- O3 B+", {{493.88, 0, 437.5, 15}, {523.25, 500, 437.5, 15}}, 1000},
    {"O2 > A O4 < A", {{440, 0, 437.5, 15}, {440, 500, 437.5, 15}}, 1000},
    {"C4. C4..", {{523.25, 0, 656.25, 15}, {523.25, 750, 765.625, 15}}, 1625},
    {"ML C MS C MN C", {{523.25, 0, 500, 15}, {523.25, 500, 375, 15}, {523.25, 1000, 437.5, 15}}, 1500},
    {"C P4 D R E P8. N0 F", {{523.25, 0, 437.5, 15}, {587.33, 1000, 437.5, 15}, {659.26, 2000, 437.5, 15},
                            {698.46, 3375, 437.5, 15}}, 3875},
    {" t 1 2 0\tc\r\n", {{523.25, 0, 437.5, 15}}, 500},
    {"L64 T255 C", {{523.25, 0, 12.87, 15}}, 14.71},
    {"", {}, 0},
};

TEST(MusicString, ReadsNotesLengthsAndModesIntoTimedEvents) {
    for (const t_Row& row : goodstrings) {
        t_Music music;
        std::string error;
        ASSERT_TRUE(parsemusic(row.Music, t_MusicState{}, mostqueuednotes, music, error)) << row.Music << ": " << error;
        std::vector<t_Expected> events;
        for (const t_MusicEvent& e : music.Events) events.push_back({e.Frequency, e.StartMs, e.SoundingMs, e.Volume});
        EXPECT_EQ(events, row.Events) << row.Music;
        EXPECT_EQ(music.NoteCount, static_cast<int64_t>(row.Events.size())) << row.Music;
        EXPECT_NEAR(music.LengthMs, row.LengthMs, 0.01) << row.Music;
    }
}

// What one string leaves is where the next begins; a string keeps at most the events asked for
// but counts and times all of them.
TEST(MusicString, CarriesItsStateOnAndBoundsWhatItKeeps) {
    t_Music first, second;
    std::string error;
    ASSERT_TRUE(parsemusic("O2 L8 T60 V3 ML MF", t_MusicState{}, 10, first, error));
    ASSERT_TRUE(parsemusic("A", first.State, 10, second, error));
    EXPECT_NEAR(second.Events.at(0).Frequency, 220, 0.01);
    EXPECT_NEAR(second.Events.at(0).SoundingMs, 500, 0.01);

    t_Music many;
    ASSERT_TRUE(parsemusic(std::string(1000, 'C'), t_MusicState{}, 10, many, error));
    EXPECT_EQ(many.Events.size(), 10u);
    EXPECT_EQ(many.NoteCount, 1000);
}

// Through the calls: one line naming the call, the reason and the position; nothing queued, and
// the voice's state untouched (an MF before the error does not hold the next call).
TEST_F(SoundCalls, BadMusicPrintsOneLineAndPlaysNothing) {
    const std::pair<const char*, const char*> rows[] = {
        {"CDEFGAQ", "Unknown command \"Q\" at position 7."},
        {"MF T300", "Tempo 300 out of range (32-255) at position 5."},
        {"MF T", "Number missing after \"T\" at position 4."},
        {"O0 <", "Octave -1 out of range (0-6) at position 4."},
        {"C65", "Length 65 out of range (1-64) at position 2."},
        {"V16", "Volume 16 out of range (0-15) at position 2."},
        {"N85", "Note number 85 out of range (0-84) at position 2."},
        {"O0 C-", "Note \"C-\" out of range (O0 C to O6 B) at position 4."},
        {"C D Ä", "Unknown command \"Ä\" at position 5."},
        {"C\xFF", "Unknown command (code 255) at position 2."},
        {"T99999999999999999999", "Tempo 999999999999... out of range (32-255) at position 2."},
    };
    for (const auto& [music, reason] : rows) {
        EXPECT_EQ(logof([&] { s_Play(music); }), std::string("s_Play: ") + reason + "\n") << music;
        EXPECT_FALSE(s_Playing()) << music;
    }
    EXPECT_EQ(logof([] { s_PlayVoice(2, "P0"); }), "s_PlayVoice: Length 0 out of range (1-64) at position 2.\n");
    s_Play("L1 C");  // background, as before the refused MF strings
    EXPECT_TRUE(s_Playing());
}

}  // namespace
