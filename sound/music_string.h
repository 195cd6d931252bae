// Music strings as the classic BASICs understood them: notes, lengths, octaves, tempo, volume
// and articulation, read into timed events. A pure function, so any thread may parse.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What one string leaves for the next on the same voice: the classic interpreters kept octave,
// length, tempo, volume and modes from one call to the next.
struct t_MusicState {
    int64_t Octave = 4;        // 0-6
    int64_t Length = 4;        // default note length: 1 whole ... 64
    int64_t Tempo = 120;       // quarter notes a minute, 32-255
    int64_t Volume = 15;       // 0-15
    int64_t Articulation = 7;  // eighths of a note that sound: 7 normal, 8 legato, 6 staccato
    bool Foreground = false;   // MF: the call returns when the string has played
    bool operator==(const t_MusicState&) const = default;
};

// One note of the string; rests leave a gap between events.
struct t_MusicEvent {
    double Frequency = 0;   // Hz
    double StartMs = 0;     // from the string's beginning
    double SoundingMs = 0;  // the part of its length the note sounds
    int64_t Volume = 0;     // 0-15
};

struct t_Music {
    std::vector<t_MusicEvent> Events;  // the first `mostevents` notes (see parsemusic)
    int64_t NoteCount = 0;             // every note of the string, also those not kept
    double LengthMs = 0;               // the whole string, rests included
    t_MusicState State;                // the state after the string
};

constexpr int64_t lowestnote = 1, highestnote = 84;  // O0 C and O6 B; N37 is middle C

// Frequency of note number 1-84 in equal temperament, O3 A (note 46) at 440 Hz.
double notefrequency(int64_t note);

// Reads the string from `state`. Keeps at most `mostevents` events, so that a string of any
// length costs bounded memory, but reads it to the end. On an error answers false with the
// reason and its 1-based character position ("Unknown command "Q" at position 7.").
bool parsemusic(std::string_view music, const t_MusicState& state, int64_t mostevents, t_Music& result,
                std::string& error);
