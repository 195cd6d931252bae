#include <gtest/gtest.h>

#include <QKeyEvent>

#include <tuple>

#include "core/events.h"
#include "core/framework_state.h"
#include "host/host.h"
#include "host/qt/key_mapping.h"
#include "text/key_input.h"
#include "text/text_areas.h"
#include "windows/window_creation.h"

namespace {

// Key events are translated on the GUI thread, where dead keys are remembered.
t_HostKey pressed(int key, Qt::KeyboardModifiers modifiers, const QString& text, QEvent::Type type = QEvent::KeyPress) {
    t_HostKey result;
    host::runsync([&] {
        const QKeyEvent event(type, key, modifiers, text);
        result = translatekeyevent(event);
    });
    return result;
}

// What the framework's key table makes of the mapped key.
int64_t value(const t_HostKey& key) {
    const t_KeyTranslation translation = translatekey(0, key.KeyCode, key.Characters, key.Modifiers, 0);
    return translation.MakesEvent ? translation.Event.Value : -1;
}

}  // namespace

TEST(KeyMapping, LettersDigitsAndSymbolsTakeTheirClassicPositions) {
    const t_HostKey a = pressed(Qt::Key_A, Qt::NoModifier, "a");
    EXPECT_EQ(a.Characters, "a");
    EXPECT_FALSE(a.ModifierOnly);
    const std::tuple<int, const char*, int64_t> positions[] = {
        {Qt::Key_A, "a", 0}, {Qt::Key_S, "s", 1}, {Qt::Key_Z, "z", 6}, {Qt::Key_1, "1", 18}, {Qt::Key_0, "0", 29}};
    for (const auto& [key, text, code] : positions) EXPECT_EQ(pressed(key, Qt::NoModifier, text).KeyCode, code) << text;
    const t_HostKey exclam = pressed(Qt::Key_Exclam, Qt::ShiftModifier, "!");
    EXPECT_EQ(exclam.KeyCode, 18);
    EXPECT_EQ(exclam.Modifiers, 1 << 17);
    EXPECT_EQ(value(pressed(Qt::Key_Backspace, Qt::NoModifier, "\b")), 127);
    EXPECT_EQ(value(pressed(Qt::Key_Return, Qt::NoModifier, "\r")), 13);
    EXPECT_EQ(value(pressed(Qt::Key_Escape, Qt::NoModifier, "\x1b")), 27);
}

TEST(KeyMapping, FunctionCursorAndKeypadKeys) {
    const t_HostKey f1 = pressed(Qt::Key_F1, Qt::NoModifier, "");
    EXPECT_EQ(f1.KeyCode, 122);
    EXPECT_EQ(f1.Characters, "\xEF\x9C\x84");
    EXPECT_EQ(value(f1), 129);
    EXPECT_EQ(value(pressed(Qt::Key_F12, Qt::NoModifier, "")), 140);
    const t_HostKey left = pressed(Qt::Key_Left, Qt::NoModifier, "");
    EXPECT_EQ(left.KeyCode, 123);
    EXPECT_EQ(left.Characters, "\xEF\x9C\x82");
    EXPECT_TRUE(left.Modifiers & (1 << 23));
    EXPECT_EQ(value(left), 8);
    EXPECT_EQ(value(pressed(Qt::Key_Up, Qt::NoModifier, "")), 11);
    EXPECT_EQ(value(pressed(Qt::Key_Home, Qt::NoModifier, "")), 2);
    EXPECT_EQ(value(pressed(Qt::Key_Delete, Qt::NoModifier, "\x7f")), 7);
    const t_HostKey eight = pressed(Qt::Key_8, Qt::KeypadModifier, "8");
    EXPECT_EQ(eight.KeyCode, 91);
    EXPECT_EQ(eight.Characters, "8");
    EXPECT_TRUE(eight.Modifiers & (1 << 21));
    EXPECT_EQ(value(eight), '8');
    // Num Lock off: the keypad still types its digit; with Control it switches the output.
    const t_HostKey up = pressed(Qt::Key_Up, Qt::KeypadModifier | Qt::ControlModifier, "");
    EXPECT_EQ(up.KeyCode, 91);
    const t_KeyTranslation redirect = translatekey(0, up.KeyCode, up.Characters, up.Modifiers, 0);
    EXPECT_FALSE(redirect.MakesEvent);
    EXPECT_EQ(redirect.Redirect, 2);
    EXPECT_EQ(pressed(Qt::Key_0, Qt::KeypadModifier, "0").KeyCode, 82);
    EXPECT_EQ(pressed(Qt::Key_Enter, Qt::KeypadModifier, "\r").KeyCode, 76);
}

TEST(KeyMapping, GermanLettersAltGrAndControlCombinations) {
    const t_HostKey ae = pressed(Qt::Key_Adiaeresis, Qt::NoModifier, "\u00e4");
    EXPECT_EQ(ae.KeyCode, 39);
    EXPECT_EQ(value(ae), 228);
    EXPECT_EQ(value(pressed(Qt::Key_Adiaeresis, Qt::ShiftModifier, "\u00c4")), 196);
    EXPECT_EQ(value(pressed(Qt::Key_Odiaeresis, Qt::NoModifier, "\u00f6")), 246);
    EXPECT_EQ(value(pressed(Qt::Key_Udiaeresis, Qt::NoModifier, "\u00fc")), 252);
    EXPECT_EQ(value(pressed(Qt::Key_ssharp, Qt::NoModifier, "\u00df")), 223);
    EXPECT_EQ(value(pressed(Qt::Key_At, Qt::GroupSwitchModifier, "@")), '@');  // AltGr+Q
    EXPECT_EQ(value(pressed(0x20ac, Qt::GroupSwitchModifier, "\u20ac")), -1) << "beyond the set";
    EXPECT_EQ(value(pressed(Qt::Key_S, Qt::ControlModifier, "\x13")), 19);
    EXPECT_EQ(value(pressed(Qt::Key_S, Qt::ControlModifier, "s")), 19) << "text without the control character";
    EXPECT_EQ(pressed(Qt::Key_S, Qt::ControlModifier, "").KeyCode, 1);
}

// Every row of the key table, from the Qt key event a PC keyboard sends to the Value queued,
// walked in order: a dead key types its accent at once and the next press is a key of its own.
TEST(KeyMapping, EveryRowOfTheKeyTableIsReachedFromAPcKeyboard) {
    struct t_Row {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Text;
        int64_t Value;          // -1: no key queued
        int64_t Redirect = -1;  // the window's TextRedirectOutput afterwards
    };
    const auto alt = Qt::AltModifier, keypad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
    const auto none = Qt::NoModifier;
    const t_Row rows[] = {
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
        {Qt::Key_Clear, none, "", 27}, {Qt::Key_Enter, keypad, "\r", 13},
        {Qt::Key_0, keypad | alt, "0", 216}, {Qt::Key_1, keypad | alt, "1", 185}, {Qt::Key_2, keypad | alt, "2", 178},
        {Qt::Key_3, keypad | alt, "3", 179}, {Qt::Key_4, keypad | alt, "4", 170}, {Qt::Key_5, keypad | alt, "5", 215},
        {Qt::Key_6, keypad | alt, "6", 186}, {Qt::Key_7, keypad | Qt::ControlModifier, "7", -1, 0},
        {Qt::Key_8, keypad | Qt::ControlModifier, "8", -1, 2}, {Qt::Key_9, keypad | Qt::ControlModifier, "9", -1, 1},
        {Qt::Key_7, keypad | alt, "7", 229}, {Qt::Key_8, keypad | alt, "8", 230}, {Qt::Key_9, keypad | alt, "9", 188},
        {Qt::Key_Home, none, "", 2}, {Qt::Key_PageUp, none, "", 18}, {Qt::Key_End, none, "", 5},
        {Qt::Key_PageDown, none, "", 3}, {Qt::Key_Delete, none, "\x7f", 7}, {Qt::Key_Left, none, "", 8},
        {Qt::Key_Right, none, "", 21}, {Qt::Key_Down, none, "", 10}, {Qt::Key_Up, none, "", 11},
        // Beside the table: dead keys the classic keyboard types otherwise give their spacing
        // accent (none beyond the character set), Alt on a key without an Option character types
        // the key itself.
        {Qt::Key_Dead_Grave, none, "", '`'}, {Qt::Key_Dead_Tilde, none, "", '~'},
        {Qt::Key_Dead_Caron, none, "", -1}, {Qt::Key_Q, alt, "q", 'q'},
    };
    t_InitGraphicWindow(0, 8, true, 64, 64, 0, 0, t_Font{}, true);
    for (const t_Row& row : rows) {
        clearkeyevents();
        const t_HostKey key = pressed(row.Key, row.Modifiers, QString::fromUtf8(row.Text));
        ASSERT_FALSE(key.ModifierOnly);
        keytranslation(0, key.KeyCode, key.Characters, key.Modifiers);
        const std::optional<t_Event> queued = lastkeyevent();
        EXPECT_EQ(queued ? queued->Value : -1, row.Value) << "Qt key 0x" << std::hex << row.Key << " text " << row.Text;
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
    EXPECT_EQ(shift.Modifiers & (1 << 17), 1 << 17);
    const t_HostKey release = pressed(Qt::Key_Shift, Qt::ShiftModifier, "", QEvent::KeyRelease);
    EXPECT_EQ(release.Modifiers & (1 << 17), 0);
    EXPECT_TRUE(pressed(Qt::Key_Control, Qt::NoModifier, "").ModifierOnly);
    const t_HostKey caps = pressed(Qt::Key_CapsLock, Qt::NoModifier, "");
    EXPECT_TRUE(caps.ModifierOnly);
    EXPECT_TRUE(caps.Modifiers & (1 << 16));
    EXPECT_TRUE(pressed(Qt::Key_A, Qt::NoModifier, "A").Modifiers & (1 << 16));
    pressed(Qt::Key_CapsLock, Qt::NoModifier, "");
    EXPECT_FALSE(pressed(Qt::Key_A, Qt::NoModifier, "a").Modifiers & (1 << 16));
}
