// The alert: "sysbeep.aif" through the mixer, once at a time; the desktop beep when there is no
// audio output or the sound cannot be loaded.
#pragma once

#include <cstdint>

void playalert();       // any thread, returns at once
int64_t alertspending();  // alerts asked for and not yet sounded or given up (tests)
