// The application's end as the program thread sees it: once the user quits, every wait of the
// framework ends at once, so no program thread sleeps on while the process goes down.
#pragma once

#include <chrono>

bool applicationquitting();   // true from the moment the application begins to quit
void noteapplicationquit();   // GUI thread, when the event loop ends; wakes every wait
void resetquitfortests();     // back to "running" (tests only)

// Sleeps for the duration or until the application quits; answers false when it quits. Call it
// without the framework lock.
bool sleepunlessquit(std::chrono::microseconds duration);
