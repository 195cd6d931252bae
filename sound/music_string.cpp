#include "sound/music_string.h"

#include <array>
#include <cmath>

namespace {

constexpr int64_t numbercap = 1'000'000'000;  // a longer number is out of every range anyway
constexpr size_t showndigits = 12;            // digits a message repeats; more become "..."
constexpr int64_t notesperoctave = 12;
constexpr int64_t highestoctave = 6;
constexpr int64_t shortestlength = 64;
constexpr int64_t lowesttempo = 32, highesttempo = 255;
constexpr int64_t loudest = 15;
constexpr double wholenotequarters = 4, msperminute = 60000;

// Semitones of the note letters A-G above C.
constexpr std::array<int64_t, 7> lettersemitones{9, 11, 0, 2, 4, 5, 7};

bool isblankbyte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isdigitbyte(char c) { return c >= '0' && c <= '9'; }

// Walks the string a character (code point) at a time, so positions are string positions; a
// byte that starts no valid UTF-8 sequence counts as one character.
struct t_Reader {
    std::string_view Text;
    size_t Byte = 0;
    int64_t Position = 1;  // of the character at Byte

    size_t sequencelength() const {
        const auto lead = static_cast<unsigned char>(Text[Byte]);
        const size_t length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                              : lead >= 0xF0 && lead < 0xF5 ? 4 : 1;
        if (Byte + length > Text.size()) return 1;
        for (size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(Text[Byte + i]) & 0xC0) != 0x80) return 1;
        return length;
    }
    void advance() {
        Byte += sequencelength();
        ++Position;
    }
    // The next byte that is not a blank (0 at the end), without taking it.
    char peek() {
        while (Byte < Text.size() && isblankbyte(Text[Byte])) advance();
        return Byte < Text.size() ? Text[Byte] : '\0';
    }
    bool atend() { return peek() == '\0' && Byte >= Text.size(); }
};

struct t_Number {
    bool Present = false;
    int64_t Value = 0;    // saturates at numbercap
    std::string Digits;   // as written, for messages
    int64_t Position = 0;
};

t_Number readnumber(t_Reader& reader) {
    t_Number number;
    reader.peek();
    number.Position = reader.Position;
    while (isdigitbyte(reader.peek())) {
        const char digit = reader.Text[reader.Byte];
        number.Present = true;
        number.Value = std::min(numbercap, number.Value * 10 + (digit - '0'));
        if (number.Digits.size() < showndigits) number.Digits += digit;
        else if (number.Digits.back() != '.') number.Digits += "...";
        reader.advance();
    }
    return number;
}

int64_t readdots(t_Reader& reader) {
    int64_t dots = 0;
    while (reader.peek() == '.') {
        ++dots;
        reader.advance();
    }
    return dots;
}

// How the character at the reader's place is named in a message.
std::string shown(const t_Reader& reader) {
    const auto lead = static_cast<unsigned char>(reader.Text[reader.Byte]);
    const size_t length = reader.sequencelength();
    if (lead < 0x20 || lead == 0x7F || (length == 1 && lead >= 0x80))
        return "(code " + std::to_string(lead) + ")";
    return "\"" + std::string(reader.Text.substr(reader.Byte, length)) + "\"";
}

class t_Parser {
public:
    t_Parser(std::string_view music, const t_MusicState& state, int64_t mostevents, t_Music& result)
        : reader_{music}, mostevents_(mostevents), result_(result) {
        result_ = t_Music{};
        result_.State = state;
    }

    bool run(std::string& error) {
        while (!reader_.atend())
            if (!command()) {
                error = error_;
                return false;
            }
        result_.LengthMs = now_;
        return true;
    }

private:
    bool fail(const std::string& reason, int64_t position) {
        error_ = reason + " at position " + std::to_string(position) + ".";
        return false;
    }

    // A number that must be there and lie in [low, high]; `what` names it in a message.
    bool number(const char* command, const char* what, int64_t low, int64_t high, int64_t at, int64_t& value) {
        const t_Number found = readnumber(reader_);
        if (!found.Present) return fail(std::string("Number missing after \"") + command + "\"", at);
        return inrange(found, what, low, high, value);
    }
    bool inrange(const t_Number& found, const char* what, int64_t low, int64_t high, int64_t& value) {
        if (found.Value < low || found.Value > high)
            return fail(std::string(what) + " " + found.Digits + " out of range (" + std::to_string(low) + "-" +
                            std::to_string(high) + ")",
                        found.Position);
        value = found.Value;
        return true;
    }
    // A note's length in ms: 1 whole ... 64 at the tempo; each dot adds half of the last
    // addition (1, 1.5, 1.75, ...).
    double duration(int64_t length, int64_t dots) const {
        const double dotted = 2 - std::pow(0.5, static_cast<double>(std::min<int64_t>(dots, 64)));
        return wholenotequarters * msperminute / (static_cast<double>(length) * result_.State.Tempo) * dotted;
    }
    // An optional length and its dots after a note or pause.
    bool length(double& ms) {
        int64_t length = result_.State.Length;
        const t_Number found = readnumber(reader_);
        if (found.Present && !inrange(found, "Length", 1, shortestlength, length)) return false;
        ms = duration(length, readdots(reader_));
        return true;
    }

    void play(double frequency, double ms) {
        ++result_.NoteCount;
        if (static_cast<int64_t>(result_.Events.size()) < mostevents_)
            result_.Events.push_back({frequency, now_, ms * result_.State.Articulation / 8, result_.State.Volume});
        now_ += ms;
    }

    bool note(char letter, int64_t at) {
        std::string name(1, letter);
        int64_t semitone = lettersemitones[letter - 'A'];
        const char accidental = reader_.peek();
        if (accidental == '#' || accidental == '+' || accidental == '-') {
            semitone += accidental == '-' ? -1 : 1;
            name += accidental;
            reader_.advance();
        }
        const int64_t number = result_.State.Octave * notesperoctave + semitone + 1;
        if (number < lowestnote || number > highestnote)
            return fail("Note \"" + name + "\" out of range (O0 C to O6 B)", at);
        double ms = 0;
        if (!length(ms)) return false;
        play(notefrequency(number), ms);
        return true;
    }

    // N takes the default length and dots only: its number is the note, not a length.
    bool notenumber(int64_t at) {
        int64_t number = 0;
        if (!this->number("N", "Note number", 0, highestnote, at, number)) return false;
        const double ms = duration(result_.State.Length, readdots(reader_));
        if (number == 0) now_ += ms;
        else play(notefrequency(number), ms);
        return true;
    }

    bool octave(int64_t change, int64_t at) {
        const int64_t octave = result_.State.Octave + change;
        if (octave < 0 || octave > highestoctave)
            return fail("Octave " + std::to_string(octave) + " out of range (0-6)", at);
        result_.State.Octave = octave;
        return true;
    }

    bool mode(int64_t at) {
        const char which = upper(reader_.peek());
        const bool known = which == 'N' || which == 'L' || which == 'S' || which == 'F' || which == 'B';
        if (!known) {
            const bool letter = which >= 'A' && which <= 'Z';
            return fail(std::string("Unknown command \"M") + (letter ? std::string(1, which) : "") + "\"", at);
        }
        reader_.advance();
        if (which == 'N') result_.State.Articulation = 7;
        if (which == 'L') result_.State.Articulation = 8;
        if (which == 'S') result_.State.Articulation = 6;
        if (which == 'F' || which == 'B') result_.State.Foreground = which == 'F';
        return true;
    }

    bool command() {
        const int64_t at = reader_.Position;
        const char c = upper(reader_.peek());
        if (c >= 'A' && c <= 'G') {
            reader_.advance();
            return note(c, at);
        }
        t_MusicState& state = result_.State;
        switch (c) {
            case 'N': reader_.advance(); return notenumber(at);
            case 'O': reader_.advance(); return number("O", "Octave", 0, highestoctave, at, state.Octave);
            case '<': reader_.advance(); return octave(-1, at);
            case '>': reader_.advance(); return octave(1, at);
            case 'L': reader_.advance(); return number("L", "Length", 1, shortestlength, at, state.Length);
            case 'T': reader_.advance(); return number("T", "Tempo", lowesttempo, highesttempo, at, state.Tempo);
            case 'V': reader_.advance(); return number("V", "Volume", 0, loudest, at, state.Volume);
            case 'M': reader_.advance(); return mode(at);
            case 'P':
            case 'R': {
                reader_.advance();
                double ms = 0;
                if (!length(ms)) return false;
                now_ += ms;
                return true;
            }
            default: return fail("Unknown command " + shown(reader_), at);
        }
    }

    t_Reader reader_;
    int64_t mostevents_;
    t_Music& result_;
    double now_ = 0;
    std::string error_;
};

}  // namespace

double notefrequency(int64_t note) { return 440.0 * std::pow(2.0, static_cast<double>(note - 46) / notesperoctave); }

bool parsemusic(std::string_view music, const t_MusicState& state, int64_t mostevents, t_Music& result,
                std::string& error) {
    t_Parser parser(music, state, mostevents, result);
    return parser.run(error);
}
