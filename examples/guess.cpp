// Guess: the classic number-guessing game on an 80 x 25 screen in the 8 x 16 font, the size of
// the classic screens. The program thinks of a number from 1 to 100 and you have seven tries;
// after each it tells you whether its number is larger or smaller. It shows the classic
// conveniences: t_RandomInt draws the number (the same one on every run with --seed=N),
// t_InputNumber reads a typed number with editing and asks again by itself when a line is no
// number, t_PrintLine ends each line.
#include <cstdint>
#include <string>

#include <stangenspiel/stangenspiel.h>

namespace {

constexpr uint8_t screen = 0;
constexpr int64_t columns = 80, lines = 25;
constexpr int64_t largest = 100, tries = 7;

// One try after the other; answers the try that found the number, 0 when none did.
int64_t play(int64_t number) {
    for (int64_t attempt = 1; attempt <= tries; ++attempt) {
        t_Print(screen, "Versuch " + std::to_string(attempt) + " von " + std::to_string(tries) + ": ");
        const double guess = t_InputNumber(screen, 8);  // Return ends the line, Escape empties it
        if (guess == static_cast<double>(number)) return attempt;
        t_PrintLine(screen, guess < static_cast<double>(number) ? "  Meine Zahl ist größer."
                                                                : "  Meine Zahl ist kleiner.");
    }
    return 0;
}

void guess() {
    t_InitWindow(screen, 4, columns, lines, 8, "Mono 8x16.font");  // 640 x 400 pixels
    t_WindowTitle(screen, "Zahlenraten");
    t_Header(screen, "Zahlenraten", "eine Zahl von 1 bis 100, sieben Versuche");
    t_TextLine(screen);
    t_Area(screen, 1, 3, columns, lines);  // the header and the rule stay while the rest scrolls
    t_WindowFront(screen);

    const int64_t number = t_RandomInt(largest) + 1;
    t_PrintLine(screen, "Ich denke mir eine Zahl von 1 bis " + std::to_string(largest) + ". Rate sie!");
    t_PrintLine(screen, "");
    const int64_t found = play(number);
    t_PrintLine(screen, "");
    if (found > 0)
        t_PrintLine(screen, "Richtig! Gefunden im " + std::to_string(found) + ". Versuch.");
    else
        t_PrintLine(screen, "Schade, meine Zahl war " + std::to_string(number) + ".");
    t_QuitProgram(screen);
}

}  // namespace

int main(int argc, char** argv) {
    return runprogram(argc, argv, {"Zahlenraten", "", "The classic number-guessing game."}, guess);
}
