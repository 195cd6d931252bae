// Single-key input: the key translation (GUI thread), the key read (program thread) and the
// text cursor shown while the read waits.
#pragma once

#include <string_view>

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>

#include "core/events.h"

// What one key press turns into: a key event, an output redirection, or nothing.
struct t_KeyTranslation {
    bool MakesEvent = false;
    t_Event Event;            // filled when MakesEvent
    int64_t Redirect = -1;    // TextRedirectOutput to switch to; -1 none
};

// Pure: the key table applied to a host key code, its characters (UTF-8) and modifier word.
t_KeyTranslation translatekey(uint8_t window, int64_t keycode, const std::string& characters, int64_t modifiers,
                              int64_t time);
// GUI thread: translates one press of a ready window, queues its event or switches the output,
// and stores the modifier flags. Keys whose characters lie outside the table do nothing.
void keytranslation(uint8_t window, int64_t keycode, const std::string& characters, int64_t modifiers);
void setmodifierflags(int64_t modifiers);  // capslockdown ... fndown from bits 16-20 and 23

// Program thread: shows the text cursor until a key is queued. False, at once and from then on,
// when the application quits with no key left to read, and on the GUI thread (after a line
// naming the operation), which is the one thread that could deliver the key.
bool waitforkey(std::string_view operation, uint8_t window);

