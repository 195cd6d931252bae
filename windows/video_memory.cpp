#include "windows/video_memory.h"

#include <sys/mman.h>

#include <cstdint>

#include "app/startup.h"
#include "core/events.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "host/host.h"
#include "windows/display_refresh.h"

namespace {

// Asks for huge pages behind the video memory before it is filled: 16 MB in 4 KB pages cost
// four thousand page faults, a good part of the program's start.
void reservevideomemory() {
    framework.videomemory.reserve(static_cast<size_t>(videomemorysize));
    constexpr uintptr_t hugepage = uintptr_t{2} << 20;
    const auto start = reinterpret_cast<uintptr_t>(framework.videomemory.data());
    const uintptr_t first = (start + hugepage - 1) & ~(hugepage - 1);
    const uintptr_t end = (start + static_cast<uintptr_t>(videomemorysize)) & ~(hugepage - 1);
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);  // a hint only
}

}  // namespace

void t_InitMemory() {
    if (framework.memoryinitialized.exchange(true)) return;
    logline("t_InitMemory: Start.");
    if (threadnumber() == 2) namethread("Main Program");
    {
        FrameworkLock lock;
        framework.highmemory = videomemorytop;
        reservevideomemory();
        framework.videomemory.assign(static_cast<size_t>(videomemorysize), 0xFF);
        notepicturechange();
        framework.windows = {};
    }
    // Framework commands behind menu tags: the window commands 200-231, then 110-114.
    for (int64_t tag = 200; tag <= 231; ++tag) appendmenuaction({tag, tag, "", "", "", "", ""});
    for (int64_t tag = 110; tag <= 114; ++tag) appendmenuaction({tag, tag, "", "", "", "", ""});
    // The desktop adds no menu items of its own here (no dictation, emoji or tiling entries),
    // so there is nothing to remove from the menus.
    host::settextviewfont(pasteboardwindow, "Menlo", 12);
    host::settextviewtext(pasteboardwindow, "");
    framework.frameworkready = true;
    logline("t_InitMemory: End.");
}
