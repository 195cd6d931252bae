// What a scripted run writes for the printer and the console: their text as the windows show
// it once the last update has landed, whether or not the windows are on screen.
#include "auxwindows/console.h"
#include "auxwindows/printer.h"
#include "host/framework_calls.h"

namespace hostcalls {

bool textwindowtranscript(int window, std::string& text) {
    if (window == printerwindow && printer.printerready) {
        std::lock_guard<std::mutex> guard(printer.buffermutex);
        // The printout; or, when nothing was printed since, the text p_SetPrinter put there.
        text = printer.printerbuffer.empty() ? printer.shownprintout : printertext(printer.printerbuffer);
        return true;
    }
    if (window == consolewindow && console.consoleready) {
        std::lock_guard<std::mutex> guard(console.buffermutex);
        text = printertext(console.consolebuffer);
        return true;
    }
    return false;
}

}  // namespace hostcalls
