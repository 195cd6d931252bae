// The key table: host key codes and characters to character codes of the framework's set.
#include "text/key_input.h"

#include <array>

#include "core/clock.h"
#include "core/report.h"
#include "text/text_areas.h"

namespace {

constexpr int64_t functionkeybase = 0xF704;  // the host's characters for F1 and up
constexpr int64_t functionkeyvalue = 129;    // F1

// A row "key code k with first character code c gives value v".
struct t_CodeRow {
    int64_t Key;
    int64_t Code;
    int64_t Value;
};

// Option combinations of the host keyboard that stand for codes 128-255 of the character set,
// the dead keys (code 0) and Shift-Tab.
constexpr std::array<t_CodeRow, 31> coderows{{
    {0, 229, 176},   {1, 8218, 168},  {2, 8706, 173},  {3, 402, 130},   {4, 170, 131},   {7, 8776, 132},
    {9, 8730, 253},  {10, 0, 94},     {11, 8747, 222}, {13, 8721, 221}, {14, 8364, 164}, {16, 937, 128},
    {17, 8224, 189}, {19, 8220, 163}, {27, 191, 166},  {29, 8800, 172}, {32, 0, 175},    {33, 8226, 184},
    {34, 8260, 129}, {35, 960, 240},  {35, 8719, 208}, {38, 186, 183},  {40, 8710, 254}, {41, 339, 190},
    {42, 8216, 180}, {43, 8734, 255}, {44, 8211, 154}, {47, 8230, 191}, {48, 25, 20},   {50, 8804, 197},
    {50, 8805, 198},
}};

int64_t firstscalar(const std::string& text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    int64_t scalar = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (int k = 1; k < length; ++k) {
        if (static_cast<size_t>(k) >= text.size()) return 0xFFFD;
        scalar = scalar << 6 | (static_cast<unsigned char>(text[k]) & 0x3F);
    }
    return scalar;
}

enum class t_RowResult { NoMatch, Value, Redirect };

// Looks k up in the key table; may replace code for the general rule.
t_RowResult applytable(int64_t k, int64_t& code, int64_t modifiers, t_KeyTranslation& result) {
    const bool option = modifiers & optionbit, control = modifiers & controlbit, shift = modifiers & shiftbit;
    t_Event& event = result.Event;
    const auto value = [&](int64_t v, bool cursor = false) {
        event.Value = v;
        event.CursorKeyPressed = cursor;
        return t_RowResult::Value;
    };
    for (const t_CodeRow& row : coderows)
        if (row.Key == k && row.Code == code) return value(row.Value);
    switch (k) {
        case 24: if (code == 0) return value(shift ? 96 : 180); break;
        case 37: if (code == 12 && option) return value(0); break;
        case 45: if (code == 0 && option) return value(126); break;
        case 51: return value(127);
        case 71: return value(27);
        case 76: return value(13);
        case 82: case 83: case 84: case 85: case 86: case 87: case 88:
            if (option) return value(std::array<int64_t, 7>{216, 185, 178, 179, 170, 215, 186}[k - 82]);
            break;
        case 89: case 91: case 92: {
            const int index = k == 89 ? 0 : k == 91 ? 1 : 2;
            if (control && !option) {
                result.Redirect = std::array<int64_t, 3>{0, 2, 1}[index];
                return t_RowResult::Redirect;
            }
            if (option) code = std::array<int64_t, 3>{229, 230, 188}[index];
            break;
        }
        case 115: return value(2, true);
        case 116: return value(18, true);
        case 119: return value(5, true);
        case 121: return value(3, true);
        case 117: return value(7);
        case 123: return value(8, true);
        case 124: return value(21, true);
        case 125: return value(10, true);
        case 126: return value(11, true);
        default: break;
    }
    return t_RowResult::NoMatch;
}

}  // namespace

t_KeyTranslation translatekey(uint8_t window, int64_t keycode, const std::string& characters, int64_t modifiers,
                              int64_t time) {
    t_KeyTranslation result;
    t_Event& event = result.Event;
    event.Kind = 1;
    event.Index = keycode;
    event.Description = characters;
    setmodifierfields(event, modifiers);
    event.Window = window;
    event.Time = time;
    event.FnPressed = modifiers & functionbit;

    int64_t code = firstscalar(characters);
    if (keycode >= 0 && keycode < 127) {
        switch (applytable(keycode, code, modifiers, result)) {
            case t_RowResult::Value: result.MakesEvent = true; return result;
            case t_RowResult::Redirect: return result;
            case t_RowResult::NoMatch: break;
        }
    }
    if (code >= 0 && code <= 255) {
        event.Value = code;
    } else if (code >= functionkeybase) {
        event.Value = code - functionkeybase + functionkeyvalue;
        event.FunctionKeyPressed = true;
    } else {
        return result;  // outside the character set: no event, no message
    }
    result.MakesEvent = true;
    return result;
}

void setmodifierflags(int64_t modifiers) {
    eventstate.capslockdown = modifiers & capslockbit;
    eventstate.shiftdown = modifiers & shiftbit;
    eventstate.controldown = modifiers & controlbit;
    eventstate.optiondown = modifiers & optionbit;
    eventstate.commanddown = modifiers & commandbit;
    eventstate.fndown = modifiers & functionbit;
}

void keytranslation(uint8_t window, int64_t keycode, const std::string& characters, int64_t modifiers) {
    const t_KeyTranslation result = translatekey(window, keycode, characters, modifiers, nowmilliseconds());
    setmodifierflags(modifiers);
    if (result.Redirect >= 0) t_RedirectOutput(window, result.Redirect);
    if (!result.MakesEvent) {
        refreshkeyavailable();
        return;
    }
    // A program that stops reading must not make the GUI thread's memory grow without end; the
    // bound is far beyond what typing or scripted input reaches, and a refused burst is said once.
    if (appendkeyevent(result.Event) == t_KeyQueued::RefusedFirst)
        reportfailure("viewKeyDown", "Key queue full (" + std::to_string(keyqueuebound) +
                                         " keys), further keys are refused until the program reads.");
}
