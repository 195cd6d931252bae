// The host's Qt windows: the same menus in every window with shortcuts that leave Control
// letters to the program, the copy-picture command, and the printer's ruler standing over the
// printout column for column, also when scrolled sideways. (Closing a window to quit reports no
// close-box click: checked at the end of the puzzle's end-to-end test.)
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolButton>

#include <set>

#include "auxwindows/printer.h"
#include "graphics/plot.h"
#include "host/menus.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "host/qt/ruler_line.h"
#include "support/helpers.h"
#include "windows/window_colors.h"
#include "windows/video_memory.h"

namespace {

// Window x of every pixel column of the widget that has dark ink in rows [top, bottom), within
// the window columns [from, to). GUI thread only.
std::set<int> inkcolumns(QWidget* widget, int top, int bottom, int from, int to) {
    const QImage image = widget->grab().toImage();
    const int offset = widget->mapTo(widget->window(), QPoint(0, 0)).x();
    std::set<int> columns;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = std::max(0, from - offset); x < std::min(image.width(), to - offset); ++x)
            if (image.pixelColor(x, y).lightness() < 128) columns.insert(x + offset);
    return columns;
}

// The commands themselves are chosen by tag in the menu event tests.
TEST(MenuBar, EveryWindowShowsTheSameMenus) {
    int shortcuts = 0;
    host::runsync([&] {
        const auto menus = [](int number) {
            std::vector<QMenu*> menus;
            for (QAction* action : hostwindow(number)->findChild<QMenuBar*>()->actions()) menus.push_back(action->menu());
            return menus;
        };
        for (int number = 1; number < hostwindowcount; ++number) EXPECT_EQ(menus(number), menus(0)) << number;
        // The program reads Control with a letter as a control code: shortcuts need Shift as well.
        for (QMenu* menu : menus(0))
            for (QAction* action : menu->findChildren<QAction*>())
                if (!action->shortcut().isEmpty()) {
                    ++shortcuts;
                    EXPECT_EQ(action->shortcut()[0].keyboardModifiers(), Qt::ControlModifier | Qt::ShiftModifier);
                }
        // The extension button's icon is loaded only when first drawn; drawn, it is the style's picture.
        const auto* button = hostwindow(0)->findChild<QMenuBar*>()->findChild<QToolButton*>("qt_menubar_ext_button");
        ASSERT_NE(button, nullptr);
        const QImage icon = button->icon().pixmap(16, 16).toImage();
        int ink = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x) ink += qAlpha(icon.pixel(x, y)) > 0;
        EXPECT_GT(ink, 4);
    });
    EXPECT_GT(shortcuts, 5);
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

// A text view costs the start its set-up, so only text or a showing makes it: the start leaves
// every one unmade, emptying one not yet made keeps it so, and text read back is what was set.
TEST(TextViews, AreMadeByTextNotByEmptying) {
    const auto made = [](int window) {
        bool exists = false;
        host::runsync([&] { exists = textwindowparts(window)->TextView != nullptr; });
        return exists;
    };
    const std::pair<std::string, bool> steps[] = {{"", false}, {"Zeile 1\n", true}, {"", true}};
    for (int window = 8; window <= 10; ++window) {
        for (const auto& [text, madeafter] : steps) {
            host::settextviewtext(window, text);
            EXPECT_EQ(made(window), madeafter) << window << " after \"" << text << '"';
            EXPECT_EQ(host::textviewtext(window), text) << window;
        }
    }
}

// A printed copy of the ruler must put ink in exactly the pixel columns of the ruler above it.
TEST(PrinterRuler, StandsOverThePrintedColumnsAndScrollsWithThem) {
    logof([] {
        p_InitPrinter();
        t_WindowVisible(printerwindow, true);
        p_Print(printerruler() + "\n");
        ASSERT_TRUE(eventually([] { return !host::textviewtext(printerwindow).empty(); }));
    });
    // Scrolled sideways: a ruler that stood still would miss the text by the distance scrolled.
    host::runsync([] {
        const t_TextWindowParts* parts = textwindow(printerwindow);
        parts->TextView->horizontalScrollBar()->setValue(137);
        ASSERT_EQ(parts->TextView->horizontalScrollBar()->value(), 137);
        // The ink of the ruler and of the first printed line, where both reach across the window.
        const QRect line = parts->TextView->cursorRect(QTextCursor(parts->TextView->document()));
        QWidget* text = parts->TextView->viewport();
        const int rulerleft = parts->Ruler->mapTo(parts->Window, QPoint(0, 0)).x();
        const int textleft = text->mapTo(parts->Window, QPoint(0, 0)).x();
        const int from = std::max(rulerleft, textleft);
        const int to = std::min(rulerleft + parts->Ruler->width(), textleft + text->width());
        const std::set<int> ruler = inkcolumns(parts->Ruler, 0, parts->Ruler->height(), from, to);
        ASSERT_GT(ruler.size(), 50u);
        EXPECT_EQ(ruler, inkcolumns(text, line.top(), line.bottom() + 1, from, to));
    });
    // Made narrower, the printout keeps its margins in the new width.
    t_WindowSize(printerwindow, -1, -1, 500, 400);
    EXPECT_TRUE(eventually([] {
        int margins = 0;
        host::runsync([&] { margins = hostwindow(printerwindow)->width() - textwindow(printerwindow)->TextView->width(); });
        return margins == 40;
    }));
}

}  // namespace
