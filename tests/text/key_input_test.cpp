#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "text/key_input.h"
#include "text/text_areas.h"
#include "text_fixture.h"

// Letters, digits, umlauts, cursor and function keys through the host's key mapping are
// checked in the host tests; here the keys and fields only the table decides.
TEST(KeyTable, TranslatesTheKeysOnlyItDecides) {
    const struct {
        int64_t keycode;
        std::string characters;
        int64_t modifiers, value;  // -1: no event
    } cases[] = {
        {76, "\x03", 0, 13}, {71, "\xEF\x9C\xB9", 0, 27}, {124, "", 0, 21}, {125, "", 0, 10},
        {84, "2", optionbit, 178}, {89, "7", optionbit, 229}, {91, "8", optionbit | controlbit, 230},
        // Rows whose condition fails fall through to the general rule.
        {37, "\x0C", 0, 12}, {45, "", 0, 0}, {83, "1", numericpadbit, '1'}, {91, "8", 0, '8'}, {48, "\t", 0, '\t'},
        // Characters beyond the set and below the function keys make nothing.
        {5, "\xE4\xB8\xAD", 0, -1}, {130, "\xEF\x9C\x80", 0, -1}, {130, "", 0, 0},  // U+4E2D; U+F700 not a cursor key
    };
    for (const auto& c : cases) {
        const t_KeyTranslation result = translatekey(0, c.keycode, c.characters, c.modifiers, 1234);
        EXPECT_EQ(result.MakesEvent ? result.Event.Value : -1, c.value) << "key " << c.keycode;
    }
    const t_Event left = translatekey(0, 123, "\xEF\x9C\x82", numericpadbit | functionbit, 1234).Event;
    EXPECT_EQ(left.Value, 8);
    EXPECT_TRUE(left.CursorKeyPressed && left.FnPressed && left.NumericPadPressed);
    EXPECT_EQ(left.Mods, (numericpadbit | functionbit) >> 16);
    const t_Event f1 = translatekey(0, 122, "\xEF\x9C\x84", 0, 1234).Event;  // U+F704
    EXPECT_EQ(std::vector<int64_t>({f1.Value, f1.Kind, f1.Index, f1.Time}), std::vector<int64_t>({129, 1, 122, 1234}));
    EXPECT_TRUE(f1.FunctionKeyPressed && !f1.CursorKeyPressed);
    EXPECT_EQ(f1.Description, "\xEF\x9C\x84");
}

using KeyRead = TextScreen;

TEST_F(KeyRead, TranslationQueuesRedirectsAndKeepsModifierFlags) {
    maketextwindow(0, 8, 4, 2);
    keytranslation(0, 88, "9", optionbit);
    EXPECT_TRUE(eventstate.optiondown);
    EXPECT_EQ(logof([] {
                  keytranslation(0, 0, "a", shiftbit | capslockbit);
                  keytranslation(0, 5, "\xE4\xB8\xAD", 0);
                  keytranslation(0, 91, "8", controlbit);
              }),
              "");
    EXPECT_EQ(keyeventcount(), 2);
    EXPECT_EQ(framework.windows[0].TextRedirectOutput, 2);
    EXPECT_TRUE(eventstate.keyavailable && eventstate.controldown && !eventstate.shiftdown && !eventstate.optiondown);
    keytranslation(0, 92, "9", controlbit);
    EXPECT_EQ(framework.windows[0].TextRedirectOutput, 1);
    // A program that stops reading: the full queue refuses further keys, said once per burst.
    for (auto n = static_cast<size_t>(keyeventcount()); n < keyqueuebound; ++n) appendkeyevent(t_Event{});
    EXPECT_EQ(logof([] {
                  for (int i = 0; i < 3; ++i) keytranslation(0, 0, "a", 0);
              }),
              "viewKeyDown: Key queue full (65536 keys), further keys are refused until the program reads.\n");
    clearkeyevents();
}

TEST_F(KeyRead, ShowsTheCursorWhileWaitingAndRestoresIt) {
    maketextwindow(0, 24, 6, 2);
    t_Print(0, "ab");
    const Bytes before = windowblocks();
    uint8_t colourwhilewaiting = 0;
    int64_t levelwhilewaiting = 0;
    std::thread typist([&] {
        eventually([] { return framework.windows[0].TextCursorLevel != 0; });
        {
            FrameworkLock lock;
            levelwhilewaiting = framework.windows[0].TextCursorLevel;
            colourwhilewaiting = cellcolour(3, 1);
        }
        keytranslation(0, 123, "\xEF\x9C\x82", 0);
    });
    const std::string key = t_GetKey(0);
    typist.join();
    EXPECT_EQ(levelwhilewaiting, 1);
    EXPECT_EQ(colourwhilewaiting, 0x0C);
    EXPECT_EQ(key, "\x08");
    EXPECT_TRUE(currentkeyevent().CursorKeyPressed);
    EXPECT_EQ(record().TextCursorLevel, 0);
    EXPECT_EQ(windowblocks(), before);
    // Queued keys come back oldest first without the cursor being drawn.
    keytranslation(0, 0, "\xC3\xA4", 0);
    keytranslation(0, 122, "\xEF\x9C\x84", 0);
    EXPECT_EQ(t_GetKey(0), "\xC3\xA4");
    EXPECT_EQ(t_GetKey(0), "\xC2\x81");
    EXPECT_EQ(windowblocks(), before);
    typekey(0xD800);
    EXPECT_EQ(t_GetKey(0), std::string(1, '\0'));
}

TEST_F(KeyRead, CursorLevelNestsAndTheCursorStaysInTheWindow) {
    maketextwindow(0, 8, 6, 2);
    t_CursorOn(0);
    t_CursorOn(0);
    t_CursorOff(0);
    EXPECT_EQ(record().TextCursorLevel, 1);
    EXPECT_EQ(cellcolour(1, 1), 0x0C);
    // Control + keypad 8 while the cursor shows: no cursor characters in redirected output.
    EXPECT_EQ(logof([] {
                  keytranslation(0, 91, "8", controlbit);
                  t_CursorOff(0);
                  t_RedirectOutput(0, 1);
              }),
              "");
    EXPECT_EQ(cellcolour(1, 1), 0xC0) << "the cell is restored";
    t_CursorOff(0);  // unpaired: the level goes below 0 and nothing is drawn
    t_CursorOn(0);
    EXPECT_EQ(record().TextCursorLevel, 0);
    EXPECT_EQ(cellcolour(1, 1), 0xC0);
}

TEST_F(KeyRead, KeysTypedWhileTheReadWaitsArriveInOrder) {
    maketextwindow(0, 8, 6, 2);
    // Some keys come while the read sleeps, some in bursts while it is busy.
    const std::string typed = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::thread typist([&] {
        for (size_t i = 0; i < typed.size(); ++i) {
            if (i % 4 == 0) sleepms(3);
            keytranslation(0, 0, typed.substr(i, 1), 0);
        }
    });
    std::string read;
    while (read.size() < typed.size()) read += t_GetKey(0);
    typist.join();
    EXPECT_EQ(read, typed);
    EXPECT_EQ(record().TextCursorLevel, 0);
}
