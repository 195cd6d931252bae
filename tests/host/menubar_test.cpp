// The menu bar: the same menus in every window, shortcuts that leave Control letters to the
// program, and the copy-picture command.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMenuBar>

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

// The commands themselves are chosen by tag in the menu event tests.
TEST(MenuBar, EveryWindowShowsTheSameMenus) {
    std::vector<QMenu*> first;
    std::vector<QKeySequence> shortcuts;
    host::runsync([&] {
        for (int number = 0; number < hostwindowcount; ++number) {
            auto* bar = hostwindow(number)->findChild<QMenuBar*>();
            ASSERT_NE(bar, nullptr) << number;
            std::vector<QMenu*> menus;
            for (QAction* action : bar->actions()) menus.push_back(action->menu());
            if (number == 0) first = menus;
            EXPECT_EQ(menus, first) << number;
        }
        for (QMenu* menu : first)
            for (QAction* action : menu->findChildren<QAction*>())
                if (!action->shortcut().isEmpty()) shortcuts.push_back(action->shortcut());
    });
    EXPECT_GT(shortcuts.size(), 5u);
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
