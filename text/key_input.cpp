// The key read and the text cursor.
#include "core/application_end.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"
#include "core/wake_signal.h"
#include "host/host.h"
#include "text/key_input.h"
#include "text/text_colors.h"
#include "windows/display_refresh.h"

namespace {

std::string utf8ofvalue(int64_t value) {
    auto scalar = static_cast<uint32_t>(value);
    if (scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) scalar = 0;
    std::string text;
    if (scalar < 0x80) {
        text += static_cast<char>(scalar);
    } else if (scalar < 0x800) {
        text += static_cast<char>(0xC0 | scalar >> 6);
        text += static_cast<char>(0x80 | (scalar & 0x3F));
    } else if (scalar < 0x10000) {
        text += static_cast<char>(0xE0 | scalar >> 12);
        text += static_cast<char>(0x80 | (scalar >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (scalar & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | scalar >> 18);
        text += static_cast<char>(0x80 | (scalar >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (scalar >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (scalar & 0x3F));
    }
    return text;
}

}  // namespace

bool waitforkey(std::string_view operation, uint8_t window) {
    if (eventstate.keyavailable) return true;
    // Only the GUI thread delivers keys, and none once the application began to quit.
    if (host::isguithread()) {
        reportfailure(operation, "The GUI thread cannot wait for a key.");
        return false;
    }
    if (applicationquitting()) return false;
    t_CursorOn(window);
    notewaitingforinput();
    {
        // The GUI thread may need the framework lock to paint while we wait. The key's
        // arrival wakes the wait, so the answer to it can be drawn at once.
        FrameworkUnlock unlocked;
        waitforevents([] { return eventstate.keyavailable.load() || applicationquitting(); });
    }
    t_CursorOff(window);
    return eventstate.keyavailable || !applicationquitting();
}

std::string t_GetKey(uint8_t window) {
    for (;;) {
        if (!waitforkey("t_GetKey", window)) return "";
        const std::optional<t_Event> event = takekeyevent();
        if (!event || event->Value < 0) continue;
        return utf8ofvalue(event->Value);
    }
}

void t_CursorDraw(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_CursorDraw", window, true);
    if (!record) return;
    // The cursor belongs to the window whatever the output redirection: drawn through it, it
    // would write the cell's character into redirected output and, when the redirection
    // changes while a key read waits, leave the cell inverted.
    const int64_t redirect = record->TextRedirectOutput;
    record->TextRedirectOutput = 1;
    t_InvertRect(window, record->TextHpos, record->TextVpos, record->TextHpos, record->TextVpos);
    record->TextRedirectOutput = redirect;
}

void t_CursorOn(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_CursorOn", window, true);
    if (!record) return;
    if (record->TextCursorLevel++ == 0) t_CursorDraw(window);
}

void t_CursorOff(uint8_t window) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_CursorOff", window, true);
    if (!record) return;
    if (record->TextCursorLevel-- == 1) t_CursorDraw(window);
}
