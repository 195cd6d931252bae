// Qt key events as a PC keyboard sends them, through the mapping to the classic key codes and
// on through the framework's key table to the key queued.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "core/events.h"
#include "core/framework_state.h"
#include "host/host.h"
#include "host/qt/key_mapping.h"
#include "text/key_input.h"
#include "text/text_areas.h"
#include "windows/window_creation.h"

namespace {

// Key events are translated on the GUI thread, where dead keys and Caps Lock are remembered.
t_HostKey pressed(int key, Qt::KeyboardModifiers modifiers, const QString& text, QEvent::Type type = QEvent::KeyPress) {
    t_HostKey result;
    host::runsync([&] {
        const QKeyEvent event(type, key, modifiers, text);
        result = translatekeyevent(event);
    });
    return result;
}

}  // namespace

// Every row of the key table and the keys beside it, walked in order: a dead key types its
// accent at once and the next press is a key of its own.
TEST(KeyMapping, EveryRowOfTheKeyTableIsReachedFromAPcKeyboard) {
    struct t_Row {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Text;
        int64_t Value;          // -1: no key queued
        int64_t Code = -1;      // the classic key code, where it is checked
        int64_t Bits = 0;       // modifier bits the mapping must set
        int64_t Redirect = -1;  // the window's TextRedirectOutput afterwards
    };
    const auto alt = Qt::AltModifier, keypad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
    const auto none = Qt::NoModifier, control = Qt::ControlModifier, altgr = Qt::GroupSwitchModifier;
    const t_Row rows[] = {
        // Letters, digits and symbols at their classic positions, the German letters beside them.
        {Qt::Key_A, none, "a", 'a', 0}, {Qt::Key_S, none, "s", 's', 1}, {Qt::Key_Z, none, "z", 'z', 6},
        {Qt::Key_1, none, "1", '1', 18}, {Qt::Key_0, none, "0", '0', 29}, {Qt::Key_Exclam, shift, "!", '!', 18, shiftbit},
        {Qt::Key_Adiaeresis, none, "\u00e4", 228, 39}, {Qt::Key_Adiaeresis, shift, "\u00c4", 196},
        {Qt::Key_Odiaeresis, none, "\u00f6", 246}, {Qt::Key_Udiaeresis, none, "\u00fc", 252},
        {Qt::Key_ssharp, none, "\u00df", 223}, {Qt::Key_At, altgr, "@", '@'}, {0x20ac, altgr, "\u20ac", -1},
        {Qt::Key_Return, none, "\r", 13}, {Qt::Key_Escape, none, "\x1b", 27},
        // Function, cursor and keypad keys; Num Lock off, the keypad still types its digit.
        {Qt::Key_F1, none, "", 129, 122, functionbit}, {Qt::Key_F12, none, "", 140},
        {Qt::Key_8, keypad, "8", '8', 91, numericpadbit}, {Qt::Key_0, keypad, "0", '0', 82},
        {Qt::Key_Up, keypad | control, "", -1, 91, numericpadbit, 2},
        // Control types the control character of its key, whatever text Qt reports.
        {Qt::Key_S, control, "\x13", 19}, {Qt::Key_S, control, "s", 19}, {Qt::Key_S, control, "", 19, 1},
        {Qt::Key_2, control, "2", 0}, {Qt::Key_3, control, "3", '3'},
        // The key table, row by row.
        {Qt::Key_A, alt, "a", 176}, {Qt::Key_S, alt, "s", 168}, {Qt::Key_D, alt, "d", 173},
        {Qt::Key_F, alt, "f", 130}, {Qt::Key_H, alt, "h", 131}, {Qt::Key_X, alt, "x", 132},
        {Qt::Key_V, alt, "v", 253}, {Qt::Key_Dead_Circumflex, none, "", 94}, {Qt::Key_B, alt, "b", 222},
        {Qt::Key_W, alt, "w", 221}, {Qt::Key_E, alt, "e", 164}, {Qt::Key_Z, alt, "z", 128},
        {Qt::Key_T, alt, "t", 189}, {Qt::Key_2, alt, "2", 163}, {Qt::Key_Dead_Acute, none, "", 180},
        {Qt::Key_E, none, "e", 'e'}, {Qt::Key_Dead_Grave, shift, "", 96}, {Qt::Key_ssharp, alt, "\u00df", 166},
        {Qt::Key_Question, alt | shift, "?", 166}, {Qt::Key_0, alt, "0", 172}, {Qt::Key_U, alt, "u", 175},
        {Qt::Key_Dead_Diaeresis, none, "", 175}, {Qt::Key_Udiaeresis, alt, "\u00fc", 184},
        {Qt::Key_BracketLeft, alt, "[", 184}, {Qt::Key_I, alt, "i", 129}, {Qt::Key_P, alt, "p", 240},
        {Qt::Key_P, alt | shift, "P", 208}, {Qt::Key_L, alt, "l", 0}, {Qt::Key_J, alt, "j", 183},
        {Qt::Key_K, alt, "k", 254}, {Qt::Key_Odiaeresis, alt, "\u00f6", 190}, {Qt::Key_NumberSign, alt, "#", 180},
        {Qt::Key_Comma, alt, ",", 255}, {Qt::Key_Minus, alt, "-", 154}, {Qt::Key_Slash, alt, "/", 154},
        {Qt::Key_N, alt, "n", 126}, {Qt::Key_Period, alt, ".", 191}, {Qt::Key_Backtab, shift, "\x19", 20},
        {Qt::Key_Less, alt, "<", 197}, {Qt::Key_Greater, alt | shift, ">", 198}, {Qt::Key_Backspace, none, "\b", 127},
        {Qt::Key_Clear, none, "", 27}, {Qt::Key_Enter, keypad, "\r", 13, 76},
        {Qt::Key_0, keypad | alt, "0", 216}, {Qt::Key_1, keypad | alt, "1", 185}, {Qt::Key_2, keypad | alt, "2", 178},
        {Qt::Key_3, keypad | alt, "3", 179}, {Qt::Key_4, keypad | alt, "4", 170}, {Qt::Key_5, keypad | alt, "5", 215},
        {Qt::Key_6, keypad | alt, "6", 186}, {Qt::Key_7, keypad | control, "7", -1, -1, 0, 0},
        {Qt::Key_8, keypad | control, "8", -1, -1, 0, 2}, {Qt::Key_9, keypad | control, "9", -1, -1, 0, 1},
        {Qt::Key_7, keypad | alt, "7", 229}, {Qt::Key_8, keypad | alt, "8", 230}, {Qt::Key_9, keypad | alt, "9", 188},
        {Qt::Key_Home, none, "", 2}, {Qt::Key_PageUp, none, "", 18}, {Qt::Key_End, none, "", 5},
        {Qt::Key_PageDown, none, "", 3}, {Qt::Key_Delete, none, "\x7f", 7}, {Qt::Key_Left, none, "", 8, 123, functionbit},
        {Qt::Key_Right, none, "", 21}, {Qt::Key_Down, none, "", 10}, {Qt::Key_Up, none, "", 11},
        // Dead keys the classic keyboard types otherwise give their spacing accent (none beyond
        // the character set); Alt on a key without an Option character types the key itself.
        {Qt::Key_Dead_Grave, none, "", '`'}, {Qt::Key_Dead_Tilde, none, "", '~'},
        {Qt::Key_Dead_Caron, none, "", -1}, {Qt::Key_Q, alt, "q", 'q'},
    };
    t_InitGraphicWindow(0, 8, true, 64, 64, 0, 0, t_Font{}, true);
    for (const t_Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "Qt key 0x" << std::hex << row.Key << " text " << row.Text);
        clearkeyevents();
        const t_HostKey key = pressed(row.Key, row.Modifiers, QString::fromUtf8(row.Text));
        ASSERT_FALSE(key.ModifierOnly);
        keytranslation(0, key.KeyCode, key.Characters, key.Modifiers);
        const std::optional<t_Event> queued = lastkeyevent();
        EXPECT_EQ(queued ? queued->Value : -1, row.Value);
        EXPECT_EQ(key.Modifiers & row.Bits, row.Bits);
        if (row.Code >= 0) {
            EXPECT_EQ(key.KeyCode, row.Code);
        }
        if (row.Redirect >= 0) {
            EXPECT_EQ(framework.windows[0].TextRedirectOutput, row.Redirect);
        }
    }
    t_RedirectOutput(0, 1);
    clearkeyevents();
}

TEST(KeyMapping, ModifierPressesOnlyChangeTheModifierWord) {
    // The platform reports the modifiers held before the press; Qt adds the pressed one.
    const t_HostKey shift = pressed(Qt::Key_Shift, Qt::NoModifier, "");
    EXPECT_TRUE(shift.ModifierOnly);
    EXPECT_EQ(shift.Modifiers & shiftbit, shiftbit);
    EXPECT_EQ(pressed(Qt::Key_Shift, Qt::ShiftModifier, "", QEvent::KeyRelease).Modifiers & shiftbit, 0);
    EXPECT_TRUE(pressed(Qt::Key_Control, Qt::NoModifier, "").ModifierOnly);
    // Caps Lock is a toggle the mapping keeps: on for the next keys until pressed again.
    const t_HostKey caps = pressed(Qt::Key_CapsLock, Qt::NoModifier, "");
    EXPECT_TRUE(caps.ModifierOnly);
    EXPECT_EQ(caps.Modifiers & capslockbit, capslockbit);
    EXPECT_EQ(pressed(Qt::Key_A, Qt::NoModifier, "A").Modifiers & capslockbit, capslockbit);
    pressed(Qt::Key_CapsLock, Qt::NoModifier, "");
    EXPECT_EQ(pressed(Qt::Key_A, Qt::NoModifier, "a").Modifiers & capslockbit, 0);
}
