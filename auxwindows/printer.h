// The virtual printer: window 9, a 160-column ruler above a text view that shows the printout.
// Printing only appends to a byte buffer; a background thread copies the buffer into the text
// view at most every 101 ms, so a program prints at full speed without waiting for the desktop.
// The thread sleeps while nothing is printed and wakes at the first print.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct t_PrinterState {
    std::mutex buffermutex;                       // guards printerbuffer and shownprintout
    std::vector<uint8_t> printerbuffer;           // the printout; appended by the printing thread
    std::string shownprintout;                    // what the text view holds; update thread and clears
    std::atomic<bool> printerchanged{false};      // set by printing, cleared by the update thread
    std::atomic<bool> printerupdaterunning{false};  // clearing it ends the update thread
    std::atomic<bool> printerready{false};        // p_InitPrinter found the text view
    std::atomic<int64_t> printerlastupdate{0};    // steady ms of the last text-view update
    std::atomic<int64_t> printerupdates{0};       // text-view updates so far (for diagnostics)
};

extern t_PrinterState printer;

constexpr int64_t printercolumns = 160;
constexpr int64_t printerinterval = 101;  // ms between two text-view updates at the least

void p_PrinterAutoUpdateProcess();               // body of the update thread; runs until stopped
void stopprinterupdate();                        // ends the update thread at once (p_InitPrinter restarts it)

void printersetup();                             // ruler, text view font, empty text and buffer
bool printerclear();                             // empties buffer and text view; false without a view
std::string printerruler();                      // "L....!....1....!....2 ... 5....!....R", 160 wide
std::string printertext(const std::vector<uint8_t>& buffer);  // the buffer as UTF-8 for the view
