// The framework's process-wide state: the window table, video memory, readiness flags,
// palette and character tables, and the one framework lock that guards them.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "core/untouched_allocator.h"
#include "core/window_record.h"

constexpr int64_t videomemorysize = 0x100000F;      // 16,777,231 bytes
constexpr int64_t videomemorytop = 0xFFFFFF;        // highest address a block may use
constexpr int64_t reservedmemory = 0x10000;         // lowest 64 KB are never allocated

constexpr int hostwindowcount = 13;

struct t_FrameworkState {
    // Flags read by every thread; set once by t_InitMemory / the launch sequence.
    std::atomic<bool> memoryinitialized{false};
    std::atomic<bool> frameworkready{false};
    std::atomic<bool> autoupdaterunning{false};  // clearing it ends the refresh thread
    std::atomic<bool> mxtoolsinitialized{false};
    std::atomic<bool> applaunched{false};
    std::atomic<bool> appactive{false};          // written on the GUI thread
    std::atomic<uint8_t> mainwindow{nowindow};   // first window ever created, set once
    // The application began to quit (applicationWillTerminate): from now on nothing waits for a
    // key, a menu choice or a dialog, since no event loop will deliver them.
    std::atomic<bool> quitting{false};

    // Guarded by frameworkmutex. Written by the program thread, read by views and refresh.
    std::array<t_Window, windowcount> windows{};
    // Empty until t_InitMemory. Its bytes are 0xFF from videomemoryfilled up, apart from window
    // pixels placed there, which were left the untouched zero pages they came as; below the mark
    // the pages are untouched, filled as blocks are placed there (nothing reads a free byte).
    std::vector<uint8_t, t_UntouchedAllocator<uint8_t>> videomemory;
    int64_t videomemoryfilled = videomemorysize;
    int64_t highmemory = videomemorytop;         // highest free address of video memory

    std::atomic<int64_t> titleheight{0};         // measured at launch on the GUI thread

    // Built by initmxtools before the program thread starts; read-only afterwards.
    std::array<uint8_t, 256> uppercasetable{};
    std::array<uint8_t, 256> lowercasetable{};
    std::array<uint8_t, 16> hexdigits{};
    std::array<int64_t, 256> hexvalues{};

    // Replaceable by the user program before it uses it (setterminatehandler).
    std::function<void()> terminatehandler = [] {};
};

extern t_FrameworkState framework;

constexpr std::array<uint8_t, 16> palettered{0x00, 0xFF, 0x00, 0xFF, 0x00, 0x54, 0x00, 0x00,
                                             0x80, 0xFF, 0xA8, 0xFF, 0x00, 0xFF, 0x00, 0xFF};
constexpr std::array<uint8_t, 16> palettegreen{0x00, 0x00, 0x00, 0x00, 0x80, 0x54, 0x00, 0x80,
                                               0x40, 0x80, 0xA8, 0x80, 0xFF, 0xFF, 0xFF, 0xFF};
constexpr std::array<uint8_t, 16> paletteblue{0x00, 0x00, 0x80, 0xFF, 0x00, 0x54, 0xFF, 0xFF,
                                              0x00, 0x00, 0xA8, 0x80, 0x00, 0x00, 0xFF, 0xFF};

inline t_RGBColor palettecolor(int index) {  // opaque palette colour, index taken modulo 16
    index &= 15;
    return t_RGBColor{255, palettered[index], palettegreen[index], paletteblue[index]};
}

// The one lock over the window table and video memory. Recursive, because public operations
// call each other; the depth is counted per thread so that a hand-over to the GUI thread can
// let go of it completely (the GUI thread may be waiting for it to paint).
class FrameworkLock {
public:
    FrameworkLock();
    ~FrameworkLock();
    FrameworkLock(const FrameworkLock&) = delete;
    FrameworkLock& operator=(const FrameworkLock&) = delete;
};

int frameworklockdepth();                  // how often the calling thread holds the lock
int releaseframeworklock();                // lets go completely, answers the depth it had
void reacquireframeworklock(int depth);    // takes it again to the given depth

// Releases the lock for the scope of a hand-over or a sleep, and takes it back afterwards.
class FrameworkUnlock {
public:
    FrameworkUnlock() : depth(releaseframeworklock()) {}
    ~FrameworkUnlock() { reacquireframeworklock(depth); }
    FrameworkUnlock(const FrameworkUnlock&) = delete;
    FrameworkUnlock& operator=(const FrameworkUnlock&) = delete;
private:
    int depth;
};

// The save-graphic menu command's handler (setsavegraphichandler replaces it). The program
// replaces it on its own thread while the GUI thread may be calling it, so it lives under a lock
// of its own, like the event handlers.
// Calls the program's handler on the calling thread, outside the lock; false when it has none
// (the caller then sounds the alert).
bool runsavegraphichandler();

void resetframeworkfortests();  // back to the state at process start (tests only)
