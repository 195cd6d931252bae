// Music strings of any bytes, read from a state the first bytes choose. Oracles: a string is
// either read whole or refused with one "<reason> at position <n>." naming a character of the
// string; what is read keeps its bounds (events, notes, times, frequencies); reading is the same
// whatever the event limit, which only cuts the list.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "sound/music_string.h"

namespace {

constexpr int64_t mostevents = 64;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_music: %s\n", what);
    std::abort();
}

// The number of characters of the string: a valid UTF-8 sequence is one, and so is every byte
// that starts none.
int64_t characters(const std::string& text) {
    int64_t count = 0;
    for (size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 1;
        for (size_t k = 1; k < length; ++k)
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) length = 1;
        i += length;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    t_FuzzInput input(data, size);
    t_MusicState state;
    state.Octave = input.byte() % 7;
    state.Length = 1 + input.byte() % 64;
    state.Tempo = 32 + input.byte() % 224;
    state.Volume = input.byte() % 16;
    state.Articulation = 6 + input.byte() % 3;
    const std::vector<uint8_t> rest = input.rest();
    const std::string music(rest.begin(), rest.end());

    t_Music kept, all;
    std::string error, again;
    const bool read = parsemusic(music, state, mostevents, kept, error);
    require(read == parsemusic(music, state, 1 << 20, all, again) && error == again, "the event limit changed the reading");
    if (!read) {
        const size_t at = error.rfind(" at position ");
        require(at != std::string::npos && error.back() == '.', "a refusal without its position");
        const int64_t position = std::atoll(error.c_str() + at + 13);
        require(position >= 1 && position <= characters(music), "a position outside the string");
        return 0;
    }
    require(static_cast<int64_t>(kept.Events.size()) == std::min(kept.NoteCount, mostevents), "events beyond the limit");
    require(kept.NoteCount == all.NoteCount && kept.LengthMs == all.LengthMs, "the limit changed the timing");
    require(std::isfinite(kept.LengthMs) && kept.LengthMs >= 0, "a length that is no time");
    for (const t_MusicEvent& event : kept.Events) {
        require(event.Frequency >= notefrequency(lowestnote) - 0.01 && event.Frequency <= notefrequency(highestnote) + 0.01,
                "a note outside the range");
        require(event.StartMs >= 0 && event.StartMs + event.SoundingMs <= kept.LengthMs + 1e-6, "a note outside the string");
        require(event.Volume >= 0 && event.Volume <= 15, "a volume outside 0-15");
    }
    require(kept.State.Octave >= 0 && kept.State.Octave <= 6 && kept.State.Tempo >= 32 && kept.State.Tempo <= 255 &&
                kept.State.Length >= 1 && kept.State.Length <= 64,
            "a state outside its ranges");
    return 0;
}
