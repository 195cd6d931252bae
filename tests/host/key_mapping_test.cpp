// Qt key events as a PC keyboard sends them, through the mapping to the classic key codes and
// on through the framework's key table to the key queued.

#include <QKeyEvent>

#include "host/qt/key_mapping.h"
#include "support/helpers.h"
#include "text/key_input.h"
#include "text/text_areas.h"

// One key for each way the mapping reaches the key table: printable keys at their classic
// positions, fixed keys, the keypad, Control, Alt as the Option layer and the dead keys, which
// type their accent at once (the next press is a key of its own). Letters, digits, the umlaut,
// F1, Shift+Tab, Alt+A and Control with the keypad are typed in the desktop end-to-end test.
TEST(KeyMapping, EachKindOfKeyReachesTheKeyTable) {
    // Value -1: no key queued; Code -1: the classic key code is not checked.
    struct t_Row {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Text;
        int64_t Value, Code = -1;
    };
    const auto alt = Qt::AltModifier, keypad = Qt::KeypadModifier, shift = Qt::ShiftModifier;
    const auto none = Qt::NoModifier, control = Qt::ControlModifier, altgr = Qt::GroupSwitchModifier;
    const t_Row rows[] = {
        {Qt::Key_Exclam, shift, "!", '!', 18}, {Qt::Key_At, altgr, "@", '@'}, {0x20ac, altgr, "\u20ac", -1},
        {Qt::Key_Left, none, "", 8, 123}, {Qt::Key_Delete, none, "\x7f", 7}, {Qt::Key_8, keypad, "8", '8', 91},
        {Qt::Key_0, keypad | alt, "0", 216, 82}, {Qt::Key_S, control, "s", 19, 1}, {Qt::Key_2, control, "2", 0},
        {Qt::Key_3, control, "3", '3'}, {Qt::Key_P, alt | shift, "P", 208}, {Qt::Key_U, alt, "u", 175},
        {Qt::Key_L, alt, "l", 0}, {Qt::Key_Q, alt, "q", 'q'}, {Qt::Key_Dead_Acute, none, "", 180},
        {Qt::Key_Dead_Grave, shift, "", 96}, {Qt::Key_Dead_Grave, none, "", '`'}, {Qt::Key_Dead_Caron, none, "", -1},
        {Qt::Key_E, none, "e", 'e'},
    };
    t_InitGraphicWindow(0, 8, true, 64, 64, 0, 0, t_Font{}, true);
    for (const t_Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "Qt key 0x" << std::hex << row.Key << " text " << row.Text);
        clearkeyevents();
        // Key events are translated on the GUI thread, where Caps Lock is remembered.
        const QKeyEvent event(QEvent::KeyPress, row.Key, row.Modifiers, QString::fromUtf8(row.Text));
        t_HostKey key;
        host::runsync([&] { key = translatekeyevent(event); });
        ASSERT_FALSE(key.ModifierOnly);
        keytranslation(0, key.KeyCode, key.Characters, key.Modifiers);
        const std::optional<t_Event> queued = lastkeyevent();
        EXPECT_EQ(queued ? queued->Value : -1, row.Value);
        EXPECT_EQ(row.Code < 0 ? -1 : key.KeyCode, row.Code);
    }
    clearkeyevents();
}
