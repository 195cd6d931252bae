#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "app/startup.h"
#include "puzzle/puzzle.h"
#include "support/helpers.h"
#include "text/text_areas.h"

namespace {

void typekeys(const std::string& keys) {
    for (char key : keys) typekey(static_cast<uint8_t>(key));
}

// The screen's lines, trailing blanks and lines removed, joined by returns.
std::string screen() { return t_GetScreen(0, "\r"); }

// The program answers keys at its own pace: up to 20 s for a step, 2 min for 511 moves.
bool showslast(const std::string& text, int64_t seconds = 20) {
    return eventually([&] { return testing::Value(screen(), testing::EndsWith(text)); }, seconds * 1000);
}

}  // namespace

// Keys that are no disk count are refused, not echoed; then nine disks take 511 keys sent at
// once, and the program ends with its closing lines.
TEST(Puzzle, RulesThenNineDisksToTheClosingMessage) {
    static std::atomic<bool> ended{false};  // the thread may outlive a failed test
    startprocess([] {
        struct t_EndMark {
            ~t_EndMark() { ended = true; }
        } mark;
        programmain();
    }, 0x4000000);
    ASSERT_TRUE(showslast("Wieviele Scheiben werden gewünscht (2-9):"));
    typekeys("x10");
    typekey(8);  // the left cursor key
    typekeys("9");
    ASSERT_TRUE(showslast("\rZug 1 von 511, bitte eine Taste drücken:"));
    EXPECT_THAT(screen(), testing::HasSubstr(
                              "\r\rEine gewisse - vorzugebende - Anzahl von Scheiben befindet sich auf der linken\r"
                              "von drei Stangen. Das Ziel ist es, alle Scheiben auf die rechte Stange zu ver-\r"
                              "setzen. Dabei dürfen die Scheiben nur einzeln bewegt werden und es darf keine\r"
                              "größere Scheibe auf einer kleineren zu liegen kommen.\r\r"
                              "Wieviele Scheiben werden gewünscht (2-9): 9\r\r\r\r\r\r\r\r\r\r"
                              "Zug 1 von 511, bitte eine Taste drücken:"));
    typekeys(std::string(511, ' '));
    ASSERT_TRUE(showslast("Zug 511 von 511, bitte eine Taste drücken:\r\r"
                          "Animation des Lösungswegs beendet.\r\r\r\r(Programm Ende)", 120));
    EXPECT_TRUE(eventually([] { return ended.load(); }));
}
