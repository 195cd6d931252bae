// First cut: letters, digits and Return. The full table of classic key codes replaces it.
#include "host/qt/key_mapping.h"

int64_t modifierword(Qt::KeyboardModifiers modifiers, bool keypad) {
    int64_t word = 0;
    if (modifiers & Qt::ShiftModifier) word |= 1 << 17;
    if (modifiers & Qt::ControlModifier) word |= 1 << 18;
    if (modifiers & Qt::AltModifier) word |= 1 << 19;
    if (modifiers & Qt::MetaModifier) word |= 1 << 20;
    if (keypad) word |= 1 << 21;
    return word;
}

t_HostKey translatekeyevent(const QKeyEvent& event) {
    t_HostKey key;
    const int qtkey = event.key();
    key.ModifierOnly = qtkey == Qt::Key_Shift || qtkey == Qt::Key_Control || qtkey == Qt::Key_Alt ||
                       qtkey == Qt::Key_Meta || qtkey == Qt::Key_CapsLock || qtkey == Qt::Key_AltGr;
    key.Modifiers = modifierword(event.modifiers(), event.modifiers() & Qt::KeypadModifier);
    key.Characters = event.text().toStdString();
    key.KeyCode = 0;
    return key;
}
