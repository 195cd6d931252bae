// The menu bar: the same menus in every window, shortcuts that leave Control letters to the
// program, and the copy-picture command.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

#include <set>

#include "core/guards.h"
#include "graphics/plot.h"
#include "host/host.h"
#include "host/menus.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "support/helpers.h"
#include "windows/window_colors.h"
#include "windows/window_creation.h"

namespace {

// Every tagged item of a menu and its submenus, with its shortcut.
void collect(QMenu* menu, std::set<int64_t>& tags, std::vector<QKeySequence>& shortcuts) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) collect(action->menu(), tags, shortcuts);
        if (action->data().isValid()) tags.insert(action->data().toLongLong());
        if (!action->shortcut().isEmpty()) shortcuts.push_back(action->shortcut());
    }
}

TEST(MenuBar, EveryWindowShowsTheSameMenusReachingEveryCommand) {
    std::vector<QMenu*> first;
    std::set<int64_t> tags;
    std::vector<QKeySequence> shortcuts;
    int height = 0;
    host::runsync([&] {
        height = menubarheight();
        for (int number = 0; number < hostwindowcount; ++number) {
            auto* bar = hostwindow(number)->findChild<QMenuBar*>();
            ASSERT_NE(bar, nullptr) << number;
            std::vector<QMenu*> menus;
            for (QAction* action : bar->actions()) menus.push_back(action->menu());
            if (number == 0) first = menus;
            EXPECT_EQ(menus, first) << number;
        }
        for (QMenu* menu : first) collect(menu, tags, shortcuts);
    });
    EXPECT_GT(height, 0);
    for (int64_t tag : {100, 101, 110, 111, 112, 113, 114, 200, 201}) EXPECT_TRUE(tags.count(tag)) << tag;
    for (int64_t tag = 205; tag <= 230; ++tag) EXPECT_TRUE(tags.count(tag)) << tag;
    // The program reads Control with a letter as a control code: shortcuts need Shift as well.
    for (const QKeySequence& shortcut : shortcuts) {
        EXPECT_EQ(shortcut[0].keyboardModifiers(), Qt::ControlModifier | Qt::ShiftModifier) << shortcut.toString().toStdString();
    }
}

// The copy-picture command puts the front window's pixels on the clipboard. The shortcuts
// themselves are typed in the desktop end-to-end test.
TEST(MenuBar, CopyPicturePutsTheWindowsPixelsOnTheClipboard) {
    waitforframework();
    t_InitGraphicWindow(0, 24, false, 40, 32, 0, 0, t_Font{}, true);
    t_Color(0, 15);
    g_Plot(0, 3, 2);
    ASSERT_TRUE(infront(0));
    host::setclipboardtext("vorher");
    ASSERT_TRUE(host::choosemenuitem(110));
    QImage image;
    host::runsync([&] { image = QGuiApplication::clipboard()->image(); });
    ASSERT_EQ(image.size(), QSize(40, 32));
    EXPECT_EQ(image.pixel(3, 2), 0xFFFFFFFFu);
    EXPECT_EQ(host::clipboardtext(), "");  // the picture replaced any text
}

}  // namespace
