// Turns a Qt key event into what the framework's key table expects.
#pragma once

#include <QKeyEvent>
#include <cstdint>
#include <string>

struct t_HostKey {
    bool ModifierOnly = false;  // a press or release of Shift, Control, ... alone
    int64_t KeyCode = 0;        // classic desktop virtual key code
    std::string Characters;     // UTF-8, function keys as U+F704 and up
    int64_t Modifiers = 0;      // modifier word: bit 16 Caps Lock ... bit 23 Fn
};

t_HostKey translatekeyevent(const QKeyEvent& event);
int64_t modifierword(Qt::KeyboardModifiers modifiers, bool keypad);
