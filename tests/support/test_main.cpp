// Runs the tests the way a user program runs: on the program thread of the real application,
// with Qt's offscreen platform unless a display is asked for.
#include <gtest/gtest.h>

#include <cstdio>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/startup.h"
#include "core/framework_state.h"
#include "host/host.h"
#include "sound/sound_output.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    int result = 1;
    setprogramname("Stangenspiel");  // the tests check the puzzle's window titles
    // Sound goes to a clock of its own, as in a scripted run, whatever audio this machine has:
    // an alert then says nothing on any machine. The tests of the device path choose it.
    usesoundclock("");
    setprogramentry([&result] {
        // The launch sequence logs its last line after starting this thread: let it finish, so
        // that no test captures it.
        while (!framework.applaunched) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        result = RUN_ALL_TESTS();
        host::quitapplication(result);
    });
    host::runapplication(argc, argv);
    // Framework threads (the refresh thread above all) run until the process ends: leave
    // without destroying the state they use.
    std::fflush(stdout);
    std::_Exit(result);
}
