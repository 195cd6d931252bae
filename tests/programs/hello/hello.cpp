// The smallest program on the installed framework: a window, a line, a key, the end.
#include <stangenspiel/stangenspiel.h>

int main(int argc, char** argv) {
    return runprogram(argc, argv, {"Hallo", "1.0", "Says hello."}, [] {
        t_InitWindow(0, 32, 40, 5, 8, "MenloBold 16x32.font");
        t_WindowFront(0);
        t_Print(0, "Hallo, Welt! Eine Taste, bitte: ");
        const std::string key = t_GetKey(0);
        t_Print(0, key);
        t_Color(0, 13);
        g_Line(0, 0, 100, 100, 100);
        t_QuitProgram(0);
    });
}
