// The virtual printer: its window set-up, the print operations and the update thread.
#include "auxwindows/printer.h"

#include "app/startup.h"
#include "core/clock.h"
#include "core/report.h"
#include "core/framework_state.h"
#include "core/wake_signal.h"
#include "host/host.h"

t_PrinterState printer;

namespace {

constexpr const char* nilmessage = "Virtual printer window is nil, resource undefined.";

// Counts every emptying of the printout, so that an update decoded before a clear is not
// shown after it. Guarded by printer.buffermutex.
int64_t printergeneration = 0;

// Never destroyed: the update thread may still sleep in it while the process exits.
t_UpdateSleep& updatesleep() {
    static auto* sleep = new t_UpdateSleep;
    return *sleep;
}

bool printerpresent(const char* operation) {
    if (host::textviewexists(printerwindow)) return true;
    reportfailure(operation, nilmessage);
    return false;
}

// Shows text in the view, appending when only new text was added so that the view keeps its
// place at the end of the printout and the desktop does not lay out the whole text again.
// Runs on the GUI thread, where no other printer change can come in between.
void showprintout(const std::string& text, int64_t generation) {
    host::runsync([&] {
        std::lock_guard<std::mutex> guard(printer.buffermutex);
        if (generation != printergeneration) return;
        const std::string& shown = printer.shownprintout;
        if (!shown.empty() && text.size() > shown.size() && text.compare(0, shown.size(), shown) == 0)
            host::appendtextviewtext(printerwindow, text.substr(shown.size()));
        else if (text != shown)
            host::settextviewtext(printerwindow, text);
        printer.shownprintout = text;
    });
}

void appendprintout(const uint8_t* bytes, size_t count) {
    if (!printer.printerready) {
        reportfailure("p_Print", "Virtual printer not initialized.");
        return;
    }
    std::lock_guard<std::mutex> guard(printer.buffermutex);
    printer.printerbuffer.insert(printer.printerbuffer.end(), bytes, bytes + count);
    printer.printerchanged = true;
    updatesleep().notechange();
}

// One update when the printout changed and the last update lies at least 101 ms back.
void updateprintout() {
    const int64_t now = steadymilliseconds();
    if (!printer.printerchanged || withininterval(printer.printerlastupdate, now, printerinterval)) return;
    printer.printerchanged = false;
    std::vector<uint8_t> copy;
    int64_t generation = 0;
    {
        std::lock_guard<std::mutex> guard(printer.buffermutex);
        copy = printer.printerbuffer;
        generation = printergeneration;
    }
    showprintout(printertext(copy), generation);
    printer.printerlastupdate = now;
    ++printer.printerupdates;
}

// Length of the well-formed UTF-8 sequence at bytes[i], 0 when there is none (overlong forms,
// surrogates and code points above U+10FFFF are not well formed).
size_t utf8sequence(const std::vector<uint8_t>& bytes, size_t i) {
    const uint8_t lead = bytes[i];
    if (lead < 0x80) return 1;
    size_t length = 0;
    uint8_t low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else return 0;
    if (bytes.size() - i < length) return 0;
    if (bytes[i + 1] < low || bytes[i + 1] > high) return 0;
    for (size_t k = 2; k < length; ++k)
        if ((bytes[i + k] & 0xC0) != 0x80) return 0;
    return length;
}

bool validutf8(const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = utf8sequence(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

void appendutf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

int hexdigit(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The character of the escape 27 hhhh 29 at bytes[i], or -1. A surrogate code names no
// character, so such an escape is shown as its bytes.
int32_t escapedcharacter(const std::vector<uint8_t>& bytes, size_t i) {
    if (bytes[i] != 27 || bytes.size() - i < 6 || bytes[i + 5] != 29) return -1;
    int32_t code = 0;
    for (size_t k = 1; k <= 4; ++k) {
        const int digit = hexdigit(bytes[i + k]);
        if (digit < 0) return -1;
        code = code * 16 + digit;
    }
    if (code >= 0xD800 && code <= 0xDFFF) return -1;
    return code;
}

}  // namespace

std::string printerruler() {
    std::string pattern;
    for (int64_t k = 1; k <= printercolumns / 10 + 1; ++k) {
        pattern += "....!....";
        pattern += static_cast<char>('0' + k % 10);
    }
    return "L" + pattern.substr(1, printercolumns - 2) + "R";
}

std::string printertext(const std::vector<uint8_t>& buffer) {
    if (validutf8(buffer)) return std::string(buffer.begin(), buffer.end());
    std::string text;
    text.reserve(buffer.size() * 2);
    for (size_t i = 0; i < buffer.size(); ++i) {
        const int32_t escaped = escapedcharacter(buffer, i);
        if (escaped >= 0) {
            appendutf8(text, static_cast<uint32_t>(escaped));
            i += 5;
        } else {
            appendutf8(text, buffer[i]);
        }
    }
    return text;
}

bool printerclear() {
    if (!host::textviewexists(printerwindow)) return false;
    host::runsync([] {
        std::lock_guard<std::mutex> guard(printer.buffermutex);
        ++printergeneration;
        printer.printerbuffer.clear();
        printer.shownprintout.clear();
        printer.printerchanged = false;
        host::settextviewtext(printerwindow, "");
    });
    return true;
}

void printersetup() {
    p_SetRuler(printerruler());
    // Qt's plain text view makes no automatic substitutions, so the printout is shown as printed.
    host::settextviewfont(printerwindow, "Menlo", 12);
    printerclear();
}

void p_InitPrinter() {
    if (!printerpresent("p_InitPrinter")) return;
    printersetup();
    printer.printerready = true;
    // Claimed here rather than by the new thread, so two quick calls cannot start two threads.
    bool expected = false;
    if (printer.printerupdaterunning.compare_exchange_strong(expected, true))
        startasyncprocess(p_PrinterAutoUpdateProcess);
}

void p_SetRuler(const std::string& text) {
    if (!printerpresent("p_SetRuler")) return;
    host::setrulertext(printerwindow, text);
}

void p_SetPrinter(const std::string& text) {
    if (!printerpresent("p_SetPrinter")) return;
    host::runsync([&] {
        std::lock_guard<std::mutex> guard(printer.buffermutex);
        host::settextviewtext(printerwindow, text);
        printer.shownprintout = text;
    });
}

void p_Print(const std::string& text) {
    appendprintout(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void p_Print(const std::vector<uint8_t>& bytes) { appendprintout(bytes.data(), bytes.size()); }

void p_PrinterAutoUpdateProcess() {
    const int64_t number = threadnumber();
    logline("p_PrinterAutoUpdateProcess: Start as thread #" + std::to_string(number));
    if (number >= 3) namethread("p_PrinterAutoUpdate");
    // p_InitPrinter set the running flag before the start, so a stop right after it is kept.
    while (printer.printerupdaterunning) {
        updateprintout();
        updatesleep().betweenpasses(printer.printerchanged, printer.printerupdaterunning,
                                    printer.printerlastupdate + printerinterval - steadymilliseconds());
    }
    logline("p_PrinterAutoUpdateProcess: End.");
}

void stopprinterupdate() {
    printer.printerupdaterunning = false;
    updatesleep().wake();
}
