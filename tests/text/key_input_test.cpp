#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/events.h"
#include "core/framework_state.h"
#include "text/key_input.h"
#include "text/text_areas.h"
#include "text/text_output.h"
#include "text_fixture.h"

namespace {

t_KeyTranslation press(int64_t keycode, const std::string& characters, int64_t modifiers = 0) {
    return translatekey(0, keycode, characters, modifiers, 1234);
}

int64_t valueof(int64_t keycode, const std::string& characters, int64_t modifiers = 0) {
    const t_KeyTranslation result = press(keycode, characters, modifiers);
    return result.MakesEvent ? result.Event.Value : -1;
}

}  // namespace

// Letters, digits, umlauts, cursor and function keys through the host's key mapping are
// checked in the host tests; here the keys and fields only the table decides.
TEST(KeyTable, TranslatesCursorAndFunctionKeys) {
    EXPECT_EQ(valueof(76, "\x03"), 13);
    EXPECT_EQ(valueof(71, "\xEF\x9C\xB9"), 27);
    EXPECT_EQ(valueof(124, ""), 21);
    EXPECT_EQ(valueof(125, ""), 10);
    const t_KeyTranslation left = press(123, "\xEF\x9C\x82", numericpadbit | functionbit);
    EXPECT_EQ(left.Event.Value, 8);
    EXPECT_TRUE(left.Event.CursorKeyPressed && left.Event.FnPressed && left.Event.NumericPadPressed);
    EXPECT_EQ(left.Event.Mods, (numericpadbit | functionbit) >> 16);
    EXPECT_TRUE(press(121, "").Event.CursorKeyPressed);
    const t_KeyTranslation f1 = press(122, "\xEF\x9C\x84");  // U+F704
    EXPECT_EQ(f1.Event.Value, 129);
    EXPECT_TRUE(f1.Event.FunctionKeyPressed);
    EXPECT_FALSE(f1.Event.CursorKeyPressed);
    EXPECT_EQ(f1.Event.Kind, 1);
    EXPECT_EQ(f1.Event.Index, 122);
    EXPECT_EQ(f1.Event.Description, "\xEF\x9C\x84");
    EXPECT_EQ(f1.Event.Time, 1234);
}

// Every row reached from a Qt key event is walked in the host tests; here the rows whose
// condition fails fall through to the general rule.
TEST(KeyTable, RowsWhoseConditionFailsAndRefusals) {
    EXPECT_EQ(valueof(37, "\x0C"), 12) << "without Option the row does not hold";
    EXPECT_EQ(valueof(45, ""), 0);
    EXPECT_EQ(valueof(83, "1", numericpadbit), '1');
    EXPECT_EQ(valueof(91, "8", optionbit | controlbit), 230);
    EXPECT_EQ(valueof(91, "8"), '8');
    EXPECT_EQ(valueof(48, "\t"), '\t');
    // Characters beyond the set and below the function keys make nothing.
    EXPECT_FALSE(press(5, "\xE4\xB8\xAD").MakesEvent);  // U+4E2D
    EXPECT_FALSE(press(130, "\xEF\x9C\x80").MakesEvent);  // U+F700 without a cursor key code
    EXPECT_EQ(valueof(130, ""), 0);
}

using KeyRead = TextScreen;

TEST_F(KeyRead, TranslationQueuesRedirectsAndKeepsModifierFlags) {
    maketextwindow(0, 8, 4, 2);
    EXPECT_EQ(logof([] {
                  keytranslation(0, 0, "a", shiftbit | capslockbit);
                  keytranslation(0, 5, "\xE4\xB8\xAD", 0);
                  keytranslation(0, 91, "8", controlbit);
              }),
              "");
    EXPECT_EQ(keyeventcount(), 1);
    EXPECT_TRUE(eventstate.keyavailable);
    EXPECT_EQ(framework.windows[0].TextRedirectOutput, 2);
    EXPECT_TRUE(eventstate.controldown);
    EXPECT_FALSE(eventstate.shiftdown);
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
    const std::vector<uint8_t> before = windowblocks();
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
    t_Event hostile;
    hostile.Kind = 1;
    hostile.Value = 0xD800;
    appendkeyevent(hostile);
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
    EXPECT_EQ(logof([] {
                  t_CursorOn(9);
                  t_CursorOff(1);
              }),
              "t_CursorOn: Window is not a graphic window.\nt_CursorOff: Window #1 not initialized.\n");
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
