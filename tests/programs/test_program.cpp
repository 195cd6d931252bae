// A program on the public interface alone, for the tests of what runprogram gives every
// program. STANGENSPIEL_TEST selects its behaviour: "hello" prints one line and ends,
// "deadlock" never ends and blocks its own windows' updates.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <stangenspiel/stangenspiel.h>

int main(int argc, char** argv) {
    const char* test = std::getenv("STANGENSPIEL_TEST");
    const std::string mode = test != nullptr ? test : "hello";
    const t_ProgramInfo info{"Probe", "9.8.7", "A program that tests the framework."};
    return runprogram(argc, argv, info, [mode] {
        t_InitWindow(0, 32, 20, 2, 4, "MenloBold 16x32.font");
        t_WindowFront(0);
        t_Print(0, "Hallo " + t_WindowTitle(0));
        if (mode != "deadlock") t_QuitProgram(0);
        // A program caught in a loop that also holds the desktop's thread busy: only a watchdog
        // that is neither thread can end the run.
        setterminatehandler([] {
            for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
        });
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    });
}
