// The framework's own menu commands, selected by the Action of a menu action table entry.
#pragma once

#include "core/events.h"

void runmenucommand(const t_MenuAction& entry);  // GUI thread; an Action without a command does nothing
