// The host contract: everything the framework needs from the desktop, in plain types.
// Windows are named by the framework's numbers (0-7 graphic, 8 pasteboard, 9 printer,
// 10 console, 11 preferences, 12 main window). Coordinates are the framework's own: screen
// origin at the lower left, a window frame that includes its title bar.
// Every function may be called from any thread: those that touch host objects hand their
// work to the GUI thread and wait, letting go of the framework lock meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace host {

struct t_Frame {
    int64_t X = 0, Y = 0, Width = 0, Height = 0;
};

// Columns Left..Right-1 of rows Top..Bottom-1 of a window image (origin top left); empty when
// Left >= Right or Top >= Bottom.
struct t_PixelArea {
    int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool empty() const { return Left >= Right || Top >= Bottom; }
};

// --- application and threads --------------------------------------------------------------
// A run without a person: keys typed from a script, pictures and screens written at the end.
struct t_ScriptedRun {
    bool Enabled = false;
    std::string Keys;          // typing notation, see app/command_line.h
    int64_t PaceMs = 50;
    std::string OutputFolder;  // empty: write nothing
    int64_t TimeoutMs = 60000;
    std::string RecordPath;    // empty: no recording; else the main window's GIF
};
void setscriptedrun(const t_ScriptedRun& run);  // before runapplication; runs offscreen
int runapplication(int argc, char** argv);  // runs the event loop until the user quits; exit code
void quitapplication(int code);             // ends the event loop (applicationWillTerminate runs)
bool isguithread();                         // true on the thread that runs the event loop
void runsync(const std::function<void()>& job);  // on the GUI thread, waits; at once when on it
void runasync(std::function<void()> job);         // queues the job for the GUI thread
std::string applicationpath();             // path of the running program file

// --- host windows ---------------------------------------------------------------------------
bool windowexists(int window);             // a host window is there for the number
bool viewexists(int window);               // windows 0-7: the graphic view is there
t_Frame windowframe(int window);           // frame including the title bar
void setwindowframe(int window, t_Frame frame);  // moves and sizes, redraws at once
void setviewframe(int window, t_Frame frame);    // view inside its window, origin lower left
t_Frame screenframe(int window);           // the screen that holds the window
// Height of a titled window's title: the window manager's title bar (once a shown window has
// told it) plus the menu bar inside the window.
int64_t titlebarheight();
int64_t windowtitleheight(int window);     // the same for one window; 0 when it is title-less
std::string windowtitle(int window);
void setwindowtitle(int window, const std::string& title);
void setwindowtitled(int window, bool titled);   // titled, closable, miniaturizable or borderless
void showwindow(int window, bool visible);       // orders to the front or out
bool windowisvisible(int window);
void makekeywindow(int window);                  // key window and to the front
void centerwindow(int window);
int frontwindow();                         // the framework window that last had focus, 255 none
void setwindowbackground(int window, uint32_t argb);  // colour around the drawing area
// Shows hostcalls::windowtitlemark after the window's title (windowtitle answers without it).
void refreshwindowtitlemark(int window);
void markviewfordisplay(int window);       // redraw at the next display pass
// Redraws only what covers `area` of the window's image (imagewidth x imageheight pixels).
void markviewarea(int window, t_PixelArea area, int64_t imagewidth, int64_t imageheight);
void displayviewnow(int window);           // redraw before returning

// --- zoom and full screen of graphic windows 0-7 ----------------------------------------------------
// A zoomed window is sized by setwindowframe and setviewframe like any other: its view draws the
// window image over the whole view, each pixel a whole block of screen pixels when the view is a
// whole multiple of the image.
t_Frame screenarea(int window);            // the part of its screen windows may use (no panels)
// On: no title or menu bar, covering the whole screen (screenframe); the caller places the view.
// Off: the title and menu bar back when titled; the caller sets the frame it returns to.
void setwindowfullscreen(int window, bool on, bool titled);

// --- text windows 8-10 ------------------------------------------------------------------------
bool textviewexists(int window);
std::string textviewtext(int window);
void settextviewtext(int window, const std::string& text);
void appendtextviewtext(int window, const std::string& text);  // and scrolls to the end
void setrulertext(int window, const std::string& text);
std::string rulertext(int window);
void settextviewfont(int window, const std::string& family, int points);
void setscrollviewsize(int window, int64_t width, int64_t height);  // -1 keeps a dimension
// Places the text view's scroll view (window coordinates, origin lower left) and the ruler above it.
void layouttextwindow(int window, t_Frame scroll, int64_t rulerwidth);

// --- sound, clipboard ---------------------------------------------------------------------------
// The audio output and the sound-file decoder live in a module loaded at the first use; every
// call may come from any thread and never needs the GUI thread.
// Fills interleaved 48 kHz frames and answers whether anything still sounds.
using t_AudioRender = bool (*)(float* stereo, int64_t frames);
// Starts the desktop's audio output, which from then on calls render on a thread of its own
// until the mix has been quiet for a second; false with the reason when there is no output
// (render is then never called).
bool openaudiooutput(t_AudioRender render, std::string& message);
void wakeaudiooutput();                    // something was queued: render is called again
void closeaudiooutput();                   // render is not called after it returns
struct t_AudioFileInfo {
    int64_t Rate = 0;                      // frames a second
    int64_t Channels = 0;                  // 1-8
};
using t_AudioFile = void*;
// A sound file opened for reading as float frames; nullptr with the reason when it cannot be read.
t_AudioFile openaudiofile(const std::string& path, t_AudioFileInfo& info, std::string& message);
int64_t readaudiofile(t_AudioFile file, float* frames, int64_t count);  // interleaved; 0 at the end
void closeaudiofile(t_AudioFile file);
void beep();                               // the desktop's own alert
std::string clipboardtext();               // plain text on the clipboard, "" when none
void setclipboardtext(const std::string& text);
void setclipboardimage(const uint32_t* pixels, int width, int height);  // 0xAARRGGBB rows

}  // namespace host
