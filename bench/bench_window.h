// A window set up straight in the framework's state, without a desktop, for benchmarks of the
// drawing and text paths: a graphic block (24 bits unless said) ending `belowtop` bytes under the
// top of video memory, and optionally a text screen right under it.
#pragma once

#include <cstdint>
#include <utility>

#include "core/framework_state.h"

inline t_Window& preparebenchwindow(uint8_t number, int64_t width, int64_t height, int64_t belowtop, int64_t depth = 24) {
    FrameworkLock lock;
    if (framework.videomemory.size() != static_cast<size_t>(videomemorysize))
        framework.videomemory.assign(static_cast<size_t>(videomemorysize), 0);
    framework.frameworkready = true;
    t_Window& w = framework.windows[number];
    w = t_Window{};
    w.Initialized = true;
    w.BitDepth = depth;
    w.Width = width;
    w.Height = height;
    w.MemoryEnd = videomemorytop - belowtop;
    w.MemoryStart = (w.MemoryEnd + 1 - width * height * depth / 8) & ~int64_t{1023};
    return w;
}

inline t_Window& preparebenchtext(t_Window& w, t_Font font, int64_t columns, int64_t lines) {
    FrameworkLock lock;
    w.TextMemoryEnd = w.MemoryStart - 1;
    w.TextMemoryStart = (w.TextMemoryEnd + 1 - columns * lines * 2) & ~int64_t{1023};
    w.Font = std::move(font);
    w.TextWidth = columns;
    w.TextHeight = lines;
    w.TextFirstColumn = w.TextFirstLine = w.TextHpos = w.TextVpos = 1;
    w.TextLastColumn = columns;
    w.TextLastLine = lines;
    w.TextColor = 0xC0;
    return w;
}
