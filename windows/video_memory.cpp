#include "windows/video_memory.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "core/events.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "host/host.h"
#include "windows/display_refresh.h"
#include "windows/huge_pages.h"

namespace {

// 16 MB of 0xFF: in 4 KB pages four thousand page faults, hence the huge pages.
void fillvideomemory(std::vector<uint8_t>& memory) {
    memory = {};
    reservehugepages(memory, static_cast<size_t>(videomemorysize));
    memory.assign(static_cast<size_t>(videomemorysize), 0xFF);
}

// The memory filled ahead of t_InitMemory. Never destroyed: the filling thread may still run
// when the process ends.
struct t_Prepared {
    std::mutex Mutex;
    std::condition_variable Done;
    bool Started = false;
    bool Ready = false;
    std::vector<uint8_t> Memory;
};

t_Prepared& prepared() {
    static auto* state = new t_Prepared;
    return *state;
}

// Hands over the prepared memory once it is filled; false when none was prepared or it was
// taken already.
bool takeprepared(std::vector<uint8_t>& memory) {
    t_Prepared& state = prepared();
    std::unique_lock<std::mutex> lock(state.Mutex);
    if (!state.Started) return false;
    state.Done.wait(lock, [&] { return state.Ready; });
    if (state.Memory.empty()) return false;
    memory.swap(state.Memory);
    state.Memory = {};
    return true;
}

}  // namespace

void t_InitMemory() {
    if (framework.memoryinitialized.exchange(true)) return;
    logline("t_InitMemory: Start.");
    if (threadnumber() == 2) namethread("Main Program");
    std::vector<uint8_t> memory;
    if (!takeprepared(memory)) fillvideomemory(memory);
    {
        FrameworkLock lock;
        framework.highmemory = videomemorytop;
        framework.videomemory.swap(memory);
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

void preparevideomemory() {
    t_Prepared& state = prepared();
    {
        std::lock_guard<std::mutex> lock(state.Mutex);
        if (state.Started) return;
        state.Started = true;
    }
    // A plain thread: the framework's thread numbers (the program thread is 2) stay as they are.
    std::thread([&state] {
        std::vector<uint8_t> memory;
        fillvideomemory(memory);
        {
            std::lock_guard<std::mutex> lock(state.Mutex);
            state.Memory.swap(memory);
            state.Ready = true;
        }
        state.Done.notify_all();
    }).detach();
}
