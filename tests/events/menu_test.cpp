#include <pthread.h>

#include <atomic>
#include <tuple>

#include "auxwindows/console.h"
#include "auxwindows/printer.h"
#include "events/menus.h"
#include "host/dialogs.h"
#include "host/menus.h"
#include "support/helpers.h"
#include "text/text_output.h"
#include "windows/video_memory.h"

namespace {

// Each test starts with no menu events and the program's menu handler replaced by a probe that
// counts its runs and keeps its thread's name.
class Menus : public testing::Test {
protected:
    void SetUp() override {
        waitforframework();
        t_ClearMenuEvents();
        setprogrammenuhandler([this] {
            char name[16] = {};
            pthread_getname_np(pthread_self(), name, sizeof name);
            threadname = name;  // written before runs counts up
            ++runs;
        });
    }
    void TearDown() override { setprogrammenuhandler({}); }
    // What choosing the item prints; the choice itself must be possible.
    static std::string choose(int64_t tag) {
        return logof([tag] { ASSERT_TRUE(host::choosemenuitem(tag)); });
    }
    // Waits up to a second for the handler; a handler that must not run gets the same chance to.
    int runsafter(int expected) {
        eventually([&] { return runs >= expected; }, 1000);
        sleepms(50);
        return runs;
    }
    std::atomic<int> runs{0};
    std::string threadname;
};

TEST_F(Menus, SaveGraphicGoesToTheHandlerOnlyForAGraphicWindow) {
    std::atomic<int> saves{0};
    setsavegraphichandler([&saves] { ++saves; });

    createwindow(0, 24, false, 160, 32, 0, t_Font{});
    ASSERT_TRUE(infront(0));
    choose(113);
    EXPECT_EQ(saves, 1);
    ASSERT_TRUE(infront(printerwindow));
    choose(113);
    EXPECT_EQ(saves, 1);

    ASSERT_EQ(t_MenuEventCount(), 2);
    const t_MenuEvent first = t_NextMenuEvent();
    EXPECT_EQ(std::tie(first.Kind, first.ItemAction, first.MenuTitle, first.ItemKeyAsc, first.ItemKeyMods),
              std::make_tuple(3, 113, "Datei", 's', 0x60000u));  // Shift and Control
    EXPECT_EQ(runsafter(0), 0);  // a command of the framework's own does not call the program
    // Without a handler of the program's the default sounds the alert: callable, never empty.
    setsavegraphichandler({});
    ASSERT_TRUE(infront(0));
    choose(113);
    EXPECT_EQ(saves, 1);
}

TEST_F(Menus, ItemsWithoutACommandGoToTheProgramHandler) {
    choose(0);  // "Über Stangenspiel"
    EXPECT_EQ(runsafter(1), 1);
    EXPECT_EQ(threadname, "t_EventMenu");
    // An item of the program's own, added at the end of its menu.
    EXPECT_EQ(t_MenuItemAdd("Datei", "Bild löschen", 1000), 0);
    choose(1000);
    EXPECT_EQ(runsafter(2), 2);
    ASSERT_EQ(t_MenuEventCount(), 2);
    t_NextMenuEvent();  // "Über Stangenspiel"
    const t_MenuEvent own = t_NextMenuEvent();
    EXPECT_EQ(std::tie(own.ItemAction, own.ItemTitle, own.ItemKeyAsc), std::make_tuple(1000, "Bild löschen", 0));
    // A shortcut's code is its first Unicode scalar; 0 for bytes that do not start one.
    for (const auto& [key, scalar] : {std::pair{"ä", 0xE4}, {"ぁ", 0x3041}, {"\U0001F600", 0x1F600}, {"\xE2\x82", 0}}) {
        host::runsync([key] { hostcalls::menuhandler({true, "Datei", "Bild löschen", key, 0, 1000}); });
        EXPECT_EQ(t_NextMenuEvent().ItemKeyAsc, scalar) << key;
    }
}

TEST_F(Menus, WindowCommandsShowAndHideTheirWindows) {
    ASSERT_TRUE(infront(printerwindow));
    EXPECT_EQ(choose(215), "t_MenuEventHandler: Window #1 not initialized.\n");
    createwindow(1, 24, false, 160, 32, 0, t_Font{});
    // tag, the window it brings to the front (or -1), the window it hides (or -1)
    const std::tuple<int64_t, int, int> steps[] = {{215, 1, -1}, {216, -1, 1}, {229, consolewindow, -1},
                                                   {209, printerwindow, -1}, {201, -1, printerwindow}};
    for (const auto& [tag, front, hidden] : steps) {
        EXPECT_EQ(choose(tag), "") << tag;
        EXPECT_TRUE(front < 0 || eventually([front] { return host::frontwindow() == front; })) << tag;
        EXPECT_TRUE(hidden < 0 || !host::windowisvisible(hidden)) << tag;
    }
    EXPECT_TRUE(host::windowisvisible(consolewindow));  // only the front window went
    EXPECT_EQ(choose(200), "");  // hides every window, no more
    EXPECT_FALSE(host::windowisvisible(consolewindow));
}

// Vergrößern, Verkleinern and Vollbild act on the front graphic window; a step beyond the range
// and a zoom while full screen change nothing.
TEST_F(Menus, ZoomCommandsActOnTheFrontGraphicWindow) {
    createwindow(0, 24, false, 160, 32, 0, t_Font{});
    t_WindowZoom(0, 1);
    ASSERT_TRUE(infront(0));
    const std::tuple<int64_t, int64_t, bool> steps[] = {
        {233, 1, false}, {232, 2, false}, {232, 3, false}, {234, 5, true}, {232, 5, true}, {234, 3, false},
        {233, 2, false}};
    for (const auto& [tag, factor, fullscreen] : steps) {
        EXPECT_EQ(choose(tag), "") << tag;
        const std::tuple<int64_t, bool> zoom{t_WindowZoomFactor(0), t_WindowPos(0, 17) == 0};
        EXPECT_EQ(zoom, std::make_tuple(factor, fullscreen)) << tag;
    }
}

// The views' own characters, block graphics 128-159 as look-alikes and code 160 as the visible
// blank; a window without text of its own leaves the clipboard, a text screen's lines end in line
// feeds. Control characters, Latin-1 above the block graphics, other scripts and a cut-off sequence
// are left alone.
TEST_F(Menus, CopyTextTakesTheFrontWindowsTextWithLookAlikes) {
    std::string blocks;
    for (char32_t c = 128; c <= 160; ++c) blocks += {'\xC2', static_cast<char>(c)};
    host::settextviewtext(printerwindow, "Zeile 1\n" + blocks + " \u00A1\u00E4\u20AC\u0100");
    createwindow(0, 8, true, 96, 64, 0, greyfont());
    t_Print(0, "Zug 1\rZug 2");
    host::setclipboardtext("unverändert");
    const std::pair<uint8_t, const char*> copies[] = {
        {applicationwindow, "unverändert"}, {0, "Zug 1\nZug 2"},
        {printerwindow, "Zeile 1\n*#<=>O++++||--++++++++++++---|+=\u02FD \u00A1\u00E4\u20AC\u0100"}};
    for (const auto& [window, expected] : copies) {
        ASSERT_TRUE(infront(window));
        choose(111);
        EXPECT_EQ(host::clipboardtext(), expected) << "window " << int(window);
    }
    EXPECT_EQ(pastetext("\x7F\r\t\xC2"), "#\r\t\xC2");
}

TEST_F(Menus, ClearingEmptiesTheTextViewsAndTheirBuffers) {
    p_InitPrinter();
    p_Print("gedruckt\n");
    c_Print("notiert\n");
    ASSERT_TRUE(eventually([] {
        return host::textviewtext(printerwindow) + host::textviewtext(consolewindow) == "gedruckt\nnotiert\n";
    }));
    choose(112);
    choose(114);
    EXPECT_EQ(host::textviewtext(printerwindow) + host::textviewtext(consolewindow), "");
    std::scoped_lock guard(printer.buffermutex, console.buffermutex);
    EXPECT_TRUE(printer.printerbuffer.empty() && console.consolebuffer.empty());
}

// The chosen path is written back into the item's entry; cancelling empties it.
TEST_F(Menus, FileDialogEntriesReceiveTheChosenPath) {
    appendmenuaction({100, 100, "Grafik laden", "Bitte wählen", "", "gr", ""});
    appendmenuaction({101, 101, "Grafik sichern", "", "Bild.gr", "gr", ""});
    std::string answer;
    host::setfiledialoganswerer([&answer](const host::t_FileDialog&) { return answer; });
    const std::tuple<int64_t, const char*, const char*> choices[] = {
        {100, "/tmp/alt/Turm.gr", "Turm.gr"}, {101, "neu.gr", "neu.gr"}, {100, "", ""}};
    for (const auto& [tag, chosen, name] : choices) {
        answer = chosen;
        choose(tag);
        const t_MenuAction entry = findmenuaction(tag).value();
        EXPECT_EQ(std::tie(entry.FilePath, entry.FileName), std::make_tuple(chosen, name));
    }
    host::setfiledialoganswerer({});
}

TEST_F(Menus, ItemOperationsFindReadAndDelete) {
    EXPECT_EQ(t_MenuItemIndex("Bearbeiten", "Text kopieren"), 1);
    EXPECT_EQ(t_MenuItemIndex("Bearbeiten", "Text"), -1);
    EXPECT_EQ(t_MenuItemTitle("Bearbeiten", lastmenuitem), "Text kopieren");
    EXPECT_EQ(t_MenuItemTitle("Datei", 2), "");  // a separator

    EXPECT_EQ(logof([] {
                  EXPECT_EQ(t_MenuItemAdd("Spiel", "Neu", 1001), -2);
                  EXPECT_EQ(t_MenuItemAdd("Datei", "Neu", -1), -1);
                  EXPECT_EQ(t_MenuItemIndex("Extras", "Text kopieren"), -2);
                  t_MenuItemDelete("Bearbeiten", 2);
              }),
              "t_MenuItemAdd: Menu not found.\nt_MenuItemAdd: Tag out of range\nt_MenuItemIndex: Menu not found.\n"
              "t_MenuItemDelete: Item position out of range\n");

    t_MenuItemDelete("Bearbeiten", lastmenuitem);
    EXPECT_FALSE(host::choosemenuitem(111));  // gone with its shortcut
    t_MenuItemDelete("Bearbeiten", 0);
    EXPECT_TRUE(findmenu("Bearbeiten")->ItemTitles.empty());

    EXPECT_EQ(logof([] {
                  t_MenuItemDelete("Bearbeiten", lastmenuitem);
                  EXPECT_EQ(t_MenuItemTitle("Bearbeiten", lastmenuitem), "");
              }),
              "t_MenuItemDelete: Item position out of range\n"
              "t_MenuItemTitle: Item position out of range\n");
}

}  // namespace
