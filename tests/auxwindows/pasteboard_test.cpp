#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/framework_state.h"
#include "core/guards.h"
#include "host/host.h"
#include "support/helpers.h"
#include "windows/window_placement.h"

namespace {

TEST(Pasteboard, ShowsTheClipboardTextAsItWasWhenShown) {
    waitforframework();
    host::setclipboardtext("Zug 1 von 7");
    t_WindowVisible(pasteboardwindow, true);
    EXPECT_EQ(host::textviewtext(pasteboardwindow), "Zug 1 von 7");

    host::setclipboardtext("Zug 2 von 7");
    EXPECT_EQ(host::textviewtext(pasteboardwindow), "Zug 1 von 7");  // not followed while open
    t_WindowFront(pasteboardwindow);
    EXPECT_EQ(host::textviewtext(pasteboardwindow), "Zug 2 von 7");

    // An image where text is expected reads as no text, quietly, and the clipboard stays usable.
    const std::vector<uint32_t> picture(4 * 3, 0xFF00FF00);
    host::setclipboardimage(picture.data(), 4, 3);
    EXPECT_EQ(host::clipboardtext(), "");
    EXPECT_EQ(logof([] {
                  t_WindowVisible(pasteboardwindow, false);
                  t_WindowVisible(pasteboardwindow, true);
              }),
              "");
    EXPECT_EQ(host::textviewtext(pasteboardwindow), "");
    host::setclipboardtext("Scheibe");
    EXPECT_EQ(host::clipboardtext(), "Scheibe");
}

}  // namespace
