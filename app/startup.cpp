// initmxtools, the framework's thread numbers and names, and the two ways to start a thread.
#include "app/startup.h"

#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/thread_entry.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "host/host.h"
#include "windows/video_memory.h"

namespace {

// The program-thread start slot: one start at a time, picked up by the new thread.
struct t_StartSlot {
    std::atomic<bool> startpending{false};
    int64_t startstacksize = 0;
    std::function<void()> function = [] {};  // written before the thread starts, read by it
};
t_StartSlot startslot;

std::atomic<int64_t> lastthreadnumber{1};  // the GUI thread is 1
thread_local int64_t currentthreadnumber = 0;

struct t_ThreadStart {
    std::function<void()> Function;
    int64_t Number = 0;
};

void* threadmain(void* argument) {
    t_ThreadStart* start = static_cast<t_ThreadStart*>(argument);
    currentthreadnumber = start->Number;
    std::function<void()> function = std::move(start->Function);
    delete start;
    runframeworkthread(function);
    return nullptr;
}

// Creates a detached thread with its own framework number; false when the system refuses.
bool spawnthread(std::function<void()> function, int64_t stacksize, std::string& error) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    int result = 0;
    if (stacksize > 0) result = pthread_attr_setstacksize(&attributes, static_cast<size_t>(stacksize));
    auto* start = new t_ThreadStart{std::move(function), 0};
    pthread_t thread;
    if (result == 0) {
        start->Number = ++lastthreadnumber;
        result = pthread_create(&thread, &attributes, threadmain, start);
    }
    pthread_attr_destroy(&attributes);
    if (result != 0) {
        delete start;
        error = std::strerror(result);
        return false;
    }
    return true;
}

// Frees the slot for the next start and wakes a caller waiting for it.
void releasestartslot() {
    startslot.function = [] {};
    startslot.startpending = false;
    startslot.startpending.notify_all();
}

}  // namespace

void initmxtools() {
    logline("initmxtools: Start.");
    for (int c = 0; c < 256; ++c) {
        framework.uppercasetable[c] = static_cast<uint8_t>(c);
        framework.lowercasetable[c] = static_cast<uint8_t>(c);
        framework.hexvalues[c] = -1;
    }
    const auto inlower = [](int c) {
        return (c >= 97 && c <= 122) || (c >= 224 && c <= 228) || (c >= 231 && c <= 246) || (c >= 249 && c <= 252);
    };
    for (int c = 0; c < 256; ++c) {
        if (inlower(c)) framework.uppercasetable[c] = static_cast<uint8_t>(c - 32);
        if (inlower(c + 32)) framework.lowercasetable[c] = static_cast<uint8_t>(c + 32);
    }
    for (int i = 0; i < 16; ++i) {
        const uint8_t digit = static_cast<uint8_t>(i < 10 ? 48 + i : 55 + i);
        framework.hexdigits[i] = digit;
        framework.hexvalues[framework.uppercasetable[digit]] = i;
        framework.hexvalues[framework.lowercasetable[digit]] = i;
    }
    srandom(static_cast<unsigned>(std::time(nullptr) & 0x7FFFFFFF));
    framework.mxtoolsinitialized = true;
    logline("initmxtools: End.");
}

int64_t threadnumber() { return host::isguithread() ? 1 : currentthreadnumber; }

void namethread(const std::string& name) {
    const std::string cut = name.substr(0, 15);  // the system refuses longer names
    pthread_setname_np(pthread_self(), cut.c_str());
}

void startprocess(std::function<void()> function, int64_t stacksize) {
    // A start still pending owns the slot until its thread has taken the function out.
    for (bool expected = false; !startslot.startpending.compare_exchange_weak(expected, true); expected = false)
        startslot.startpending.wait(true);
    startslot.startstacksize = stacksize;
    startslot.function = std::move(function);
    bool started = false;
    std::string error;
    host::runsync([&] {
        started = spawnthread([] {
            std::function<void()> picked = std::move(startslot.function);
            releasestartslot();
            picked();
        }, startslot.startstacksize, error);
    });
    if (!started) {
        releasestartslot();
        reportfailure("startprocess", "Thread could not be created (" + error + ").");
    }
}

void startasyncprocess(std::function<void()> function) {
    std::string error;
    if (!spawnthread(std::move(function), 0, error))
        reportfailure("startasyncprocess", "Thread could not be created (" + error + ").");
}
