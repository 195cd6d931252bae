// Turns a Qt key event into what the framework's key table expects: the classic desktop
// virtual key code (a = 0, s = 1, ..., Delete = 51, keypad 0-9 = 82-92, arrows 123-126), the
// characters (UTF-8; cursor keys U+F700-F703, F1 = U+F704 and up) and the modifier word.
#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <string>

struct t_HostKey {
    // A press that makes no key: a modifier alone, or a dead key waiting for its letter.
    bool ModifierOnly = false;
    int64_t KeyCode = 0;        // classic desktop virtual key code; 255 for keys it lacks
    std::string Characters;     // UTF-8, function keys as U+F704 and up
    int64_t Modifiers = 0;      // modifier word: bit 16 Caps Lock ... bit 23 Fn
};

// GUI thread only: a dead key is remembered until the next press, which gets the character
// they compose (or its own when they do not compose).
t_HostKey translatekeyevent(const QKeyEvent& event);
// Bits 17 Shift, 18 Control, 19 Alt, 20 Meta, 21 keypad (and 16 Caps Lock as last toggled).
int64_t modifierword(Qt::KeyboardModifiers modifiers, bool keypad);
