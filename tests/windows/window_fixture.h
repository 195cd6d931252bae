// Helpers shared by the window and pixel tests: a glyph font, fresh state, captured log lines.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/framework_state.h"
#include "core/window_record.h"
#include "support/helpers.h"
#include "windows/window_creation.h"

// A 16 x 32 grey font with every glyph present, like the fonts the program loads.
inline t_Font glyphfont(int64_t width = 16, int64_t height = 32) { return greyfont(width, height); }

inline t_Window record(uint8_t window) {
    FrameworkLock lock;
    return framework.windows[window];
}

inline uint8_t* memoryat(int64_t address) { return framework.videomemory.data() + address; }

// Starts every test from a framework that has not been initialised, also when the test
// binary runs all tests in one process.
class WindowTest : public testing::Test {
protected:
    void SetUp() override { resetframeworkfortests(); }
    std::string created(uint8_t window, int64_t depth, int64_t width, int64_t height, const t_Font& font = t_Font{},
                        int64_t border = 16) {
        return createwindow(window, depth, true, width, height, border, font);
    }
};
