// Text for the clipboard: the block-graphic characters of the framework's character set (codes
// 127 to 160) have no meaning outside the framework's fonts, so they become plain look-alikes.
#include <array>
#include <string_view>

#include "events/menus.h"

namespace {

// Look-alikes of the codes 127 to 160, in order. 156 is the rule segment that t_TextLine draws
// across the screen, a horizontal line, so it becomes "-" like the other horizontal pieces.
// 160 is a visible blank: U+02FD, the modifier letter shelf.
constexpr std::array<std::string_view, 34> lookalikes{
    "#", "*", "#", "<", "=", ">", "O",                       // 127-133
    "+", "+", "+", "+",                                       // 134-137
    "|", "|", "-", "-",                                       // 138-141
    "+", "+", "+", "+", "+", "+", "+", "+", "+", "+", "+", "+",  // 142-153
    "-", "-", "-", "|", "+", "=",                             // 154-159
    "\xCB\xBD",                                               // 160
};

}  // namespace

std::string pastetext(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    // In UTF-8, U+007F is the byte 127 and U+0080 to U+00A0 are C2 80 to C2 A0; no other
    // sequence contains those patterns, so a byte scan finds exactly the characters to replace.
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (byte == 0x7F) {
            out += lookalikes[0];
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<uint8_t>(text[i + 1]) >= 0x80 &&
                   static_cast<uint8_t>(text[i + 1]) <= 0xA0) {
            out += lookalikes[static_cast<uint8_t>(text[i + 1]) - 0x80 + 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
