// The puzzle's main routine: window set-up, the rules, the prompt for the disk count, then the
// board and the solution played one key press per move.
#include "puzzle.h"

#include <stangenspiel/stangenspiel.h>

namespace {

constexpr const char* rules[] = {
    "Eine gewisse - vorzugebende - Anzahl von Scheiben befindet sich auf der linken",
    "von drei Stangen. Das Ziel ist es, alle Scheiben auf die rechte Stange zu ver-",
    "setzen. Dabei dürfen die Scheiben nur einzeln bewegt werden und es darf keine",
    "größere Scheibe auf einer kleineren zu liegen kommen.",
};

// The first Unicode scalar of a UTF-8 string, 0 for an empty or malformed start.
int64_t firstscalar(const std::string& text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<uint8_t>(text[0]);
    if (lead < 0x80) return lead;
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || text.size() < length) return 0;
    int64_t scalar = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) scalar = scalar * 64 + (static_cast<uint8_t>(text[i]) & 0x3F);
    return scalar;
}

}  // namespace

void programmain() {
    t_InitWindow(0, 24, 80, 25, 16, "MenloBold 16x32.font");
    const uint8_t window = t_MainWindow();
    t_WindowCenter(0);
    t_WindowFront(0);
    t_Header(window, "Stangenspiel", "Scheiben von links nach rechts");
    t_WindowFont(window, t_LoadFontResource("MenloRegular 16x32.font"));
    t_TextLine(window);
    t_Area(window, 1, 3, t_WindowPos(window, 6), t_WindowPos(window, 7));
    setsavegraphichandler(savegraphic);
    p_InitPrinter();
    t_Cr(window);
    for (const char* line : rules) {
        t_Print(window, line);
        t_Cr(window);
    }
    t_Cr(window);
    askdiskcount();
    drawboard();
    buildstates();
    t_Vtab(window, 19);
    playmoves();
    t_Cr(window);
    t_Print(window, "Animation des Lösungswegs beendet.");
    t_Cr(window);
    t_QuitProgram(0);
}

void askdiskcount() {
    const uint8_t window = t_MainWindow();
    t_Print(window, "Wieviele Scheiben werden gewünscht (2-9): ");
    int64_t key = 0;
    do {
        key = firstscalar(t_GetKey(window));
        game.diskcount = key - 48;
    } while (key < '2' || key > '9');
    t_Print(window, inttobinary(game.diskcount));
    t_Cr(window);
    initgame(game.diskcount);
}
