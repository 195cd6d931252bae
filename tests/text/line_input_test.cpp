// Line and number input: the editing keys, wrapped and scrolled lines, limits, display modes,
// the record's Input fields, numbers asked again, and that no input outlives the application.
#include <gtest/gtest.h>

#include <thread>

#include "core/application_end.h"
#include "text_fixture.h"

namespace {

// Queues the keys as typed: '<' Left, '>' Right, '#' Backspace, '~' Delete, '!' Escape,
// '^' Home, '$' End, '%' F1, '\r' Return; anything else is its own code.
void type(const std::string& keys) {
    for (const unsigned char c : keys) {
        switch (c) {
            case '<': typekey(8); break;
            case '>': typekey(21); break;
            case '#': typekey(127); break;
            case '~': typekey(7); break;
            case '!': typekey(27); break;
            case '^': typekey(2); break;
            case '$': typekey(5); break;
            case '%':
                appendkeyevent(t_Event{.Kind = 1, .Description = {}, .Value = 129, .FunctionKeyPressed = true});
                break;
            default: typekey(c); break;
        }
    }
}

struct InputRow {
    std::string what;
    int64_t columns, lines;
    std::function<void()> before;  // cursor, area, screen, display mode
    std::string keys;
    int64_t limit;
    std::string line;   // what t_InputLine answers
    std::string after;  // the screen and cursor afterwards, as state() shows them
};

}  // namespace

using LineInput = TextScreen;

TEST_F(LineInput, EditingKeysWrappingAndLimits) {
    const auto nothing = [] {};
    const InputRow rows[] = {
        {"insert in the middle", 10, 3, nothing, "abc<<X\r", 0, "aXbc", "aXbc|| @1,2 C0 m0"},
        {"delete under the cursor", 10, 3, nothing, "abc<<~\r", 0, "ac", "ac|| @1,2 C0 m0"},
        {"right and end", 10, 3, nothing, "abc^>X$Y\r", 0, "aXbcY", "aXbcY|| @1,2 C0 m0"},
        {"escape empties", 10, 3, nothing, "abc!xy\r", 0, "xy", "xy|| @1,2 C0 m0"},
        {"edits of nothing", 10, 3, nothing, "#~<>!\r", 0, "", "|| @1,2 C0 m0"},
        {"function and cursor keys insert nothing", 10, 3, nothing, "%\x0B\x0A" "a\r", 0, "a", "a|| @1,2 C0 m0"},
        {"control codes and the limit", 10, 3, nothing, "a\x01" "bcdef\r", 3, "abc", "abc|| @1,2 C0 m0"},
        {"Latin-1 as UTF-8", 10, 3, nothing, "\xFC\r", 0, "\xC3\xBC", "[252]|| @1,2 C0 m0"},
        {"over old text", 10, 3, [] { t_Print(0, "xxxxx\x19"); }, "ab#\r", 0, "a", "a xxx|| @1,2 C0 m0"},
        {"backspace across the wrap", 4, 3, nothing, "abcde##\r", 0, "abc", "abc|| @1,2 C0 m0"},
        // From column 3 of the last line the rest of the area holds 5: its start scrolls to the top.
        {"rest of the area", 4, 2, [] { t_Print(0, "\r  "); }, "abcdefgh\r", 0, "abcde", "cde| @1,2 C0 m0"},
        {"more than the area", 4, 2, nothing, "abcdefgh\r", 99, "abcdefg", "efg| @1,2 C0 m0"},
        {"scroll lock keeps it below", 4, 2, [] { t_Print(0, "\r  "); framework.windows[0].ScrollLock = true; },
         "abcdefgh\r", 0, "a", "|  a @1,2 C0 m0"},
        // The cursor above the area (t_Vtab is absolute) starts the line in the area.
        {"cursor outside the area", 10, 3, [] { t_Area(0, 3, 2, 8, 3); t_Vtab(0, 1); }, "ab\r", 0, "ab",
         "|  ab| @3,3 C0 m0"},
        {"display mode 1", 10, 3, [] { t_DisplayMode(0, 1); }, "ab\r", 0, "ab", "[225][226]|| @1,2 C0 m1"},
    };
    for (const InputRow& row : rows) {
        SCOPED_TRACE(row.what);
        SetUp();
        maketextwindow(0, 8, row.columns, row.lines);
        row.before();
        type(row.keys);
        EXPECT_EQ(t_InputLine(0, row.limit), row.line);
        EXPECT_EQ(state(), row.after);
        EXPECT_EQ(keyeventcount(), 0) << "Return ends the line; a key after it stays queued";
        const t_Window r = t_WindowRecord(0);
        EXPECT_EQ(std::make_tuple(r.InputString, r.InputFinished, r.InputMode, r.TextCursorLevel),
                  std::make_tuple(row.line, true, int64_t{0}, int64_t{0}));
    }
}

// The record shows the line while it is typed, and the cursor stands where the next key goes.
TEST_F(LineInput, RecordShowsTheLineWhileItIsTyped) {
    maketextwindow(0, 8, 10, 3);
    t_Print(0, "> ");
    std::thread typist([] {
        EXPECT_TRUE(eventually([] { return t_WindowRecord(0).TextCursorLevel == 1; }));
        type("abc<");
        EXPECT_TRUE(eventually([] {
            const t_Window r = t_WindowRecord(0);
            return r.InputString == "abc" && r.InputCursorPos == 3 && r.TextCursorLevel == 1;
        }));
        FrameworkLock lock;  // the input waits without it
        const t_Window& r = record();
        EXPECT_EQ(std::make_tuple(r.InputMode, r.InputFinished, r.InputHpos, r.InputVpos, r.InputMaxCharacters,
                                  r.TextHpos, cellcolour(5, 1)),
                  std::make_tuple(int64_t{1}, false, int64_t{3}, int64_t{1}, int64_t{6}, int64_t{5}, uint8_t{0x0C}));
        type("\r");
    });
    EXPECT_EQ(t_InputLine(0, 6), "abc");
    typist.join();
}

TEST_F(LineInput, NumbersAreAskedForAgain) {
    maketextwindow(0, 8, 30, 6);
    type("zwei\r1,5\r -12.5e1 \r");
    EXPECT_EQ(t_InputNumber(0, 0), -125.0);
    EXPECT_EQ(state(), "zwei|(Bitte eine Zahl eingeben)|1,5|(Bitte eine Zahl eingeben)| -12.5e1| @1,6 C0 m0");
}

TEST_F(LineInput, RefusedWindowsAndTheApplicationsEnd) {
    createwindow(1, 8, false, 64, 64, 0, t_Font{});  // no text screen
    EXPECT_EQ(logof([] {
                  EXPECT_EQ(t_InputLine(1, 5), "");
                  EXPECT_EQ(t_InputNumber(1, 5), 0.0);
              }),
              "t_InputLine: Window #1 not initialized.\nt_InputNumber: Window #1 not initialized.\n");

    // Once the application quits, a read of an empty queue answers at once; queued keys still count.
    struct Resume {
        ~Resume() { resetquitfortests(); }
    } resume;
    maketextwindow(0, 8, 10, 3);
    std::thread quitter([] {
        EXPECT_TRUE(eventually([] { return t_WindowRecord(0).TextCursorLevel == 1; }));
        noteapplicationquit();
    });
    type("ab");
    EXPECT_EQ(t_InputNumber(0, 0), 0.0);  // waits after "ab" until the quit
    quitter.join();
    EXPECT_EQ(t_InputLine(0, 0), "");
    EXPECT_EQ(t_GetKey(0), "");
    type("x");
    EXPECT_EQ(t_GetKey(0), "x");
    EXPECT_EQ(t_WindowRecord(0).TextCursorLevel, 0);
}
