// The menu contract: the application menu bar as the framework sees it, in plain types.
// Menus are named by their titles in the menu bar (the first menu of that title counts); items by
// their position in the menu from 0, separators and submenus included (a separator has an empty
// title). Every function may be called from any thread; the work is done on the GUI thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host {

// One chosen menu item as the host reports it.
struct t_MenuChoice {
    bool HasMenu = false;      // false for an item that belongs to no menu (then all else is empty)
    std::string MenuTitle;     // title of the menu that holds the item
    std::string ItemTitle;
    std::string KeyChar;       // the item's shortcut key as text ("c"), empty without one
    uint64_t KeyMods = 0;      // the shortcut's modifiers in the modifier word (bit 17 Shift, 18 Control, ...)
    int64_t Tag = 0;           // the item's tag: selects the framework command
};

std::optional<std::vector<std::string>> menuitemtitles(const std::string& menutitle);  // none: no such menu
bool deletemenuitem(const std::string& menutitle, int64_t position);  // false: no menu or no such item
bool setmenuitemtitle(const std::string& menutitle, int64_t position, const std::string& title);  // the same
bool addmenuitem(const std::string& menutitle, const std::string& title, int64_t tag);  // at the end; false: no menu
bool choosemenuitem(int64_t tag);  // chooses the first item with the tag as a user would; false when none

}  // namespace host

namespace hostcalls {

void menuhandler(const host::t_MenuChoice& item);  // a menu item was chosen; GUI thread

}  // namespace hostcalls
