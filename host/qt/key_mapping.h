// Turns a Qt key event into what the framework's key table expects: the classic desktop
// virtual key code (a = 0, s = 1, ..., Delete = 51, keypad 0-9 = 82-92, arrows 123-126), the
// characters (UTF-8; cursor keys U+F700-F703, F1 = U+F704 and up) and the modifier word.
#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <string>

struct t_HostKey {
    bool ModifierOnly = false;  // a modifier alone: it changes the flags and makes no key
    int64_t KeyCode = 0;        // classic desktop virtual key code; 255 for keys it lacks
    std::string Characters;     // UTF-8, function keys as U+F704 and up
    int64_t Modifiers = 0;      // modifier word: bit 16 Caps Lock ... bit 23 Fn
};

// GUI thread only (it follows Caps Lock). Alt is the classic Option key: with a key of the
// Option layer it types that key's Option character; AltGr types what the layout composes.
// A dead key types its accent at once; the next key is a key of its own.
t_HostKey translatekeyevent(const QKeyEvent& event);
// Bits 17 Shift, 18 Control, 19 Alt, 20 Meta, 21 keypad (and 16 Caps Lock as last toggled).
int64_t modifierword(Qt::KeyboardModifiers modifiers, bool keypad);
