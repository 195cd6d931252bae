#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <set>

#include "core/events.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "graphics/plot.h"
#include "host/host.h"
#include "host/menus.h"
#include "host/qt/graphic_view.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "support/helpers.h"
#include "windows/window_colors.h"
#include "windows/window_creation.h"
#include "windows/window_placement.h"

namespace {

// Every tagged item of a menu and its submenus, with its shortcut.
void collect(QMenu* menu, std::set<int64_t>& tags, std::vector<QKeySequence>& shortcuts) {
    for (QAction* action : menu->actions()) {
        if (action->menu() != nullptr) collect(action->menu(), tags, shortcuts);
        if (action->data().isValid()) tags.insert(action->data().toLongLong());
        if (!action->shortcut().isEmpty()) shortcuts.push_back(action->shortcut());
    }
}

// Counts the key presses that reach a view.
class KeyCounter : public QObject {
public:
    int Presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) ++Presses;
        return false;
    }
};

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

TEST(MenuBar, ShortcutIsTakenBeforeTheViewAndControlLettersAreNot) {
    waitforframework();
    t_InitGraphicWindow(0, 24, false, 64, 32, 0, 0, greyfont(8, 8, 0xFF), true);
    t_WindowFront(0);
    // Shortcuts work only once the desktop has made the window the active one.
    ASSERT_TRUE(eventually([] {
        bool active = false;
        host::runsync([&] { active = QApplication::activeWindow() == hostwindow(0); });
        return active;
    }));
    host::setclipboardtext("vorher");
    t_ClearMenuEvents();

    int presses = 0;
    host::runsync([&] {
        KeyCounter counter;  // lives on the GUI thread, where the view's events are filtered
        GraphicView* view = interface().Views[0];
        view->installEventFilter(&counter);
        QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, "\x03");
        QApplication::sendEvent(view, &copy);
        QKeyEvent control(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "\x03");
        QApplication::sendEvent(view, &control);
        view->removeEventFilter(&counter);
        presses = counter.Presses;
    });
    EXPECT_EQ(presses, 1);  // only Control+C reached the view
    ASSERT_EQ(t_MenuEventCount(), 1);
    EXPECT_EQ(t_NextMenuEvent().ItemAction, 111);
    EXPECT_NE(host::clipboardtext(), "vorher");
}

TEST(MenuBar, CopyPicturePutsTheWindowsPixelsOnTheClipboard) {
    waitforframework();
    t_InitGraphicWindow(0, 24, false, 40, 32, 0, 0, t_Font{}, true);
    t_Color(0, 15);
    g_Plot(0, 3, 2);
    ASSERT_TRUE(infront(0));
    ASSERT_TRUE(host::choosemenuitem(110));

    QImage image;
    host::runsync([&] { image = QGuiApplication::clipboard()->image(); });
    ASSERT_EQ(image.width(), 40);
    ASSERT_EQ(image.height(), 32);
    EXPECT_EQ(image.pixel(3, 2), 0xFFFFFFFFu);
    EXPECT_EQ(host::clipboardtext(), "");  // the picture replaced any text
}

}  // namespace
