#include <gtest/gtest.h>

#include <tuple>

#include "text/key_input.h"
#include "text/text_areas.h"
#include "text_fixture.h"

// Letters, digits, umlauts, cursor and function keys, Alt and the output switches are typed in
// the end-to-end test; here the keys and fields only the table decides.
TEST(KeyTable, TranslatesTheKeysOnlyItDecides) {
    // Key code, characters, modifiers, value (-1: no event).
    const std::tuple<int64_t, std::string, int64_t, int64_t> cases[] = {
        {76, "\x03", 0, 13}, {71, "\xEF\x9C\xB9", 0, 27}, {124, "", 0, 21},
        {84, "2", optionbit, 178}, {89, "7", optionbit, 229}, {91, "8", optionbit | controlbit, 230},
        // Rows whose condition fails fall through to the general rule.
        {37, "\x0C", 0, 12}, {91, "8", 0, '8'},
        // Characters beyond the set and below the function keys make nothing.
        {5, "\xE4\xB8\xAD", 0, -1}, {130, "\xEF\x9C\x80", 0, -1},  // U+4E2D; U+F700 not a cursor key
    };
    for (const auto& [keycode, characters, modifiers, value] : cases) {
        const t_KeyTranslation result = translatekey(0, keycode, characters, modifiers, 1234);
        EXPECT_EQ(result.MakesEvent ? result.Event.Value : -1, value) << "key " << keycode;
    }
    const t_Event f1 = translatekey(0, 122, "\xEF\x9C\x84", numericpadbit | functionbit, 1234).Event;  // U+F704
    EXPECT_EQ(std::vector<int64_t>({f1.Kind, f1.Index, f1.Time, f1.Mods, f1.FnPressed, f1.NumericPadPressed}),
              std::vector<int64_t>({1, 122, 1234, (numericpadbit | functionbit) >> 16, 1, 1}));
}

using KeyRead = TextScreen;

TEST_F(KeyRead, TranslationQueuesAndKeepsModifierFlags) {
    keytranslation(0, 88, "9", optionbit);
    EXPECT_TRUE(eventstate.optiondown);
    EXPECT_EQ(logof([] { keytranslation(0, 5, "\xE4\xB8\xAD", controlbit); }), "");  // no key, no message
    EXPECT_TRUE(eventstate.keyavailable && eventstate.controldown && !eventstate.optiondown);
    // A program that stops reading: the full queue refuses further keys, said once per burst.
    for (auto n = static_cast<size_t>(keyeventcount()); n < keyqueuebound; ++n) appendkeyevent(t_Event{});
    EXPECT_EQ(logof([] {
                  for (int i = 0; i < 3; ++i) keytranslation(0, 0, "a", 0);
              }),
              "viewKeyDown: Key queue full (65536 keys), further keys are refused until the program reads.\n");
    clearkeyevents();
}

// The cursor shows while its level is above 0; an unpaired off is never drawn.
TEST_F(KeyRead, CursorLevelNestsAndTheCursorStaysInTheWindow) {
    maketextwindow(0, 8, 6, 2);
    t_CursorOn(0);
    EXPECT_EQ(cellcolour(1, 1), 0x0C);
    // Control + keypad 8 while the cursor shows: no cursor characters in redirected output.
    EXPECT_EQ(logof([] {
                  keytranslation(0, 91, "8", controlbit);
                  t_CursorOff(0);
                  t_RedirectOutput(0, 1);
              }),
              "");
    EXPECT_EQ(cellcolour(1, 1), 0xC0) << "the cell is restored";
    t_CursorOff(0);
    t_CursorOn(0);
    EXPECT_EQ(std::make_pair(record().TextCursorLevel, cellcolour(1, 1)), std::make_pair(int64_t{0}, uint8_t{0xC0}));
    typekey(0xD800);  // a surrogate is no character
    EXPECT_EQ(t_GetKey(0), std::string(1, '\0'));
}
