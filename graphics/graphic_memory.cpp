// A program's own access to a window's pixel bytes, for pixel loops of its own.
#include "core/framework_state.h"
#include "graphics/graphic_window_access.h"
#include "graphics/plot.h"
#include "windows/display_refresh.h"

std::span<uint8_t> g_GraphicMemory(uint8_t window) {
    FrameworkLock lock;
    const t_Window* record = graphicwindowguard("g_GraphicMemory", window);
    if (record == nullptr) return {};
    // Only the pixels proper: the rest of the block (and the text block) stays the framework's.
    if (!graphicmemoryvalid(*record)) return {};
    notepixelspanheld(window);  // whatever is written through the span is shown each period
    const auto bytes = static_cast<size_t>(graphicrowbytes(record->BitDepth, record->Width) * record->Height);
    return {framework.videomemory.data() + record->MemoryStart, bytes};
}

void g_PictureChanged(uint8_t window) {
    FrameworkLock lock;
    if (graphicwindowguard("g_PictureChanged", window) != nullptr) notepicturechange(window);
}
