// Key, mouse and menu event records, their queues, the key/button/modifier flags and the
// program's replaceable handlers. Events arrive on the GUI thread and are consumed on the
// program thread; the queues have their own mutex (never the framework lock), so appending
// and taking out are safe from any thread and records leave in the order they arrived.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Fills the record's modifier fields and Mods from the modifier word; FnPressed is left to the
// caller, since a click reports bit 23 as a function key instead.
void setmodifierfields(t_Event& event, int64_t modifiers);

// Most records the mouse and menu queues keep: a program that never reads them loses the
// oldest beyond this.
constexpr size_t eventqueuebound = 1024;
// The key queue keeps its first keys and refuses more, like a full keyboard buffer, so that
// typed-ahead text never loses its beginning. No person or scripted run types this far ahead.
constexpr size_t keyqueuebound = 65536;

// The event state, alive for the whole process. The flags may be read and written anywhere.
// The fields under `mutex` are reached only through the operations below.
struct t_EventState {
    std::atomic<bool> keyavailable{false};     // keyqueue not empty after its last change
    std::atomic<bool> mouseavailable{false};   // mousequeue not empty after its last change
    std::atomic<bool> menuavailable{false};    // set by every menu event, cleared when emptied
    std::atomic<bool> keydown{false};          // from a key press to the next release (GUI thread)
    std::atomic<bool> leftbuttondown{false};   // mouse buttons over a graphic view (GUI thread)
    std::atomic<bool> rightbuttondown{false};
    std::atomic<bool> capslockdown{false};     // modifier bits 16-20 and 23 as last reported
    std::atomic<bool> shiftdown{false};
    std::atomic<bool> controldown{false};
    std::atomic<bool> optiondown{false};
    std::atomic<bool> commanddown{false};
    std::atomic<bool> fndown{false};

    std::mutex mutex;
    std::deque<t_Event> keyqueue;              // appended on the GUI thread, oldest first
    t_Event currentevent;                      // last key event taken out (program thread)
    int64_t keyeventsappended = 0;             // ever appended: lets a waiter see the queue grow
    bool keysrefused = false;                  // the last key offered was refused (a burst is on)
    std::deque<t_Event> mousequeue;            // appended on the GUI thread
    std::deque<t_MenuEvent> menuqueue;         // appended on the GUI thread
    int64_t menueventsappended = 0;
    std::vector<t_MenuAction> menuactions;     // filled once by t_InitMemory
    std::function<void()> programmousehandler = [] {};  // run on a background work item
    std::function<void()> programmenuhandler = [] {};
};

extern t_EventState eventstate;

// --- key queue --------------------------------------------------------------------------------
// RefusedFirst: the first key refused since the last one queued (a burst of refusals begins).
enum class t_KeyQueued { Queued, Refused, RefusedFirst };
t_KeyQueued appendkeyevent(const t_Event& event);  // GUI thread; a full queue drops the new key
std::optional<t_Event> takekeyevent();         // oldest out into currentevent; nullopt when empty
std::optional<t_Event> peekkeyevent();         // oldest, left in place; nullopt when empty
std::optional<t_Event> lastkeyevent();         // newest, left in place; nullopt when empty
bool clearkeyeventsendingwith(int64_t value);  // empties the queue if its newest key has Value; else false
void refreshkeyavailable();                    // keyavailable := the queue holds a key
int64_t keyeventtotal();                       // records ever appended to keyqueue

// --- mouse and menu queues ----------------------------------------------------------------------
void appendmouseevent(const t_Event& event);       // GUI thread; drops the oldest beyond the bound
void appendmenuevent(const t_MenuEvent& event);    // GUI thread; drops the oldest beyond the bound
int64_t menueventtotal();                          // menu events ever appended

// --- menu action table --------------------------------------------------------------------------
void appendmenuaction(const t_MenuAction& action);          // at the end of the table
std::optional<t_MenuAction> findmenuaction(int64_t tag);    // first entry with that Tag; nullopt when none
bool updatemenuaction(const t_MenuAction& action);          // replaces the first entry with its Tag; false when none
std::vector<t_MenuAction> menuactionlist();                 // copy of the whole table, in order

// --- the program's handlers -----------------------------------------------------------------------
void runprogrammousehandler();   // calls the current handler on the calling thread, outside the lock
void runprogrammenuhandler();

void reseteventsfortests();      // back to the state at process start (tests only)
