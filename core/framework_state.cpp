#include "core/framework_state.h"

t_FrameworkState framework;

namespace {
std::recursive_mutex frameworkmutex;
thread_local int lockdepth = 0;
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

void resetframeworkfortests() {
    FrameworkLock lock;
    framework.memoryinitialized = false;
    framework.frameworkready = false;
    framework.mainwindow = nowindow;
    framework.windows = {};
    framework.videomemory.clear();
    framework.highmemory = videomemorytop;
}
