// Key presses, releases and modifier changes from the graphic views.
#include <string>

#include "core/events.h"
#include "events/mouse_events.h"
#include "host/framework_calls.h"
#include "text/key_input.h"

namespace hostcalls {

void viewkeydown(int window, int64_t keycode, const std::string& characters, int64_t modifiers) {
    if (viewdelivers("viewKeyDown", window)) keytranslation(static_cast<uint8_t>(window), keycode, characters, modifiers);
    // The modifier flags show the last reported state, also for windows that ignore events.
    setmodifierflags(modifiers);
    eventstate.keydown = true;
}

void viewkeyup(int /*window*/, int64_t /*keycode*/, int64_t /*modifiers*/) { eventstate.keydown = false; }

void viewflagschanged(int /*window*/, int64_t modifiers) { setmodifierflags(modifiers); }

}  // namespace hostcalls
