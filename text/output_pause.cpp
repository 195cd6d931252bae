// The Ctrl-S pause of printed output.
#include "core/application_end.h"
#include "core/events.h"
#include "core/framework_state.h"
#include "core/wake_signal.h"
#include "text/text_output.h"

bool outputpausecheck(int64_t key, bool wait) {
    if (!eventstate.keyavailable) return false;
    eventstate.keyavailable = keyeventcount() > 0;
    const std::optional<t_Event> last = lastkeyevent();
    if (!last || last->Value != key) return false;
    clearkeyevents();
    if (!wait) return true;
    const int64_t keys = keyeventtotal(), menus = menueventtotal();
    {
        // The GUI thread may need the framework lock to paint while we wait for the user.
        FrameworkUnlock unlocked;
        waitforevents([&] { return keyeventtotal() != keys || menueventtotal() != menus || applicationquitting(); });
    }
    // The key that ends the pause is used up.
    if (keyeventtotal() != keys) takekeyevent();
    eventstate.keyavailable = keyeventcount() > 0;
    return true;
}
