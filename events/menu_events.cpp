// A chosen menu item: its record in the menu queue, its framework command or the program's
// menu handler.
#include "app/startup.h"
#include "core/clock.h"
#include "core/events.h"
#include "events/menu_commands.h"
#include "events/menus.h"

namespace {

// The first Unicode scalar of a UTF-8 string, 0 when it is empty or does not start with one.
int64_t firstscalar(const std::string& text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<uint8_t>(text[0]);
    if (lead < 0x80) return lead;
    size_t length = 0;
    int64_t code = 0;
    if ((lead & 0xE0) == 0xC0) length = 2, code = lead & 0x1F;
    else if ((lead & 0xF0) == 0xE0) length = 3, code = lead & 0x0F;
    else if ((lead & 0xF8) == 0xF0) length = 4, code = lead & 0x07;
    else return 0;
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<uint8_t>(text[i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    return code;
}

t_MenuEvent menueventfor(const host::t_MenuChoice& item) {
    t_MenuEvent event;
    if (!item.HasMenu) return event;  // Kind 0: an item outside every menu tells nothing more
    event.Kind = 3;
    event.MenuTitle = item.MenuTitle;
    event.ItemTitle = item.ItemTitle;
    event.ItemKeyChar = item.KeyChar;
    event.ItemKeyMods = item.KeyMods;
    event.ItemKeyAsc = firstscalar(item.KeyChar);
    event.ItemAction = item.Tag;
    event.Time = nowmilliseconds();
    return event;
}

void startprogrammenuhandler() {
    startasyncprocess([] {
        if (threadnumber() >= 3) namethread("t_EventMenu");
        runprogrammenuhandler();
    });
}

}  // namespace

void t_MenuEventHandler(const host::t_MenuChoice& item) {
    const t_MenuEvent event = menueventfor(item);
    bool programdue = !item.HasMenu;
    const std::optional<t_MenuAction> entry = item.Tag == 0 ? std::nullopt : findmenuaction(item.Tag);
    if (entry) runmenucommand(*entry);
    else programdue = true;
    appendmenuevent(event);
    if (programdue) startprogrammenuhandler();
}

namespace hostcalls {

void menuhandler(const host::t_MenuChoice& item) { t_MenuEventHandler(item); }

}  // namespace hostcalls
