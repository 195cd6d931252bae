// The framework's menu commands: copy, save graphic, clear the printer or console, show and hide
// windows. They run on the GUI thread, so every host call here is done at once.
#include "events/menu_commands.h"

#include <algorithm>

#include "auxwindows/console.h"
#include "auxwindows/printer.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "events/menus.h"
#include "graphics/file_panels.h"
#include "graphics/window_image.h"
#include "host/host.h"
#include "recording/recording.h"
#include "sound/alert.h"
#include "text/text_areas.h"
#include "windows/window_placement.h"

namespace {

constexpr const char* handlername = "t_MenuEventHandler";
constexpr const char* printernil = "Virtual printer window is nil, resource undefined.";
constexpr const char* consolenil = "System console window is nil, resource undefined.";

void failwith(const std::string& message) {
    reportfailure(handlername, message);
    playalert();
}

bool isgraphicwindow(int window) { return window >= 0 && window < windowcount; }

// The desktop's plain text ends lines with a line feed; the screen read-back ends them with 13.
std::string desktoplines(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

// A file dialog with the entry's texts; the chosen path and its last component go back into the
// entry, where the program reads them (both empty when the user cancels).
void filedialog(t_MenuAction entry, bool save) {
    const std::string path = save ? filesavepanel(entry.FileName, entry.Title, entry.Note, entry.FileTypes)
                                  : fileopenpanel(entry.Title, entry.Note, entry.FileTypes, true, false);
    const size_t slash = path.rfind('/');
    entry.FilePath = path;
    entry.FileName = slash == std::string::npos ? path : path.substr(slash + 1);
    updatemenuaction(entry);
}

// The printer's and console's text goes the same way as a screen's: their printouts carry the
// framework's block-graphic characters too.
void copytext() {
    const int front = host::frontwindow();
    if (isgraphicwindow(front)) {
        host::setclipboardtext(desktoplines(pastetext(t_GetScreen(static_cast<uint8_t>(front), "\r"))));
    } else if (front == printerwindow || front == consolewindow) {
        if (!host::textviewexists(front)) {
            failwith(front == printerwindow ? printernil : consolenil);
            return;
        }
        host::setclipboardtext(desktoplines(pastetext(host::textviewtext(front))));
    } else {
        playalert();
    }
}

void copypicture() {
    const int front = host::frontwindow();
    const std::optional<t_Image> image =
        isgraphicwindow(front) ? t_WindowImageCopy(static_cast<uint8_t>(front)) : std::nullopt;
    if (!image) {
        playalert();
        return;
    }
    host::setclipboardimage(image->Pixels.data(), static_cast<int>(image->Width), static_cast<int>(image->Height));
}

void savegraphiccommand() {
    if (!isgraphicwindow(host::frontwindow()) || !runsavegraphichandler()) playalert();
}

void clearprinter() {
    if (!printerclear()) failwith(printernil);
}

void clearconsole() {
    if (!consoleclear()) failwith(consolenil);
}

void hidefront() {
    const int front = host::frontwindow();
    if (front < 0 || front >= hostwindowcount) {
        playalert();  // no framework window has been in front yet
        return;
    }
    t_WindowVisible(static_cast<uint8_t>(front), false);
}

// Actions 213 to 228 act on a graphic window only when the program has created it.
void graphicwindowcommand(int64_t action) {
    const auto window = static_cast<uint8_t>((action - 213) / 2);
    bool initialized = false;
    {
        FrameworkLock lock;
        initialized = framework.frameworkready && framework.windows[window].Initialized;
    }
    if (!initialized) {
        failwith("Window #" + std::to_string(window) + " not initialized.");
        return;
    }
    if (action % 2 == 1) t_WindowFront(window);
    else t_WindowVisible(window, false);
}

// Actions 205 to 212, 229 and 230: front (odd) or hide (even) one of the host's own windows.
void hostwindowcommand(int64_t action) {
    uint8_t window = 0;
    switch (action) {
        case 205: case 206: window = applicationwindow; break;
        case 207: case 208: window = preferenceswindow; break;
        case 209: case 210: window = printerwindow; break;
        case 211: case 212: window = pasteboardwindow; break;
        case 229: case 230: window = consolewindow; break;
        default: return;
    }
    if (action % 2 == 1) t_WindowFront(window);
    else t_WindowVisible(window, false);
}

}  // namespace

void runmenucommand(const t_MenuAction& entry) {
    const int64_t action = entry.Action;
    switch (action) {
        case 100: filedialog(entry, false); return;
        case 101: filedialog(entry, true); return;
        case 110: copypicture(); return;
        case 111: copytext(); return;
        case 112: clearprinter(); return;
        case 113: savegraphiccommand(); return;
        case 114: clearconsole(); return;
        case 115: recordingmenucommand(); return;
        case 200:
            for (int window = 0; window < hostwindowcount; ++window) t_WindowVisible(static_cast<uint8_t>(window), false);
            return;
        case 201: hidefront(); return;
        default: break;
    }
    if (action >= zoomincommand && action <= fullscreencommand) runzoomcommand(action);
    else if (action >= 213 && action <= 228) graphicwindowcommand(action);
    else hostwindowcommand(action);
}
