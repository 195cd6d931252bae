#include "core/framework_state.h"

#include <utility>

#include "host/host.h"

t_FrameworkState framework;

namespace {
std::recursive_mutex frameworkmutex;
thread_local int lockdepth = 0;

std::mutex handlermutex;
std::function<void()> savegraphichandler;  // guarded by handlermutex; empty: the program has none
}  // namespace

FrameworkLock::FrameworkLock() {
    frameworkmutex.lock();
    ++lockdepth;
}

FrameworkLock::~FrameworkLock() {
    --lockdepth;
    frameworkmutex.unlock();
}

int frameworklockdepth() { return lockdepth; }

int releaseframeworklock() {
    const int depth = lockdepth;
    for (int i = 0; i < depth; ++i) frameworkmutex.unlock();
    lockdepth = 0;
    return depth;
}

void reacquireframeworklock(int depth) {
    for (int i = 0; i < depth; ++i) frameworkmutex.lock();
    lockdepth = depth;
}

void setsavegraphichandler(std::function<void()> handler) {
    std::lock_guard<std::mutex> lock(handlermutex);
    savegraphichandler = std::move(handler);
}

// A copy taken under the lock runs, so a handler may replace itself, and a replacement meanwhile
// never frees the closure that is running.
bool runsavegraphichandler() {
    std::function<void()> handler;
    {
        std::lock_guard<std::mutex> lock(handlermutex);
        handler = savegraphichandler;
    }
    if (!handler) return false;
    handler();
    return true;
}

void resetframeworkfortests() {
    FrameworkLock lock;
    framework.memoryinitialized = false;
    framework.frameworkready = false;
    framework.mainwindow = nowindow;
    framework.quitting = false;
    framework.windows = {};
    framework.videomemory.clear();
    framework.videomemoryfilled = videomemorysize;
    framework.highmemory = videomemorytop;
}
