// Qt keys to the classic desktop's virtual key codes, characters and modifier word.
#include "host/qt/key_mapping.h"

#include <QHash>
#include <QString>

namespace {

constexpr int64_t nokeycode = 255;  // a key the classic keyboard does not have: no table row
constexpr int64_t capslockbit = 1 << 16, keypadbit = 1 << 21, helpbit = 1 << 22, functionbit = 1 << 23;
constexpr char32_t upcharacter = 0xF700, f1character = 0xF704;

// GUI-thread state: Qt reports no Caps Lock modifier.
struct t_KeyboardState {
    bool capslock = false;
};
t_KeyboardState keyboard;

// Printable keys by the position they have on the classic US keyboard; shifted symbols and
// the German letters sit where their keys are.
const QHash<int, int64_t>& printablecodes() {
    static const QHash<int, int64_t> codes = [] {
        QHash<int, int64_t> table;
        const char* letters = "asdfhgzxcv?bqweryt";  // codes 0-17, 10 is the ISO key
        for (int i = 0; letters[i]; ++i)
            if (letters[i] != '?') table.insert(Qt::Key_A + (letters[i] - 'a'), i);
        const std::pair<int, int64_t> rest[] = {
            {Qt::Key_1, 18}, {Qt::Key_2, 19}, {Qt::Key_3, 20}, {Qt::Key_4, 21}, {Qt::Key_6, 22}, {Qt::Key_5, 23},
            {Qt::Key_Equal, 24}, {Qt::Key_9, 25}, {Qt::Key_7, 26}, {Qt::Key_Minus, 27}, {Qt::Key_8, 28},
            {Qt::Key_0, 29}, {Qt::Key_BracketRight, 30}, {Qt::Key_O, 31}, {Qt::Key_U, 32},
            {Qt::Key_BracketLeft, 33}, {Qt::Key_I, 34}, {Qt::Key_P, 35}, {Qt::Key_L, 37}, {Qt::Key_J, 38},
            {Qt::Key_Apostrophe, 39}, {Qt::Key_K, 40}, {Qt::Key_Semicolon, 41}, {Qt::Key_Backslash, 42},
            {Qt::Key_Comma, 43}, {Qt::Key_Slash, 44}, {Qt::Key_N, 45}, {Qt::Key_M, 46}, {Qt::Key_Period, 47},
            {Qt::Key_QuoteLeft, 50}, {Qt::Key_Space, 49},
            {Qt::Key_Exclam, 18}, {Qt::Key_At, 19}, {Qt::Key_NumberSign, 20}, {Qt::Key_Dollar, 21},
            {Qt::Key_AsciiCircum, 22}, {Qt::Key_Percent, 23}, {Qt::Key_Plus, 24}, {Qt::Key_ParenLeft, 25},
            {Qt::Key_Ampersand, 26}, {Qt::Key_Underscore, 27}, {Qt::Key_Asterisk, 28}, {Qt::Key_ParenRight, 29},
            {Qt::Key_BraceRight, 30}, {Qt::Key_BraceLeft, 33}, {Qt::Key_QuoteDbl, 39}, {Qt::Key_Colon, 41},
            {Qt::Key_Bar, 42}, {Qt::Key_Less, 43}, {Qt::Key_Question, 44}, {Qt::Key_Greater, 47},
            {Qt::Key_AsciiTilde, 50}, {Qt::Key_Adiaeresis, 39}, {Qt::Key_Odiaeresis, 41},
            {Qt::Key_Udiaeresis, 33}, {Qt::Key_ssharp, 27}, {Qt::Key_section, 10}, {Qt::Key_degree, 10},
            {Qt::Key_acute, 24}};
        for (const auto& [key, code] : rest) table.insert(key, code);
        return table;
    }();
    return codes;
}

// Keys whose characters are fixed: (key code, character, extra modifier bits).
struct t_SpecialKey {
    int64_t Code;
    char32_t Character;
    int64_t Bits;
};

const QHash<int, t_SpecialKey>& specialkeys() {
    static const QHash<int, t_SpecialKey> keys = {
        {Qt::Key_Return, {36, U'\r', 0}},          {Qt::Key_Tab, {48, U'\t', 0}},
        {Qt::Key_Backtab, {48, 0x19, 0}},          {Qt::Key_Backspace, {51, 0x7F, 0}},
        {Qt::Key_Escape, {53, 0x1B, 0}},           {Qt::Key_Enter, {76, 0x03, keypadbit}},
        {Qt::Key_Up, {126, upcharacter, keypadbit | functionbit}},
        {Qt::Key_Down, {125, upcharacter + 1, keypadbit | functionbit}},
        {Qt::Key_Left, {123, upcharacter + 2, keypadbit | functionbit}},
        {Qt::Key_Right, {124, upcharacter + 3, keypadbit | functionbit}},
        {Qt::Key_Insert, {114, 0xF746, helpbit | functionbit}},  // where the classic Help key sits
        {Qt::Key_Help, {114, 0xF746, helpbit | functionbit}},
        {Qt::Key_Delete, {117, 0xF728, functionbit}}, {Qt::Key_Home, {115, 0xF729, functionbit}},
        {Qt::Key_End, {119, 0xF72B, functionbit}},    {Qt::Key_PageUp, {116, 0xF72C, functionbit}},
        {Qt::Key_PageDown, {121, 0xF72D, functionbit}}, {Qt::Key_Clear, {71, 0xF739, keypadbit | functionbit}},
    };
    return keys;
}

// Classic codes of F1-F20.
constexpr int64_t functionkeycodes[20] = {122, 120, 99, 118, 96, 97, 98, 100, 101, 109,
                                          103, 111, 105, 107, 113, 106, 64, 79, 80, 90};

// Keypad keys: with Num Lock off Qt reports the navigation meaning, the classic keypad always
// types its digit.
bool keypadkey(int key, int64_t& code, char32_t& character) {
    static const QHash<int, std::pair<int64_t, char32_t>> keypad = {
        {Qt::Key_0, {82, U'0'}}, {Qt::Key_Insert, {82, U'0'}},   {Qt::Key_1, {83, U'1'}},
        {Qt::Key_End, {83, U'1'}}, {Qt::Key_2, {84, U'2'}},      {Qt::Key_Down, {84, U'2'}},
        {Qt::Key_3, {85, U'3'}}, {Qt::Key_PageDown, {85, U'3'}}, {Qt::Key_4, {86, U'4'}},
        {Qt::Key_Left, {86, U'4'}}, {Qt::Key_5, {87, U'5'}},     {Qt::Key_Clear, {87, U'5'}},
        {Qt::Key_6, {88, U'6'}}, {Qt::Key_Right, {88, U'6'}},    {Qt::Key_7, {89, U'7'}},
        {Qt::Key_Home, {89, U'7'}}, {Qt::Key_8, {91, U'8'}},     {Qt::Key_Up, {91, U'8'}},
        {Qt::Key_9, {92, U'9'}}, {Qt::Key_PageUp, {92, U'9'}},   {Qt::Key_Period, {65, U'.'}},
        {Qt::Key_Comma, {65, U','}}, {Qt::Key_Delete, {65, U'.'}}, {Qt::Key_Asterisk, {67, U'*'}},
        {Qt::Key_Plus, {69, U'+'}}, {Qt::Key_Slash, {75, U'/'}}, {Qt::Key_Enter, {76, 0x03}},
        {Qt::Key_Minus, {78, U'-'}}, {Qt::Key_Equal, {81, U'='}}, {Qt::Key_NumLock, {71, 0xF739}},
    };
    const auto found = keypad.find(key);
    if (found == keypad.end()) return false;
    code = found->first;
    character = found->second;
    return true;
}

// Dead keys type their accent at once, like the classic keyboard's dead keys: the key that
// carries the accent with no characters of its own (code 0), which the key table turns into the
// accent. The next key is a key of its own, so a program reading single keys never waits on a
// press that gives nothing. The classic key applies where the held modifiers are the ones it
// needs there (Shift makes the acute key grave, the tilde is Option-N); otherwise the dead key
// gives its spacing accent as its characters.
struct t_DeadKey {
    int Key;
    int64_t Code;          // classic key, nokeycode when it has none
    int64_t Mask, Wanted;  // the classic key applies when (modifiers & Mask) == Wanted
    char32_t Accent;
};

constexpr int64_t shiftbit = 1 << 17, optionbit = 1 << 19;

constexpr t_DeadKey deadkeys[] = {
    {Qt::Key_Dead_Circumflex, 10, 0, 0, U'^'},
    {Qt::Key_Dead_Acute, 24, shiftbit, 0, 0xB4},
    {Qt::Key_Dead_Grave, 24, shiftbit, shiftbit, U'`'},
    {Qt::Key_Dead_Diaeresis, 32, 0, 0, 0xA8},
    {Qt::Key_Dead_Tilde, 45, optionbit, optionbit, U'~'},
    {Qt::Key_Dead_Macron, nokeycode, 0, 0, 0xAF},
    {Qt::Key_Dead_Cedilla, nokeycode, 0, 0, 0xB8},
    {Qt::Key_Dead_Breve, nokeycode, 0, 0, 0x2D8},
    {Qt::Key_Dead_Abovedot, nokeycode, 0, 0, 0x2D9},
    {Qt::Key_Dead_Abovering, nokeycode, 0, 0, 0x2DA},
    {Qt::Key_Dead_Doubleacute, nokeycode, 0, 0, 0x2DD},
    {Qt::Key_Dead_Caron, nokeycode, 0, 0, 0x2C7},
    {Qt::Key_Dead_Ogonek, nokeycode, 0, 0, 0x2DB},
};

const t_DeadKey* deadkey(int key) {
    for (const t_DeadKey& dead : deadkeys)
        if (dead.Key == key) return &dead;
    return nullptr;
}

// The classic keyboard's Option layer, reached with Alt (AltGr keeps composing what the layout
// gives): Alt with one of these keys types the character that the key table turns into a code
// of 128-255 (Alt+A gives å, code 176). Keys are found by what Qt reports; where US and German
// keyboards carry a character on different keys, both are listed. Character 0 is a dead key of
// the Option layer (Alt+U, Alt+N), 12 the Option-L row; Shifted 0 means the same as unshifted.
struct t_OptionKey {
    int Key;
    int64_t Code;
    char32_t Character;
    char32_t Shifted = 0;
};

constexpr t_OptionKey optionkeys[] = {
    {Qt::Key_A, 0, 0xE5},          {Qt::Key_S, 1, 0x201A},        {Qt::Key_D, 2, 0x2202},
    {Qt::Key_F, 3, 0x192},         {Qt::Key_H, 4, 0xAA},          {Qt::Key_X, 7, 0x2248},
    {Qt::Key_V, 9, 0x221A},        {Qt::Key_B, 11, 0x222B},       {Qt::Key_W, 13, 0x2211},
    {Qt::Key_E, 14, 0x20AC},       {Qt::Key_Z, 16, 0x3A9},        {Qt::Key_T, 17, 0x2020},
    {Qt::Key_2, 19, 0x201C},       {Qt::Key_ssharp, 27, 0xBF},    {Qt::Key_Question, 27, 0xBF},
    {Qt::Key_0, 29, 0x2260},       {Qt::Key_U, 32, 0},            {Qt::Key_Udiaeresis, 33, 0x2022},
    {Qt::Key_BracketLeft, 33, 0x2022}, {Qt::Key_I, 34, 0x2044},   {Qt::Key_P, 35, 0x3C0, 0x220F},
    {Qt::Key_L, 37, 12},           {Qt::Key_J, 38, 0xBA},         {Qt::Key_K, 40, 0x2206},
    {Qt::Key_Odiaeresis, 41, 0x153}, {Qt::Key_Semicolon, 41, 0x153}, {Qt::Key_NumberSign, 42, 0x2018},
    {Qt::Key_Backslash, 42, 0x2018}, {Qt::Key_Comma, 43, 0x221E}, {Qt::Key_Minus, 44, 0x2013},
    {Qt::Key_Slash, 44, 0x2013},   {Qt::Key_N, 45, 0},            {Qt::Key_Period, 47, 0x2026},
    {Qt::Key_Less, 50, 0x2264},    {Qt::Key_Greater, 50, 0x2265},
};

const t_OptionKey* optionkey(int key) {
    for (const t_OptionKey& option : optionkeys)
        if (option.Key == key) return &option;
    return nullptr;
}

std::string utf8(char32_t character) { return QString::fromUcs4(&character, 1).toStdString(); }

bool modifierkey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_CapsLock || key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R ||
           key == Qt::Key_NumLock || key == Qt::Key_Hyper_L || key == Qt::Key_Hyper_R || key == Qt::Key_Mode_switch;
}

// Control combinations type the control character of their key, whatever text Qt reports.
bool controlcharacter(int key, char32_t& character) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) character = static_cast<char32_t>(key - Qt::Key_A + 1);
    else if (key == Qt::Key_BracketLeft) character = 27;
    else if (key == Qt::Key_Backslash) character = 28;
    else if (key == Qt::Key_BracketRight) character = 29;
    else if (key == Qt::Key_AsciiCircum || key == Qt::Key_6) character = 30;
    else if (key == Qt::Key_Underscore || key == Qt::Key_Minus) character = 31;
    else if (key == Qt::Key_At || key == Qt::Key_2 || key == Qt::Key_Space) character = 0;
    else return false;
    return true;
}

// Keys whose code and characters do not depend on the layout: special and function keys.
bool fixedkey(int key, t_HostKey& result, char32_t& character) {
    if (const auto special = specialkeys().find(key); special != specialkeys().end()) {
        result.KeyCode = special->Code;
        character = special->Character;
        result.Modifiers |= special->Bits;
        return true;
    }
    if (key < Qt::Key_F1 || key > Qt::Key_F35) return false;
    const int n = key - Qt::Key_F1;
    result.KeyCode = n < 20 ? functionkeycodes[n] : nokeycode;
    character = f1character + static_cast<char32_t>(n);
    result.Modifiers |= functionbit;
    return true;
}

}  // namespace

int64_t modifierword(Qt::KeyboardModifiers modifiers, bool keypad) {
    int64_t word = keyboard.capslock ? capslockbit : 0;
    if (modifiers & Qt::ShiftModifier) word |= 1 << 17;
    if (modifiers & Qt::ControlModifier) word |= 1 << 18;
    if (modifiers & Qt::AltModifier) word |= 1 << 19;
    if (modifiers & Qt::MetaModifier) word |= 1 << 20;
    if (keypad) word |= keypadbit;
    return word;
}

t_HostKey translatekeyevent(const QKeyEvent& event) {
    t_HostKey result;
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (event.type() == QEvent::KeyPress && key == Qt::Key_CapsLock && !event.isAutoRepeat())
        keyboard.capslock = !keyboard.capslock;
    result.Modifiers = modifierword(modifiers, keypad);
    result.ModifierOnly = modifierkey(key);
    if (result.ModifierOnly) return result;
    result.KeyCode = nokeycode;
    if (const t_DeadKey* dead = deadkey(key)) {
        const bool classic = dead->Code != nokeycode && (result.Modifiers & dead->Mask) == dead->Wanted;
        if (classic) result.KeyCode = dead->Code;
        else result.Characters = utf8(dead->Accent);
        return result;
    }
    char32_t character = 0;
    if ((keypad && keypadkey(key, result.KeyCode, character)) || fixedkey(key, result, character)) {
        result.Characters = utf8(character);
        return result;
    }
    if (const auto printable = printablecodes().find(key); printable != printablecodes().end())
        result.KeyCode = *printable;
    const t_OptionKey* option = optionkey(key);
    if ((modifiers & Qt::ControlModifier) && controlcharacter(key, character)) {
        result.Characters = std::string(1, '\0');
        if (character != 0) result.Characters = utf8(character);
    } else if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::GroupSwitchModifier) && option != nullptr) {
        result.KeyCode = option->Code;
        character = (modifiers & Qt::ShiftModifier) && option->Shifted != 0 ? option->Shifted : option->Character;
        if (character != 0) result.Characters = utf8(character);
    } else {
        result.Characters = event.text().toStdString();
    }
    return result;
}
