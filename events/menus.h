// Menu commands and the menu operations of a program. A chosen item is recorded in the menu
// queue (core/events.h); its tag selects a framework command from the menu action table, and
// every other item goes to the program's menu handler on a background thread.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/menus.h"

// A menu of the menu bar as the menu operations see it.
struct t_Menu {
    std::string Title;
    std::vector<std::string> ItemTitles;  // from position 0; a separator has an empty title
};

void t_MenuEventHandler(const host::t_MenuChoice& item);  // GUI thread: queue, command or program handler

std::optional<t_Menu> findmenu(const std::string& title);  // the first menu of the bar with that title
std::string pastetext(const std::string& text);            // block graphics 127-160 as plain look-alikes

constexpr int64_t lastmenuitem = 65535;  // the position that names a menu's last item
