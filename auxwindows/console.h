// The system console: window 10, a ruler above a text view that shows what a program writes to
// it. Like the printer, writing only appends to a byte buffer; a background thread copies the
// buffer into the text view at most every 101 ms.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct t_ConsoleState {
    std::mutex buffermutex;                       // guards consolebuffer, shownconsole, generation
    std::vector<uint8_t> consolebuffer;           // what was written; appended by any thread
    std::string shownconsole;                     // what the text view holds (GUI thread, under the mutex)
    int64_t generation = 0;                       // counts clears, so no update from before one lands after it
    std::atomic<bool> consolechanged{false};      // set by writing, cleared by the update thread
    std::atomic<bool> consoleupdaterunning{false};  // clearing it ends the update thread
    std::atomic<bool> consoleready{false};        // set up once, by the first write
    std::atomic<int64_t> consolelastupdate{0};    // steady ms of the last text-view update
};

extern t_ConsoleState console;

constexpr int64_t consoleinterval = 101;          // ms between two text-view updates at the least
// Most bytes the console keeps: beyond it the oldest lines go, so a program that writes for
// hours neither fills memory nor makes each update copy an ever longer text.
constexpr size_t consolebufferbound = 1 << 20;

void c_ConsoleAutoUpdateProcess();                // body of the update thread; runs until stopped
void stopconsoleupdate();                         // ends the update thread at once

bool consoleclear();                              // empties buffer and text view; false without a view
