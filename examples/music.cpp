// Music: the first phrase of the Ode to Joy in three voices, each with its own waveform, then
// the keyboard as a piano. The keys a s d f g h j k play the scale from middle C; the screen
// shows which key is which and marks the one played last. Escape ends the program.
#include <cstdint>
#include <string>

#include <stangenspiel/stangenspiel.h>

namespace {

constexpr uint8_t screen = 0;
constexpr int64_t columns = 40, lines = 8;

// The three voices of the phrase, four bars at 160 quarter notes a minute. Each string sets its
// own tempo and octave: a voice keeps them for its next string.
const char* const melody = "T160 O4 L4 V12 E E F G G F E D C C D E D. C8 C2";
const char* const bass = "T160 O2 V15 ML L1 C G C L2 G C";
const char* const chords = "T160 O3 V6 MS L2 E G < B > D E G < B > C";

// The piano: a key, the note it plays and the name a German keyboard player gives it.
struct t_Key {
    char Key;
    const char* Note;
    const char* Name;
};
constexpr t_Key piano[] = {{'a', "O3 C", "C"}, {'s', "O3 D", "D"}, {'d', "O3 E", "E"}, {'f', "O3 F", "F"},
                           {'g', "O3 G", "G"}, {'h', "O3 A", "A"}, {'j', "O3 B", "H"}, {'k', "O4 C", "C"}};
constexpr int64_t keycount = sizeof(piano) / sizeof(piano[0]);
constexpr int64_t keyline = 5, firstcolumn = 5, keywidth = 4;

void playphrase() {
    t_Print(screen, "Freude, sch\u00f6ner G\u00f6tterfunken ...");
    s_Voice(0, 0, 5, 60, 10, 40);   // square: the melody, a little plucked
    s_Voice(1, 1, 5, 0, 15, 80);    // triangle: the bass, held
    s_Voice(2, 2, 20, 100, 8, 60);  // sawtooth: the chords, soft
    s_PlayVoice(0, melody);
    s_PlayVoice(1, bass);
    s_PlayVoice(2, chords);
    s_Wait();  // the three play together; this returns when all have ended
}

void drawpiano() {
    t_Vtab(screen, keyline - 2);
    t_Htab(screen, 1);
    t_Print(screen, "Klavier: Tasten a bis k, Escape beendet");
    for (int64_t i = 0; i < keycount; ++i) {
        const int64_t column = firstcolumn + i * keywidth;
        t_Vtab(screen, keyline);
        t_Htab(screen, column);
        t_Print(screen, std::string(1, piano[i].Key));
        t_Vtab(screen, keyline + 1);
        t_Htab(screen, column);
        t_Print(screen, piano[i].Name);
    }
}

// Marks the key's two cells by inverting them; a second call on the same key takes it back.
void mark(int64_t key) {
    const int64_t column = firstcolumn + key * keywidth;
    t_InvertRect(screen, column - 1, keyline, column + 1, keyline + 1);
}

void playpiano() {
    s_Voice(0, 4, 2, 150, 6, 20);  // sine for the piano: a bell-like fall, silent between notes
    int64_t marked = -1;
    for (;;) {
        t_GetKey(screen);
        const int64_t code = currentkeyevent().Value;
        if (code == 27) return;
        for (int64_t i = 0; i < keycount; ++i) {
            if (code != piano[i].Key) continue;
            // In the background (MB): keys typed quickly queue their notes one after another.
            s_Play(std::string("MB T120 L8 ") + piano[i].Note);
            if (marked >= 0) mark(marked);
            mark(marked = i);
        }
    }
}

void music() {
    t_InitWindow(screen, 32, columns, lines, 8, "MenloBold 16x32.font");
    t_WindowTitle(screen, "Musik");
    t_WindowFront(screen);
    playphrase();
    drawpiano();
    playpiano();
    s_Wait();
    t_QuitProgram(screen);
}

}  // namespace

int main(int argc, char** argv) {
    return runprogram(argc, argv, {"Musik", "", "A tune in three voices, then the keyboard as a piano."}, music);
}
