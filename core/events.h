// Key, mouse and menu event records, their queues, the key/button/modifier flags and the
// program's replaceable handlers. Events arrive on the GUI thread and are consumed on the
// program thread; the queues have their own mutex (never the framework lock), so appending
// and taking out are safe from any thread and records leave in the order they arrived.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// One key (Kind 1) or mouse (Kind 2) event; a record of all zeros means "none".
struct t_Event {
    int64_t Kind = 0;
    int64_t Index = 0;          // key: virtual key code; mouse: pressed button mask
    std::string Description;    // key: the characters the host reported
    int64_t Value = 0;          // key: character code of the framework's character set
    int64_t WindowX = 0;        // mouse: position in the host window, origin lower left
    int64_t WindowY = 0;
    int64_t ClickX = 0;         // mouse: column in the graphic area; -1 left of it, -2 right
    int64_t ClickY = 0;         // mouse: row from the top; -1 above, -2 below
    int64_t Mods = 0;           // modifier word >> 16, low 16 bits
    uint8_t Window = 0;
    int64_t Time = 0;           // ms since 2001-01-01
    bool CloseBox = false;
    bool CapsLockPressed = false;
    bool ShiftPressed = false;
    bool ControlPressed = false;
    bool OptionPressed = false;
    bool CommandPressed = false;
    bool NumericPadPressed = false;
    bool HelpPressed = false;
    bool FnPressed = false;
    bool CursorKeyPressed = false;
    bool FunctionKeyPressed = false;
};

// Modifier word bits as the views report them.
constexpr int64_t capslockbit = 1 << 16;
constexpr int64_t shiftbit = 1 << 17;
constexpr int64_t controlbit = 1 << 18;
constexpr int64_t optionbit = 1 << 19;
constexpr int64_t commandbit = 1 << 20;
constexpr int64_t numericpadbit = 1 << 21;
constexpr int64_t helpbit = 1 << 22;
constexpr int64_t functionbit = 1 << 23;

// Fills the record's modifier fields and Mods from the modifier word; FnPressed is left to the
// caller, since a click reports bit 23 as a function key instead.
void setmodifierfields(t_Event& event, int64_t modifiers);

// One chosen menu item (Kind 3; 0 for an item that belongs to no menu).
struct t_MenuEvent {
    int64_t Kind = 0;
    std::string MenuTitle;
    std::string ItemTitle;
    std::string ItemKeyChar;
    uint64_t ItemKeyMods = 0;
    int64_t ItemKeyAsc = 0;     // first Unicode scalar of ItemKeyChar, 0 when empty
    int64_t ItemAction = 0;     // the item's tag
    int64_t Time = 0;
};

// One entry of the menu action table: the tag that selects it and its command.
struct t_MenuAction {
    int64_t Tag = 0;
    int64_t Action = 0;
    std::string Title;          // file dialog title
    std::string Note;           // file dialog message
    std::string FileName;       // default name; after a dialog the chosen path's last component
    std::string FileTypes;      // comma-separated, empty for any
    std::string FilePath;       // after a dialog, the chosen path
};

// Most records the mouse and menu queues keep: a program that never reads them loses the
// oldest beyond this. The key queue keeps its first keys and refuses more, like a full
// keyboard buffer, so typed-ahead text never loses its beginning.
constexpr size_t eventqueuebound = 1024;

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
    std::deque<t_Event> mousequeue;            // appended on the GUI thread
    std::deque<t_MenuEvent> menuqueue;         // appended on the GUI thread
    int64_t menueventsappended = 0;
    std::vector<t_MenuAction> menuactions;     // filled once by t_InitMemory
    std::function<void()> programmousehandler = [] {};  // run on a background work item
    std::function<void()> programmenuhandler = [] {};
};

extern t_EventState eventstate;

// --- key queue --------------------------------------------------------------------------------
bool appendkeyevent(const t_Event& event);     // GUI thread; false (and dropped) when the queue is full
std::optional<t_Event> takekeyevent();         // oldest out into currentevent; nullopt when empty
std::optional<t_Event> peekkeyevent();         // oldest, left in place; nullopt when empty
std::optional<t_Event> lastkeyevent();         // newest, left in place; nullopt when empty
int64_t keyeventcount();                       // records waiting in keyqueue
int64_t keyeventtotal();                       // records ever appended to keyqueue
void clearkeyevents();                         // empties keyqueue, keyavailable false
t_Event currentkeyevent();                     // copy of currentevent; all zeros before the first key

// --- mouse and menu queues ----------------------------------------------------------------------
void appendmouseevent(const t_Event& event);       // GUI thread; drops the oldest beyond the bound
void appendmenuevent(const t_MenuEvent& event);    // GUI thread; drops the oldest beyond the bound
int64_t menueventtotal();                          // menu events ever appended
int64_t t_MouseEventCount();                       // mouse events waiting
t_Event t_NextMouseEvent();                        // oldest mouse event out; all zeros when none
void t_ClearMouseEvents();                         // empties mousequeue, mouseavailable false
int64_t t_MenuEventCount();                        // menu events waiting
t_MenuEvent t_NextMenuEvent();                     // oldest menu event out; all zeros when none
void t_ClearMenuEvents();                          // empties menuqueue, menuavailable false

// --- menu action table --------------------------------------------------------------------------
void appendmenuaction(const t_MenuAction& action);          // at the end of the table
std::optional<t_MenuAction> findmenuaction(int64_t tag);    // first entry with that Tag; nullopt when none
bool updatemenuaction(const t_MenuAction& action);          // replaces the first entry with its Tag; false when none
std::vector<t_MenuAction> menuactionlist();                 // copy of the whole table, in order

// --- the program's handlers -----------------------------------------------------------------------
void setprogrammousehandler(std::function<void()> handler);  // an empty function restores "do nothing"
void setprogrammenuhandler(std::function<void()> handler);
void runprogrammousehandler();   // calls the current handler on the calling thread, outside the lock
void runprogrammenuhandler();

void reseteventsfortests();      // back to the state at process start (tests only)
