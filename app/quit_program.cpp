// t_QuitProgram: the program's own way to end its thread, leaving its windows on screen.
#include <chrono>
#include <string>
#include <thread>

#include "app/startup.h"
#include "app/thread_entry.h"
#include "core/report.h"
#include "host/host.h"
#include "text/text_areas.h"
#include "text/text_colors.h"
#include "text/text_output.h"
#include "windows/display_refresh.h"
#include "windows/window_colors.h"

void t_QuitProgram(uint8_t window) {
    // Only a thread the framework started can be unwound to its entry; ending any other
    // (the GUI thread above all) would take the application down with it.
    if (host::isguithread()) {
        reportfailure("t_QuitProgram", "The GUI thread cannot be ended.");
        return;
    }
    if (!inframeworkthread()) {
        reportfailure("t_QuitProgram", "Thread was not started by the framework.");
        return;
    }
    logpart("t_QuitProgram: Quitting current thread");
    if (window < 13 && host::windowexists(window)) {
        t_FullArea(window);
        t_CursorEnd(window);
        t_Htab(window, 1);
        t_DisplayMode(window, 0);
        t_Normal(window);
        t_Color(window, 1);
        t_Print(window, std::string("(Programm Ende)"));
        t_WindowUpdate(window, false);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        logpart(" with message in window #" + std::to_string(window));
    }
    logline(".");
    endframeworkthread();
}
