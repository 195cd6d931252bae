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

}  // namespace

TEST(PrinterRuler, StandsOverThePrintedColumnsAndScrollsWithThem) {
    logof([] {
        p_InitPrinter();
        t_WindowVisible(printerwindow, true);
        p_Print(printerruler() + "\n");
        ASSERT_TRUE(eventually([] { return !host::textviewtext(printerwindow).empty(); }));
    });
    for (int scrolled : {0, 137}) {
        SCOPED_TRACE(scrolled);
        host::runsync([scrolled] {
            const t_TextWindowParts* parts = textwindow(printerwindow);
            QScrollBar* bar = parts->TextView->horizontalScrollBar();
            bar->setValue(scrolled);
            ASSERT_EQ(bar->value(), scrolled);
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
    }
}
