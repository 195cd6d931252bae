// The framework's own menu commands, selected by the Action of a menu action table entry.
#pragma once

#include "core/events.h"

void runmenucommand(const t_MenuAction& entry);  // GUI thread; an Action without a command does nothing

// The zoom commands for the front graphic window: one step in, one step out, full screen on or off.
constexpr int64_t zoomincommand = 232, zoomoutcommand = 233, fullscreencommand = 234;
void runzoomcommand(int64_t action);  // GUI thread
