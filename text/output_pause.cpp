// The Ctrl-S pause of printed output.
#include "core/application_end.h"
#include "core/events.h"
#include "core/framework_state.h"
#include "core/wake_signal.h"
#include "host/host.h"
#include "text/text_output.h"

bool outputpausecheck(int64_t key, bool wait) {
    if (!eventstate.keyavailable) return false;
    // Only the program's threads pause, and only while the application runs: on the GUI thread
    // (a terminate or save-graphic handler that prints) the key that ends the pause could never
    // arrive, and once quitting began no thread will deliver it. The pause waits for the
    // program's next print.
    if (host::isguithread() || applicationquitting()) return false;
    if (!clearkeyeventsendingwith(key)) return false;
    if (!wait) return true;
    const int64_t keys = keyeventtotal(), menus = menueventtotal();
    {
        // The GUI thread may need the framework lock to paint while we wait for the user.
        FrameworkUnlock unlocked;
        waitforevents([&] { return keyeventtotal() != keys || menueventtotal() != menus || applicationquitting(); });
    }
    // The key that ends the pause is used up; keyavailable follows the queue under its lock.
    if (keyeventtotal() != keys) takekeyevent();
    else refreshkeyavailable();
    return true;
}
