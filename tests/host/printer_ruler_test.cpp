// The printer's ruler stands over the printout column for column, also when scrolled sideways:
// a printed copy of the ruler must put ink in exactly the pixel columns of the ruler above it.
#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>

#include <set>

#include "auxwindows/printer.h"
#include "core/framework_state.h"
#include "host/qt/interface.h"
#include "host/qt/ruler_line.h"
#include "support/helpers.h"
#include "windows/window_placement.h"

namespace {

// Window x of every pixel column of the widget that has dark ink in rows [top, bottom), as far
// as both widgets reach across the window.
std::set<int> inkcolumns(QWidget* widget, int top, int bottom, int from, int to) {
    const QImage image = widget->grab().toImage();
    const int offset = widget->mapTo(widget->window(), QPoint(0, 0)).x();
    std::set<int> columns;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y)
        for (int x = std::max(0, from - offset); x < std::min(image.width(), to - offset); ++x)
            if (image.pixelColor(x, y).lightness() < 128) columns.insert(x + offset);
    return columns;
}

// Ink of the ruler and of the first printed line, as the window shows them now.
std::pair<std::set<int>, std::set<int>> rulerandline() {
    std::pair<std::set<int>, std::set<int>> ink;
    host::runsync([&] {
        const t_TextWindowParts* parts = textwindow(printerwindow);
        const QRect line = parts->TextView->cursorRect(QTextCursor(parts->TextView->document()));
        QWidget* text = parts->TextView->viewport();
        const int rulerleft = parts->Ruler->mapTo(parts->Window, QPoint(0, 0)).x();
        const int textleft = text->mapTo(parts->Window, QPoint(0, 0)).x();
        const int from = std::max(rulerleft, textleft);
        const int to = std::min(rulerleft + parts->Ruler->width(), textleft + text->width());
        ink.first = inkcolumns(parts->Ruler, 0, parts->Ruler->height(), from, to);
        ink.second = inkcolumns(text, line.top(), line.bottom() + 1, from, to);
    });
    return ink;
}

}  // namespace

TEST(PrinterRuler, StandsOverThePrintedColumnsAndScrollsWithThem) {
    logof([] {
        p_InitPrinter();
        t_WindowVisible(printerwindow, true);
        p_Print(printerruler() + "\n");
        ASSERT_TRUE(eventually([] { return !host::textviewtext(printerwindow).empty(); }));
    });
    for (int scrolled : {0, 137}) {
        int at = -1;
        host::runsync([scrolled, &at] {
            QScrollBar* bar = textwindow(printerwindow)->TextView->horizontalScrollBar();
            bar->setValue(scrolled);
            at = bar->value();
        });
        ASSERT_EQ(at, scrolled);
        const auto [ruler, line] = rulerandline();
        ASSERT_GT(ruler.size(), 50u) << "scrolled " << scrolled;
        EXPECT_EQ(ruler, line) << "scrolled " << scrolled;
    }
}
