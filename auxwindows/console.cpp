// The system console: writing into its buffer, the update thread and clearing.
#include "auxwindows/console.h"

#include <algorithm>

#include "app/startup.h"
#include "auxwindows/printer.h"
#include "core/clock.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "core/wake_signal.h"
#include "host/host.h"

t_ConsoleState console;

namespace {

constexpr const char* nilmessage = "System console window is nil, resource undefined.";

// Never destroyed: the update thread may still sleep in it while the process exits.
t_UpdateSleep& updatesleep() {
    static auto* sleep = new t_UpdateSleep;
    return *sleep;
}

// Ruler, font and an empty text once, then the update thread. Claimed by a flag so that two
// threads writing at the same moment cannot start two update threads.
void consolesetup() {
    bool expected = false;
    if (!console.consoleready.compare_exchange_strong(expected, true)) return;
    host::setrulertext(consolewindow, printerruler());
    host::settextviewfont(consolewindow, "Menlo", 12);
    console.consoleupdaterunning = true;
    startasyncprocess(c_ConsoleAutoUpdateProcess);
}

// Drops the oldest whole lines once the buffer passes its bound, down to three quarters of it,
// so that trimming happens rarely and never splits a character.
void trimconsole(std::vector<uint8_t>& buffer) {
    if (buffer.size() <= consolebufferbound) return;
    const size_t excess = buffer.size() - consolebufferbound * 3 / 4;
    auto cut = std::find_if(buffer.begin() + static_cast<std::ptrdiff_t>(excess), buffer.end(),
                            [](uint8_t b) { return b == 10 || b == 13; });
    if (cut != buffer.end()) {
        ++cut;
    } else {
        cut = buffer.begin() + static_cast<std::ptrdiff_t>(excess);
        while (cut != buffer.end() && (*cut & 0xC0) == 0x80) ++cut;  // not inside a UTF-8 sequence
    }
    buffer.erase(buffer.begin(), cut);
}

void appendconsole(const uint8_t* bytes, size_t count) {
    // The text view is looked for once: host windows are never closed, so it stays.
    if (!console.consoleready && !host::textviewexists(consolewindow)) {
        reportfailure("c_Print", nilmessage);
        return;
    }
    consolesetup();
    std::lock_guard<std::mutex> guard(console.buffermutex);
    console.consolebuffer.insert(console.consolebuffer.end(), bytes, bytes + count);
    trimconsole(console.consolebuffer);
    console.consolechanged = true;
    updatesleep().notechange();
}

// Shows text in the view, appending when only new text was added so that the view keeps its
// place at the end. Runs on the GUI thread, where no clear can come in between.
void showconsole(const std::string& text, int64_t generation) {
    host::runsync([&] {
        std::lock_guard<std::mutex> guard(console.buffermutex);
        if (generation != console.generation) return;
        const std::string& shown = console.shownconsole;
        if (!shown.empty() && text.size() > shown.size() && text.compare(0, shown.size(), shown) == 0)
            host::appendtextviewtext(consolewindow, text.substr(shown.size()));
        else if (text != shown)
            host::settextviewtext(consolewindow, text);
        console.shownconsole = text;
    });
}

void updateconsole() {
    const int64_t now = steadymilliseconds();
    if (!console.consolechanged || withininterval(console.consolelastupdate, now, consoleinterval)) return;
    console.consolechanged = false;
    std::vector<uint8_t> copy;
    int64_t generation = 0;
    {
        std::lock_guard<std::mutex> guard(console.buffermutex);
        copy = console.consolebuffer;
        generation = console.generation;
    }
    showconsole(printertext(copy), generation);
    console.consolelastupdate = now;
}

}  // namespace

void c_Print(const std::string& text) {
    appendconsole(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void c_Print(const std::vector<uint8_t>& bytes) { appendconsole(bytes.data(), bytes.size()); }

void c_ConsoleAutoUpdateProcess() {
    const int64_t number = threadnumber();
    logline("c_ConsoleAutoUpdateProcess: Start as thread #" + std::to_string(number));
    if (number >= 3) namethread("c_ConsoleAutoUpdate");
    while (console.consoleupdaterunning) {
        updateconsole();
        updatesleep().betweenpasses(console.consolechanged, console.consoleupdaterunning,
                                    console.consolelastupdate + consoleinterval - steadymilliseconds());
    }
    logline("c_ConsoleAutoUpdateProcess: End.");
}

void stopconsoleupdate() {
    console.consoleupdaterunning = false;
    updatesleep().wake();
}

bool consoleclear() {
    if (!host::textviewexists(consolewindow)) return false;
    host::runsync([] {
        std::lock_guard<std::mutex> guard(console.buffermutex);
        ++console.generation;
        console.consolebuffer.clear();
        console.shownconsole.clear();
        console.consolechanged = false;
        host::settextviewtext(consolewindow, "");
    });
    return true;
}
