// The smallest program on the framework: a window, a line with its own name, a key, a yellow
// line, the end. With STANGENSPIEL_TEST=deadlock it never ends, and once asked to stop it holds
// the desktop's thread too, so that only the scripted run's watchdog can end it.
#include <chrono>
#include <cstdlib>
#include <thread>

#include <stangenspiel/stangenspiel.h>

int main(int argc, char** argv) {
    return runprogram(argc, argv, {"Hallo", "9.8.7", "A program that tests the framework."}, [] {
        t_InitWindow(0, 32, 40, 5, 8, "MenloBold 16x32.font");
        t_WindowFront(0);
        t_Print(0, t_WindowTitle(0) + ", Welt! Eine Taste, bitte: ");
        if (const char* test = std::getenv("STANGENSPIEL_TEST"); test != nullptr && std::string(test) == "deadlock") {
            const auto forever = [] {
                for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
            };
            setterminatehandler(forever);
            forever();
        }
        t_Print(0, t_GetKey(0));
        t_Color(0, 13);
        g_Line(0, 0, 100, 100, 100);
        t_QuitProgram(0);
    });
}
