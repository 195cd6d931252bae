#include "windows/video_memory.h"

#include "core/framework_state.h"
#include "core/report.h"

void t_InitMemory() {
    if (framework.memoryinitialized.exchange(true)) return;
    logline("t_InitMemory: Start.");
    {
        FrameworkLock lock;
        framework.highmemory = videomemorytop;
        framework.videomemory.assign(static_cast<size_t>(videomemorysize), 0xFF);
        framework.windows = {};
    }
    framework.frameworkready = true;
    logline("t_InitMemory: End.");
}
