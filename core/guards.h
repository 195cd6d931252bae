// The three checks every window operation starts with; each prints the operation's own line.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/window_record.h"

// Graphic window 0-7, framework ready, record initialised (and with a text screen when asked).
// Answers the record, or nullptr after printing "op: Window is not a graphic window." or
// "op: Window #n not initialized.". The caller must hold the framework lock.
t_Window* windowguard(std::string_view operation, int64_t window, bool needstext = false);

// Window-level check for numbers 0-12: false after "op: Window does not exist.".
bool hostwindowguard(std::string_view operation, int64_t window);
