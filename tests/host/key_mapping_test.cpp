#include <gtest/gtest.h>

#include <QKeyEvent>

#include <tuple>

#include "host/host.h"
#include "host/qt/key_mapping.h"
#include "text/key_input.h"

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

TEST(KeyMapping, DeadKeysComposeWithTheNextPress) {
    const t_HostKey dead = pressed(Qt::Key_Dead_Acute, Qt::NoModifier, "");
    EXPECT_TRUE(dead.ModifierOnly) << "the dead key alone makes no key";
    pressed(Qt::Key_Dead_Acute, Qt::NoModifier, "", QEvent::KeyRelease);
    EXPECT_EQ(value(pressed(Qt::Key_E, Qt::NoModifier, "e")), 233);
    EXPECT_EQ(value(pressed(Qt::Key_E, Qt::NoModifier, "e")), 'e') << "composition is used up";
    pressed(Qt::Key_Dead_Circumflex, Qt::NoModifier, "");
    EXPECT_EQ(value(pressed(Qt::Key_Space, Qt::NoModifier, " ")), '^');
    pressed(Qt::Key_Dead_Diaeresis, Qt::NoModifier, "");
    EXPECT_EQ(value(pressed(Qt::Key_Q, Qt::NoModifier, "q")), 'q') << "no precomposed form";
    pressed(Qt::Key_Dead_Acute, Qt::NoModifier, "");
    EXPECT_EQ(value(pressed(Qt::Key_Dead_Acute, Qt::NoModifier, "")), 180) << "twice types the accent";
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
