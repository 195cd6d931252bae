// t_Print and its parts: control characters, display modes and the escape commands.
#include "text/text_output.h"

#include <string>

#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"
#include "host/host.h"
#include "sound/alert.h"
#include "text/glyphs.h"
#include "text/text_cells.h"
#include "text/text_colors.h"
#include "windows/window_colors.h"

namespace {

constexpr int64_t escapemode = 99;
constexpr int64_t pausekey = 19;  // Ctrl-S
constexpr char32_t replacement = 0xFFFD;

// Unicode scalars of UTF-8 text; a malformed sequence gives one replacement character per
// byte, so every byte string prints something and nothing reads past the end.
std::u32string scalarsofutf8(const std::string& text) {
    std::u32string scalars;
    scalars.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const size_t size = text.size();
    for (size_t i = 0; i < size;) {
        const unsigned char lead = bytes[i];
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t scalar = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = length > 0 && i + static_cast<size_t>(length) <= size;
        for (int k = 1; valid && k < length; ++k) {
            valid = (bytes[i + k] & 0xC0) == 0x80;
            scalar = scalar << 6 | (bytes[i + k] & 0x3F);
        }
        static constexpr char32_t smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (scalar < smallest[length] || scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)))
            valid = false;
        if (!valid) {
            scalars += replacement;
            ++i;
        } else {
            scalars += scalar;
            i += static_cast<size_t>(length);
        }
    }
    return scalars;
}

// Prints one code as t_Print does; false when the window is gone and printing must stop.
bool printcode(uint8_t window, int64_t code) {
    t_Window& record = framework.windows[window];
    if (code < 32 && record.TextDisplayMode <= 2) {
        if (code == 13) outputpausecheck(pausekey, true);
        t_PrintControl(window, static_cast<uint8_t>(code));
        return true;
    }
    const t_DisplayModeResult result = t_ApplyDisplayMode(window, code);
    if (result.Code == -2) return false;
    int64_t draw = result.Code;
    if (draw >= 256) {
        draw = '?';
        if (record.TextDisplayMode == 4) t_Color(window, 1);
    }
    if (draw >= 0) {
        t_PrintSymbol(window, static_cast<uint8_t>(draw), record.TextColor, record.TextHpos, record.TextVpos);
        t_CursorRight(window);
    }
    record.TextInverse = result.Inverse;
    record.TextColor = result.Colour;
    return true;
}

template <typename Codes>
void printcodes(uint8_t window, const Codes& codes) {
    FrameworkLock lock;
    const t_Window* record = windowguard("t_Print", window, true);
    if (!record) return;
    if (record->Font.Data.empty()) {
        reportfailure("t_Print", "Window #" + std::to_string(window) + " has no text font.");
        return;
    }
    for (const auto code : codes)
        if (!printcode(window, static_cast<int64_t>(code))) return;
    outputpausecheck(pausekey, true);
}

// Escape tabs go to the next multiple of step (plus one), or finish the line when it is too short.
void escapetab(uint8_t window, t_Window& record, int64_t step) {
    const int64_t column = record.TextHpos / step * step + step + 1;
    if (record.TextWidth - record.TextFirstColumn + 1 < column) {
        t_ClearEndOfLine(window);
        t_Cr(window);
    } else {
        t_PrintTab(window, column, 32);
    }
}

// Runs the escape command k; false when k is no command and is to be printed as it is.
bool escapecommand(uint8_t window, t_Window& record, int64_t k, t_DisplayModeResult& result) {
    const uint8_t colour = result.Colour;
    if (k >= 64 && k <= 79) {
        result.Colour = static_cast<uint8_t>((k - 64) << 4 | (colour & 15));
    } else if (k >= 80 && k <= 95) {
        result.Colour = static_cast<uint8_t>((colour & 0xF0) + (k - 80));
    } else if (k != 101 && k != 102 && (k < 105 || k > 107) && (k < 110 || k > 127)) {
        return false;
    }
    // The mode ends before the command runs, so that the spaces of a tab print as spaces.
    record.TextDisplayMode = 0;
    result.Code = -1;
    if (k == 101) t_CursorEnd(window);
    if (k == 102) t_Htab(window, record.TextWidth - record.TextFirstColumn + 1);
    if (k == 105) escapetab(window, record, 10);
    if (k == 106) escapetab(window, record, 20);
    if (k == 107) escapetab(window, record, 40);
    if (k >= 110 && k <= 127) t_ColorBorder(window, k - 110);
    return true;
}

}  // namespace

void t_Print(uint8_t window, const std::string& text) { printcodes(window, scalarsofutf8(text)); }

void t_Print(uint8_t window, const std::vector<uint8_t>& bytes) { printcodes(window, bytes); }

void t_PrintChar(uint8_t window, uint8_t character) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_PrintChar", window, true);
    if (!record) return;
    const t_DisplayModeResult result = t_ApplyDisplayMode(window, character);
    if (result.Code == -2) return;
    if (result.Code >= 0 && result.Code < 256) {
        t_PrintSymbol(window, static_cast<uint8_t>(result.Code), record->TextColor, record->TextHpos, record->TextVpos);
        t_CursorRight(window);
    }
    record->TextInverse = result.Inverse;
    record->TextColor = result.Colour;
}

t_DisplayModeResult t_ApplyDisplayMode(uint8_t window, int64_t k) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_ApplyDisplayMode", window, true);
    if (!record) return {-2, false, 0xF0};
    // The remembered values are written back by the caller, so a mode's change lasts one character.
    t_DisplayModeResult result{k, record->TextInverse, record->TextColor};
    switch (record->TextDisplayMode) {
        case 1:
            if (k >= 32 && k <= 127) result.Code = k + 128;
            break;
        case 2:
            if (k >= 96 && k <= 127) result.Code = k + 32;
            else if (k >= 64 && k <= 95) result.Code = k - 64;
            break;
        case 3:
            if (k >= 0 && k <= 31) {
                t_Inverse(window);
                result.Code = k + 64;
            }
            break;
        case 4:
            if (k >= 0 && k <= 31) {
                t_Color(window, 1);
                result.Code = k + 64;
            }
            break;
        case escapemode:
            escapecommand(window, *record, k, result);
            break;
        default:
            break;
    }
    return result;
}

void t_DisplayMode(uint8_t window, int64_t mode) {
    FrameworkLock lock;
    if (t_Window* record = windowguard("t_DisplayMode", window)) record->TextDisplayMode = mode;
}

void t_PrintControl(uint8_t window, uint8_t code) {
    constexpr const char* name = "t_PrintControl";
    if (window >= windowcount) {
        reportfailure(name, "Window is not a graphic window.");
        return;
    }
    FrameworkLock lock;
    t_Window& record = framework.windows[window];
    const bool ready = framework.frameworkready && record.Initialized && record.TextMemoryStart >= 0;
    if (!ready || record.TextRedirectOutput != 1) {
        if (record.TextRedirectOutput == 2) logpart(codeasutf8(code));
        else if (record.TextRedirectOutput == 1) reportfailure(name, "Window #" + std::to_string(window) + " not initialized.");
        return;
    }
    switch (code) {
        case 7: playalert(); break;
        case 8: t_CursorLeft(window); break;
        case 10: t_CursorDown(window); break;
        case 11: t_ClearEndOfWindow(window); break;
        case 12: t_CursorHome(window); t_ClearEndOfWindow(window); break;
        case 13: t_Cr(window); break;
        case 14: t_Normal(window); break;
        case 15: t_Inverse(window); break;
        case 17: t_Reverse(window); break;
        case 18: t_Htab(window, 1); break;
        case 19: record.TextDisplayMode = 0; break;
        case 20: record.TextDisplayMode = 1; break;
        case 22: t_ScrollDown(window); break;
        case 23: t_ScrollUp(window); break;
        case 25: t_CursorHome(window); break;
        case 26: t_Htab(window, 1); t_ClearEndOfLine(window); break;
        case 27: record.TextDisplayMode = escapemode; break;
        case 28: t_CursorRight(window); break;
        case 29: t_ClearEndOfLine(window); break;
        case 30: t_CursorUp(window); break;
        case 31: record.TextDisplayMode = 2; break;
        default: break;
    }
}
