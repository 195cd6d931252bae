#include "core/events.h"

#include <utility>

#include "core/wake_signal.h"

t_EventState eventstate;

namespace {

using Guard = std::lock_guard<std::mutex>;

template <typename Record>
Record takefront(std::deque<Record>& queue) {
    if (queue.empty()) return Record{};
    Record record = std::move(queue.front());
    queue.pop_front();
    return record;
}

std::function<void()> orNothing(std::function<void()> handler) {
    if (!handler) return [] {};
    return handler;
}

}  // namespace

// --- key queue ------------------------------------------------------------------------------

t_KeyQueued appendkeyevent(const t_Event& event) {
    Guard lock(eventstate.mutex);
    if (eventstate.keyqueue.size() >= keyqueuebound)
        return std::exchange(eventstate.keysrefused, true) ? t_KeyQueued::Refused : t_KeyQueued::RefusedFirst;
    eventstate.keysrefused = false;
    eventstate.keyqueue.push_back(event);
    ++eventstate.keyeventsappended;
    eventstate.keyavailable = true;
    wakeeventwaiters();
    return t_KeyQueued::Queued;
}

std::optional<t_Event> takekeyevent() {
    Guard lock(eventstate.mutex);
    if (eventstate.keyqueue.empty()) {
        eventstate.keyavailable = false;
        return std::nullopt;
    }
    eventstate.currentevent = takefront(eventstate.keyqueue);
    eventstate.keyavailable = !eventstate.keyqueue.empty();
    return eventstate.currentevent;
}

std::optional<t_Event> peekkeyevent() {
    Guard lock(eventstate.mutex);
    if (eventstate.keyqueue.empty()) return std::nullopt;
    return eventstate.keyqueue.front();
}

std::optional<t_Event> lastkeyevent() {
    Guard lock(eventstate.mutex);
    if (eventstate.keyqueue.empty()) return std::nullopt;
    return eventstate.keyqueue.back();
}

// Under one hold of the lock, so that a key appended meanwhile is never hidden by a stale flag.
bool clearkeyeventsendingwith(int64_t value) {
    Guard lock(eventstate.mutex);
    eventstate.keyavailable = !eventstate.keyqueue.empty();
    if (eventstate.keyqueue.empty() || eventstate.keyqueue.back().Value != value) return false;
    eventstate.keyqueue.clear();
    eventstate.keyavailable = false;
    return true;
}

void refreshkeyavailable() {
    Guard lock(eventstate.mutex);
    eventstate.keyavailable = !eventstate.keyqueue.empty();
}

int64_t keyeventcount() {
    Guard lock(eventstate.mutex);
    return static_cast<int64_t>(eventstate.keyqueue.size());
}

int64_t keyeventtotal() {
    Guard lock(eventstate.mutex);
    return eventstate.keyeventsappended;
}

void clearkeyevents() {
    Guard lock(eventstate.mutex);
    eventstate.keyqueue.clear();
    eventstate.keyavailable = false;
}

t_Event currentkeyevent() {
    Guard lock(eventstate.mutex);
    return eventstate.currentevent;
}

// --- mouse and menu queues --------------------------------------------------------------------

void appendmouseevent(const t_Event& event) {
    Guard lock(eventstate.mutex);
    if (eventstate.mousequeue.size() >= eventqueuebound) eventstate.mousequeue.pop_front();
    eventstate.mousequeue.push_back(event);
    eventstate.mouseavailable = true;
}

void appendmenuevent(const t_MenuEvent& event) {
    Guard lock(eventstate.mutex);
    if (eventstate.menuqueue.size() >= eventqueuebound) eventstate.menuqueue.pop_front();
    eventstate.menuqueue.push_back(event);
    ++eventstate.menueventsappended;
    eventstate.menuavailable = true;
    wakeeventwaiters();
}

int64_t menueventtotal() {
    Guard lock(eventstate.mutex);
    return eventstate.menueventsappended;
}

int64_t t_MouseEventCount() {
    Guard lock(eventstate.mutex);
    return static_cast<int64_t>(eventstate.mousequeue.size());
}

t_Event t_NextMouseEvent() {
    Guard lock(eventstate.mutex);
    t_Event event = takefront(eventstate.mousequeue);
    eventstate.mouseavailable = !eventstate.mousequeue.empty();
    return event;
}

void t_ClearMouseEvents() {
    Guard lock(eventstate.mutex);
    eventstate.mousequeue.clear();
    eventstate.mouseavailable = false;
}

int64_t t_MenuEventCount() {
    Guard lock(eventstate.mutex);
    return static_cast<int64_t>(eventstate.menuqueue.size());
}

t_MenuEvent t_NextMenuEvent() {
    Guard lock(eventstate.mutex);
    t_MenuEvent event = takefront(eventstate.menuqueue);
    eventstate.menuavailable = !eventstate.menuqueue.empty();
    return event;
}

void t_ClearMenuEvents() {
    Guard lock(eventstate.mutex);
    eventstate.menuqueue.clear();
    eventstate.menuavailable = false;
}

// --- menu action table ------------------------------------------------------------------------

void appendmenuaction(const t_MenuAction& action) {
    Guard lock(eventstate.mutex);
    eventstate.menuactions.push_back(action);
}

std::optional<t_MenuAction> findmenuaction(int64_t tag) {
    Guard lock(eventstate.mutex);
    for (const t_MenuAction& action : eventstate.menuactions)
        if (action.Tag == tag) return action;
    return std::nullopt;
}

bool updatemenuaction(const t_MenuAction& action) {
    Guard lock(eventstate.mutex);
    for (t_MenuAction& entry : eventstate.menuactions)
        if (entry.Tag == action.Tag) {
            entry = action;
            return true;
        }
    return false;
}

std::vector<t_MenuAction> menuactionlist() {
    Guard lock(eventstate.mutex);
    return eventstate.menuactions;
}

// --- the program's handlers ---------------------------------------------------------------------

void setprogrammousehandler(std::function<void()> handler) {
    Guard lock(eventstate.mutex);
    eventstate.programmousehandler = orNothing(std::move(handler));
}

void setprogrammenuhandler(std::function<void()> handler) {
    Guard lock(eventstate.mutex);
    eventstate.programmenuhandler = orNothing(std::move(handler));
}

// The handler runs on a copy taken under the lock, so a handler may replace itself or append
// events without deadlocking, and a replacement meanwhile never frees the running closure.
void runprogrammousehandler() {
    std::function<void()> handler;
    {
        Guard lock(eventstate.mutex);
        handler = eventstate.programmousehandler;
    }
    handler();
}

void runprogrammenuhandler() {
    std::function<void()> handler;
    {
        Guard lock(eventstate.mutex);
        handler = eventstate.programmenuhandler;
    }
    handler();
}

void reseteventsfortests() {
    Guard lock(eventstate.mutex);
    for (std::atomic<bool>* flag :
         {&eventstate.keyavailable, &eventstate.mouseavailable, &eventstate.menuavailable,
          &eventstate.keydown, &eventstate.leftbuttondown, &eventstate.rightbuttondown,
          &eventstate.capslockdown, &eventstate.shiftdown, &eventstate.controldown,
          &eventstate.optiondown, &eventstate.commanddown, &eventstate.fndown})
        *flag = false;
    eventstate.keyqueue.clear();
    eventstate.currentevent = t_Event{};
    eventstate.keyeventsappended = 0;
    eventstate.keysrefused = false;
    eventstate.mousequeue.clear();
    eventstate.menuqueue.clear();
    eventstate.menueventsappended = 0;
    eventstate.menuactions.clear();
    eventstate.programmousehandler = [] {};
    eventstate.programmenuhandler = [] {};
}

void setmodifierfields(t_Event& event, int64_t modifiers) {
    event.Mods = (modifiers >> 16) & 0xFFFF;
    event.CapsLockPressed = modifiers & capslockbit;
    event.ShiftPressed = modifiers & shiftbit;
    event.ControlPressed = modifiers & controlbit;
    event.OptionPressed = modifiers & optionbit;
    event.CommandPressed = modifiers & commandbit;
    event.NumericPadPressed = modifiers & numericpadbit;
    event.HelpPressed = modifiers & helpbit;
}
