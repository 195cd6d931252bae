// The calls the host makes into the framework, all on the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "host/host.h"

namespace hostcalls {

// Application delegate.
void applicationwillfinishlaunching();
void applicationdidfinishlaunching();
void applicationdidbecomeactive();
void applicationwillresignactive();
void applicationwillterminate();
bool windowshouldclose(int window);        // answers false: the window is hidden, never closed
// The window's frame in the framework's coordinates and the height of its title (window
// manager's title bar plus menu bar, 0 for a title-less window).
void windowdidresize(int window, int64_t width, int64_t height, int64_t titleheight);
void titleheightchanged(int64_t titleheight);  // the window manager's decoration is known or changed

bool programended();                       // the program thread has returned or quit
std::string programname();                 // how the program presents itself: "Stangenspiel"
std::string screentext(int window);        // the window's text screen, lines ended by "\n"
// The printer's (9) or the console's (10) text; false when the program never used that window.
bool textwindowtranscript(int window, std::string& text);
bool soundplaying();                       // something queued or sounding on a working output
bool endsoundrecording();                  // a scripted run's WAV file; false after its line

// Graphic views. viewimage hands the window's current image to draw while the framework lock
// is held; it does not call draw when the window has no image. A view that paints only a part
// of the image sets `painted` to it (image pixels) while it draws: changes outside it are
// painted with the next picture.
bool viewwantsupdatelayer(int window);
using t_ImageSink = std::function<void(const uint32_t* pixels, int width, int height)>;
void viewimage(int window, const t_ImageSink& draw, host::t_PixelArea* painted = nullptr);
void viewdrawstarted(int window);          // the view begins to copy the image (VerticalBlank)
void viewdrawfinished(int window);

// Keyboard and mouse, already translated to the classic codes (see DESIGN.md).
void viewkeydown(int window, int64_t keycode, const std::string& characters, int64_t modifiers);
void viewkeyup(int window, int64_t keycode, int64_t modifiers);
void viewflagschanged(int window, int64_t modifiers);
// x, y in the view's window with the origin at the lower left; button 0 left, 1 right.
void viewmousedown(int window, double x, double y, int button, int64_t buttonmask, int64_t modifiers);
void viewmouseup(int window, int button, int64_t modifiers);

// Recording: whether the window records (the menu item's title), what its title shows then,
// and the main window's recording of a scripted run (finishmainrecording: 0 or an errno).
bool windowrecording(int window);
std::string windowtitlemark(int window);
void recordmainwindow(const std::string& path);
int64_t finishmainrecording();

}  // namespace hostcalls
