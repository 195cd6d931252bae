// The menu operations of a program: find a menu, look up, read and delete its items.
#include <cstdint>

#include "core/report.h"
#include "events/menus.h"

namespace {

// Position of the item the caller means, or -1 when it names none. 65535 names the last item.
int64_t resolveposition(const t_Menu& menu, int64_t position) {
    const auto count = static_cast<int64_t>(menu.ItemTitles.size());
    if (position == lastmenuitem && count > 0) return count - 1;
    if (position < 0 || position >= count) return -1;
    return position;
}

}  // namespace

std::optional<t_Menu> findmenu(const std::string& title) {
    std::optional<std::vector<std::string>> titles = host::menuitemtitles(title);
    if (!titles) return std::nullopt;
    return t_Menu{title, std::move(*titles)};
}

int64_t t_MenuItemIndex(const std::string& menuTitle, const std::string& itemTitle) {
    const std::optional<t_Menu> menu = findmenu(menuTitle);
    if (!menu) {
        reportfailure("t_MenuItemIndex", "Menu not found.");
        return -2;
    }
    for (size_t i = 0; i < menu->ItemTitles.size(); ++i)
        if (menu->ItemTitles[i] == itemTitle) return static_cast<int64_t>(i);
    return -1;
}

void t_MenuItemDelete(const std::string& menuTitle, int64_t position) {
    const std::optional<t_Menu> menu = findmenu(menuTitle);
    if (!menu) {
        reportfailure("t_MenuItemDelete", "Menu not found.");
        return;
    }
    const int64_t index = resolveposition(*menu, position);
    if (index < 0 || !host::deletemenuitem(menuTitle, index))
        reportfailure("t_MenuItemDelete", "Item position out of range");
}

std::string t_MenuItemTitle(const std::string& menuTitle, int64_t position) {
    const std::optional<t_Menu> menu = findmenu(menuTitle);
    if (!menu) {
        reportfailure("t_MenuItemTitle", "Menu not found.");
        return {};
    }
    const int64_t index = resolveposition(*menu, position);
    if (index < 0) {
        reportfailure("t_MenuItemTitle", "Item position out of range");
        return {};
    }
    return menu->ItemTitles[static_cast<size_t>(index)];
}

int64_t t_MenuItemAdd(const std::string& menuTitle, const std::string& itemTitle, int64_t tag) {
    // Tags are ints on the desktop's side; a tag beyond them could never be told apart.
    if (tag < 0 || tag > INT32_MAX) {
        reportfailure("t_MenuItemAdd", "Tag out of range");
        return -1;
    }
    if (!host::addmenuitem(menuTitle, itemTitle, tag)) {
        reportfailure("t_MenuItemAdd", "Menu not found.");
        return -2;
    }
    return 0;
}
