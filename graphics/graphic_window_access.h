// The window check shared by the operations that read or write a whole window's pixels.
#pragma once

#include <cstdint>

#include "core/window_record.h"

// Graphic window 0-7, framework ready, record initialised; nullptr after
// "op: Window is not a graphic window." or "op: Graphic window #n not initialized.".
// The caller holds the framework lock.
t_Window* graphicwindowguard(const char* operation, int64_t window);
