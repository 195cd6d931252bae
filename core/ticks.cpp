// Program time: t_Ticks counts from the start on a clock that never jumps, t_Wait sleeps.
#include <chrono>

#include "core/application_end.h"
#include "core/framework_state.h"

namespace {

// Taken when the library is loaded, before any program code runs: the program's start. Steady,
// so a clock set back or forward while the program runs never makes a wait or a measurement lie.
const std::chrono::steady_clock::time_point programstart = std::chrono::steady_clock::now();

}  // namespace

int64_t t_Ticks() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - programstart)
        .count();
}

void t_Wait(int64_t milliseconds) {
    if (milliseconds <= 0) return;
    // Whoever holds the framework lock lets go while sleeping: the GUI thread may need it to paint.
    FrameworkUnlock unlocked;
    sleepunlessquit(std::chrono::milliseconds(milliseconds));
}
