// Stangenspiel: a window framework with the working conditions of a classic home computer.
//
// A program is one function that the framework runs on a thread of its own, the program
// thread. It draws into eight numbered graphic windows (0-7) whose pixels and character
// screens live in one simulated 16 MB video memory, reads single keys, answers mouse and menu
// events and writes to a virtual printer and a system console. Nothing is drawn at the moment
// of a call: a refresh thread shows what video memory holds, 30 times a second by default.
//
// Rules that hold for every operation below:
// - Call them from the program thread (or threads the program started with startprocess or
//   startasyncprocess). They are safe against the framework's own threads.
// - Misuse never throws and never crashes: the operation prints one line to standard output
//   that begins with its own name ("t_Htab: Window #3 not initialized.") and changes nothing;
//   a getter then answers 0, an empty string or an empty record.
// - Window numbers: 0-7 graphic windows; 8 clipboard viewer, 9 printer, 10 console,
//   11 preferences, 12 main window (the window-level operations accept 0-12).
// - Units: text columns, lines and string positions count from 1; pixels and video-memory
//   addresses from 0, with the origin of graphic memory at the top left. Screen coordinates of
//   window frames have their origin at the lower left of the screen.
// - Strings are UTF-8. Byte arrays (std::vector<uint8_t>) hold character codes 0-255 of the
//   framework's character set (Latin-1, with block graphics at 127-160).
/// @file stangenspiel.h
/// @brief The whole public interface of the Stangenspiel framework.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

/// Marks what the shared library exports; everything else in it stays hidden.
#define STANGENSPIEL_API __attribute__((visibility("default")))

// === Records ===================================================================================
// Plain values: a program gets copies, never references into the framework's state.

/// A colour as four bytes; the palette colours are opaque.
struct t_RGBColor {
    uint8_t Alpha = 255;  ///< 255 opaque
    uint8_t Red = 0;      ///< 0-255
    uint8_t Green = 0;    ///< 0-255
    uint8_t Blue = 0;     ///< 0-255
    bool operator==(const t_RGBColor&) const = default;  ///< equal when all four bytes are
};

/// A rectangle in pixels.
struct t_Rect {
    double X = 0;       ///< left edge
    double Y = 0;       ///< bottom edge
    double Width = 0;   ///< pixels
    double Height = 0;  ///< pixels
};

/// A bitmap font as loaded from a ".font" resource; empty Data means "no font" everywhere.
struct t_Font {
    int64_t HeaderSize = 16;                                    ///< bytes before the glyphs in the file
    // Made from the text: GCC 12 takes a brace list's hidden array here for uninitialised memory.
    std::vector<uint8_t> Identifier = std::vector<uint8_t>(std::begin("mxfn"), std::end("mxfn") - 1);  ///< "mxfn"
    int64_t Format = 0;     ///< 0 one bit, 2 grey per pixel; +100 LZW coded in the file
    int64_t Size = 0;       ///< bytes of glyph data
    uint8_t Start = 0;      ///< first character code with a glyph
    uint8_t End = 0;        ///< last character code with a glyph
    int64_t Width = 0;      ///< glyph cell width in pixels
    int64_t Height = 0;     ///< glyph cell height in pixels
    int64_t Reserved = 0;   ///< unused, kept from the file
    std::vector<uint8_t> Data;  ///< glyph k at k x Width x Height
};

/// Everything the framework knows about one graphic window; t_WindowRecord gives a copy.
struct t_Window {
    bool Initialized = false;    ///< created by t_InitWindow or t_InitGraphicWindow
    bool Visible = false;        ///< shown on the desktop
    bool IgnoreEvents = false;   ///< key and mouse events of the window are dropped
    bool AutoUpdate = false;     ///< the refresh thread redraws it at RefreshRate
    bool QuickUpdate = false;    ///< unused by the framework, kept for programs
    bool ScrollLock = false;     ///< scrolling the text area does nothing
    bool VerticalBlank = true;   ///< false while the view copies the picture
    int64_t UpdateStarted = 0;   ///< ms of the refresh thread's last mark
    int64_t UpdateFinished = 0;  ///< ms when the view last finished a picture
    int64_t UpdateDuration = 0;  ///< microseconds the last picture took
    int64_t RefreshRate = 30;    ///< redraws per second; 0 every refresh pass
    int Window = -1;             ///< the host window's number, -1 none
    int View = -1;               ///< the host view's number, -1 none
    t_Rect DrawingRect;          ///< the drawing area inside the host window
    int64_t TitleHeight = 0;     ///< pixels of title bar and menu bar above the content
    int64_t BorderWidth = 0;     ///< pixels left and right of the drawing area
    int64_t BorderHeight = 0;    ///< pixels above and below the drawing area
    t_RGBColor RGBColorBorder{255, 0, 0, 0};  ///< colour around the drawing area
    int64_t BitDepth = 0;        ///< 1, 4, 8, 16, 24 or 32 bits per pixel
    int64_t Width = 0;           ///< pixels
    int64_t Height = 0;          ///< pixels
    t_RGBColor RGBColor{255, 0, 0, 0};  ///< the drawing colour
    int64_t DrawingMode = 0;     ///< how g_Plot combines colours
    int64_t PositionX = 0;       ///< unused by the framework, kept for programs
    int64_t PositionY = 0;       ///< unused by the framework, kept for programs
    int64_t MemoryStart = -1;    ///< first byte of the pixels in video memory, -1 none
    int64_t MemoryEnd = -1;      ///< last byte of the pixel block, -1 none
    t_Font Font;                 ///< the text font; empty Data: no text screen
    int64_t TextWidth = 0;       ///< columns of the text screen
    int64_t TextHeight = 0;      ///< lines of the text screen
    int64_t TextFirstColumn = 0; ///< the text area's first column
    int64_t TextLastColumn = 0;  ///< the text area's last column
    int64_t TextFirstLine = 0;   ///< the text area's first line
    int64_t TextLastLine = 0;    ///< the text area's last line
    int64_t TextHpos = 0;        ///< cursor column
    int64_t TextVpos = 0;        ///< cursor line
    uint8_t TextColor = 0;       ///< foreground index x 16 + background index
    bool TextInverse = false;    ///< inverse video on
    int64_t TextDisplayMode = 0; ///< 0-4 or 99, see t_DisplayMode
    int64_t TextCursorLevel = 0; ///< the cursor shows at level 1 and above
    int64_t TextRedirectOutput = 1;  ///< 1 window, 2 standard output, other: dropped
    std::string InputString;     ///< the line t_InputLine is reading, or read last
    bool InputFinished = false;  ///< the last line input ended with Return
    int64_t InputMode = 0;       ///< 1 a line, 2 a number being read; 0 none
    int64_t InputHpos = 0;       ///< column of the line's first character
    int64_t InputVpos = 0;       ///< line of the line's first character
    int64_t InputCursorPos = 0;  ///< input cursor's position in the line, from 1
    int64_t InputMaxCharacters = 0;  ///< most characters the line may hold
    int64_t LoResOffsetX = 0;    ///< unused by the framework, kept for programs
    int64_t LoResOffsetY = 0;    ///< unused by the framework, kept for programs
    int64_t LoResMode = 0;       ///< unused by the framework, kept for programs
    int64_t TextMemoryStart = -1;  ///< first byte of the text block, -1 no text screen
    int64_t TextMemoryEnd = -1;    ///< last byte of the text block, -1 no text screen
};

/// One key (Kind 1) or mouse (Kind 2) event; a record of all zeros means "none".
struct t_Event {
    int64_t Kind = 0;           ///< 1 key, 2 mouse, 0 none
    int64_t Index = 0;          ///< key: virtual key code; mouse: pressed button mask
    std::string Description;    ///< key: the characters the desktop reported
    int64_t Value = 0;          ///< key: character code of the framework's character set
    int64_t WindowX = 0;        ///< mouse: position in the host window, origin lower left
    int64_t WindowY = 0;        ///< mouse: position in the host window, origin lower left
    int64_t ClickX = 0;         ///< mouse: pixel column of the graphic area; -1 left of it, -2 right
    int64_t ClickY = 0;         ///< mouse: pixel row from the top; -1 above, -2 below
    int64_t Mods = 0;           ///< the modifier word shifted right by 16
    uint8_t Window = 0;         ///< the window the event belongs to
    int64_t Time = 0;           ///< ms since 2001-01-01
    bool CloseBox = false;      ///< mouse: the close box was clicked
    bool CapsLockPressed = false;    ///< Caps Lock was on
    bool ShiftPressed = false;       ///< Shift was down
    bool ControlPressed = false;     ///< Control was down
    bool OptionPressed = false;      ///< Option (Alt) was down
    bool CommandPressed = false;     ///< Command (Meta) was down
    bool NumericPadPressed = false;  ///< the key is on the numeric keypad
    bool HelpPressed = false;        ///< the Help key
    bool FnPressed = false;          ///< the Fn key
    bool CursorKeyPressed = false;   ///< one of the four cursor keys
    bool FunctionKeyPressed = false; ///< a function key F1 and up
};

/// One chosen menu item (Kind 3; 0 for an item that belongs to no menu).
struct t_MenuEvent {
    int64_t Kind = 0;           ///< 3 menu item, 0 none
    std::string MenuTitle;      ///< the menu that holds the item
    std::string ItemTitle;      ///< the item's title
    std::string ItemKeyChar;    ///< its shortcut key as text, empty without one
    uint64_t ItemKeyMods = 0;   ///< the shortcut's modifier word
    int64_t ItemKeyAsc = 0;     ///< first Unicode scalar of ItemKeyChar, 0 when empty
    int64_t ItemAction = 0;     ///< the item's tag
    int64_t Time = 0;           ///< ms since 2001-01-01
};

/// One entry of the menu action table: the tag that selects it and its framework command.
struct t_MenuAction {
    int64_t Tag = 0;            ///< the menu item's tag
    int64_t Action = 0;         ///< the framework command it runs
    std::string Title;          ///< file dialog title
    std::string Note;           ///< file dialog message
    std::string FileName;       ///< default name; after a dialog the chosen path's last component
    std::string FileTypes;      ///< comma-separated extensions, empty for any
    std::string FilePath;       ///< after a dialog, the chosen path
};

/// A picture taken out of a window; each coding stage answers a new one whose Format says what
/// Data holds. Size, Width and Height describe the pixels and no stage changes them.
struct t_Graphic {
    int64_t HeaderSize = 16;                                    ///< bytes of the file header
    // Made from the text: GCC 12 takes a brace list's hidden array here for uninitialised memory.
    std::vector<uint8_t> Identifier = std::vector<uint8_t>(std::begin("mxgr"), std::end("mxgr") - 1);  ///< "mxgr"
    int64_t Format = 0;     ///< one of the g_Format codes
    int64_t Size = 0;       ///< Width x Height pixels
    int64_t Width = 0;      ///< pixels
    int64_t Height = 0;     ///< pixels
    int64_t Reserved1 = 0;  ///< 1 after a capture, stored as 4 bits
    int64_t Reserved2 = 0;  ///< 1 after a capture, stored as 4 bits
    int64_t Reserved3 = 0;  ///< 0 after a capture, stored as a byte
    std::vector<uint8_t> Data;  ///< the pixels in the form Format names
    bool operator==(const t_Graphic&) const = default;  ///< equal when every field is
};

// Picture formats: a base format (0-5) describes the pixels; +10 packed, +20 run-length coded,
// +100 LZW coded on top.
constexpr int64_t g_FormatBool = 0;              ///< a byte 0 or 15 per pixel (depth 1)
constexpr int64_t g_FormatNibble = 1;            ///< a palette index per pixel (depth 4)
constexpr int64_t g_FormatGrey = 2;              ///< a grey level per pixel (depth 8)
constexpr int64_t g_FormatRGBColor = 3;          ///< red, green, blue per pixel (depth 24)
constexpr int64_t g_FormatAGrey = 4;             ///< alpha, grey per pixel (depth 16)
constexpr int64_t g_FormatARGBColor = 5;         ///< alpha, red, green, blue per pixel (depth 32)
constexpr int64_t g_FormatPackedBool = 10;       ///< 8 pixels a byte, each row from a new byte
constexpr int64_t g_FormatPackedNibble = 11;     ///< 2 pixels a byte, each row from a new byte
constexpr int64_t g_FormatPackedAGrey = 14;      ///< the shared alpha, then grey per pixel
constexpr int64_t g_FormatPackedARGBColor = 15;  ///< the shared alpha, then RGB per pixel
constexpr int64_t g_FormatRLEBool = 20;          ///< run-length coded g_FormatBool
constexpr int64_t g_FormatRLENibble = 21;        ///< run-length coded g_FormatNibble
constexpr int64_t g_FormatRLEGrey = 22;          ///< run-length coded g_FormatGrey
constexpr int64_t g_FormatRLERGBColor = 23;      ///< run-length coded g_FormatRGBColor
constexpr int64_t g_FormatRLEAGrey = 24;         ///< run-length coded g_FormatAGrey
constexpr int64_t g_FormatRLEARGBColor = 25;     ///< run-length coded g_FormatARGBColor
constexpr int64_t g_FormatRLEPackedBool = 30;    ///< run-length coded g_FormatPackedBool
constexpr int64_t g_FormatRLEPackedNibble = 31;  ///< run-length coded g_FormatPackedNibble
constexpr int64_t g_FormatRLEPackedAGrey = 34;   ///< run-length coded g_FormatPackedAGrey
constexpr int64_t g_FormatRLEPackedARGBColor = 35;  ///< run-length coded g_FormatPackedARGBColor
constexpr int64_t g_FormatLZW = 100;             ///< added to any of the codes above

// Window numbers.
constexpr int windowcount = 8;         ///< graphic windows 0-7
constexpr int pasteboardwindow = 8;    ///< the clipboard viewer
constexpr int printerwindow = 9;       ///< the virtual printer
constexpr int consolewindow = 10;      ///< the system console
constexpr int preferenceswindow = 11;  ///< the preferences window
constexpr int applicationwindow = 12;  ///< the main window
constexpr uint8_t nowindow = 255;      ///< "no window", as t_MainWindow answers before the first

// Modifier word bits, as t_Event.Mods holds them shifted right by 16.
constexpr int64_t capslockbit = 1 << 16;    ///< Caps Lock
constexpr int64_t shiftbit = 1 << 17;       ///< Shift
constexpr int64_t controlbit = 1 << 18;     ///< Control
constexpr int64_t optionbit = 1 << 19;      ///< Option (Alt)
constexpr int64_t commandbit = 1 << 20;     ///< Command (Meta)
constexpr int64_t numericpadbit = 1 << 21;  ///< numeric keypad
constexpr int64_t helpbit = 1 << 22;        ///< Help
constexpr int64_t functionbit = 1 << 23;    ///< Fn

// === Start, threads and the end ================================================================
// runprogram is the whole main() of a program. It reads the framework's command line (--help,
// --version, --seed, --zoom and the scripted headless runs --keys, --pace, --output, --timeout,
// --record, --audio), opens the application and runs `program` on the program thread, which has
// a 1 GiB stack. When the program ends (by returning or with t_QuitProgram) its windows stay
// until the user quits.

/// How a program presents itself: window titles, the "Über" menu item, --help and --version.
struct t_ProgramInfo {
    std::string Name;         ///< e.g. "Malprogramm"; empty: the program file's name
    std::string Version;      ///< printed by --version; empty: the framework's version
    std::string Description;  ///< one line under the usage in --help; may be empty
};

/// Runs the application with `program` on the program thread; answers the exit code (0, 1
/// when a scripted run failed or ran out of time, 2 for a bad command line).
STANGENSPIEL_API int runprogram(int argc, char** argv, std::function<void()> program);
/// The same, with the program's own name, version and description.
STANGENSPIEL_API int runprogram(int argc, char** argv, const t_ProgramInfo& info, std::function<void()> program);
/// The framework's version, "major.minor.patch".
STANGENSPIEL_API std::string frameworkversion();

/// Runs function on a new thread with a stack of stacksize bytes; one start at a time. A
/// refused start prints "startprocess: Thread could not be created (<reason>)."
STANGENSPIEL_API void startprocess(std::function<void()> function, int64_t stacksize);
/// Runs function on a new background thread and returns at once.
STANGENSPIEL_API void startasyncprocess(std::function<void()> function);
/// Prints "(Programm Ende)" into the window (none for a number above 12) and ends the calling
/// thread: code after it never runs, destructors do. On a thread the framework did not start it
/// prints a line and returns.
STANGENSPIEL_API void t_QuitProgram(uint8_t window);

/// The first window the program created, nowindow (255) before any.
STANGENSPIEL_API uint8_t t_MainWindow();
/// A copy of the window's record; the empty record (Initialized false) for a number above 7.
STANGENSPIEL_API t_Window t_WindowRecord(uint8_t window);
/// Runs when the user quits, on the GUI thread; an empty function restores "do nothing".
STANGENSPIEL_API void setterminatehandler(std::function<void()> handler);
/// What "Grafik sichern" does for a graphic window in front; an empty function restores the
/// default (the alert sound). savegraphic is the usual choice.
STANGENSPIEL_API void setsavegraphichandler(std::function<void()> handler);

/// Writes line and a line end to standard output, whole and at once, from any thread.
STANGENSPIEL_API void logline(std::string_view line);

// === Windows ===================================================================================
// A graphic window is created with a text screen (t_InitWindow) or without one
// (t_InitGraphicWindow); either way it stays hidden until t_WindowVisible or t_WindowFront, and
// creating it again frees its old memory. Window-level operations
// (position, size, title, visibility) accept the numbers 0-12 and print "op: Window does not
// exist." for others.

/// Creates window 0-7 with a text screen of columns x lines cells in the named font, a border of
/// `border` pixels on every side, depth 1, 4, 8, 16, 24 or 32; a font without glyphs creates
/// nothing. Hidden until shown.
STANGENSPIEL_API void t_InitWindow(uint8_t window, int64_t bitDepth, int64_t columns, int64_t lines, int64_t border,
                                   const std::string& fontFileName);
/// Creates window 0-7 of width x height pixels (1280 x 800 outside 32..8192); a font with empty
/// Data gives no text screen; a negative border is the rest of the screen. Stays hidden.
STANGENSPIEL_API void t_InitGraphicWindow(uint8_t window, int64_t bitDepth, bool autoUpdate, int64_t width,
                                          int64_t height, int64_t borderWidth, int64_t borderHeight,
                                          const t_Font& font, bool titleVisible);
/// A geometry value of the window by selector 0-20 (frame, drawing area, text screen and area,
/// title height 17, ...); 0 for other selectors.
STANGENSPIEL_API int64_t t_WindowPos(uint8_t window, int64_t selector);
/// Sizes the host window around a drawing area of width x height pixels with its lower-left
/// corner at (x, y) on the screen; -1 keeps an argument's current value.
STANGENSPIEL_API void t_WindowSize(uint8_t window, int64_t x, int64_t y, int64_t width, int64_t height);
/// The window's title, "" without a host window.
STANGENSPIEL_API std::string t_WindowTitle(uint8_t window);
/// Sets the window's title; from a thread other than the GUI thread it is queued, not waited for.
STANGENSPIEL_API void t_WindowTitle(uint8_t window, const std::string& title);
/// Title bar on or off; the drawing area keeps its size.
STANGENSPIEL_API void t_WindowTitleVisible(uint8_t window, bool visible);
/// Shows the window (to the front) or hides it.
STANGENSPIEL_API void t_WindowVisible(uint8_t window, bool visible);
/// Shows the window and makes it the one that receives keys.
STANGENSPIEL_API void t_WindowFront(uint8_t window);
/// Centres the window on its screen.
STANGENSPIEL_API void t_WindowCenter(uint8_t window);
/// Redraws per second of an auto-updating window (30 at creation); 0 or less: every refresh pass.
/// Takes effect at once, also while the refresh waits out a longer period.
STANGENSPIEL_API void t_WindowRefreshRate(uint8_t window, int64_t rate);
/// Redraws the window: deferred at the next display pass, else before returning.
STANGENSPIEL_API void t_WindowUpdate(uint8_t window, bool deferred);
/// The drawing colour and the text foreground become palette entry index & 15.
STANGENSPIEL_API void t_Color(uint8_t window, int64_t index);
/// The colour around the drawing area becomes palette entry index & 15, shown at once.
STANGENSPIEL_API void t_ColorBorder(uint8_t window, int64_t index);

// === Zoom and full screen ======================================================================
// A graphic window can be shown larger by a whole factor: each of its pixels becomes factor x
// factor pixels on the screen, never smoothed, its border and text screen with it (the factor
// multiplies the desktop's own scaling). Nothing the program draws or reads changes: Width,
// Height, DrawingRect, text columns and lines, g_ coordinates and ClickX/ClickY stay in the
// window's own pixels. The rule for t_WindowPos and t_WindowSize: what lies inside the frame
// counts in the window's pixels, what lies on the screen in screen pixels.
// - Window's pixels: the text screen and area (selectors 0-7), the drawing area (8, 9) and the
//   borders (18, 19); t_WindowSize's width and height.
// - Screen pixels: the frame's size (10-12) and position (13, 14, 20), the title bar (17) and the
//   screen (15, 16); t_WindowSize's x and y. So 10 = factor x (8 + 2 x 18), 11 = factor x
//   (9 + 2 x 19) and 12 = 11 + 17 at any factor.
// t_WindowSize(w, -1, -1, -1, -1) neither moves nor resizes a window, and the selectors 13, 20,
// 8 and 9 read and given back to t_WindowSize restore it, at any factor. Windows start at the
// factor of the command line's --zoom (1 without it). Full screen shows the drawing area at the
// largest whole factor that fits the screen, centred, the rest of the screen in the border colour,
// without title or menu bar; meanwhile t_WindowPos reports the frame as it is (the whole screen,
// no title bar) and t_WindowSize sets the frame the window returns to. Keys and clicks work as
// before: a click beside the picture is outside it like a click on the border.
// The user has the same: Ctrl+Shift+Plus and Ctrl+Shift+Minus zoom the front graphic window in and
// out, Ctrl+Shift+F switches it to full screen and back.

/// Shows window 0-7 at a whole factor 1-8, its top-left corner in place unless the frame would reach
/// over the screen's edge. A factor at which it would not fit the screen is refused with a line.
STANGENSPIEL_API void t_WindowZoom(uint8_t window, int64_t factor);
/// The factor window 0-7 is shown at (while full screen, the full-screen factor; before the window
/// is created, the factor it will start at); 0 after a line for any other number.
STANGENSPIEL_API int64_t t_WindowZoomFactor(uint8_t window);
/// Full screen on for a created window 0-7, or off again: the window returns to the frame it had
/// before (or was given meanwhile). Off for a window that is not full screen does nothing.
STANGENSPIEL_API void t_WindowFullScreen(uint8_t window, bool on);

// === Text ======================================================================================
// Text goes to the cursor of the window's text screen, inside its text area. Control codes
// (Return 13, line feed 10, backspace 8, ...) move the cursor; the display mode decides how
// the other codes look. Out-of-range columns and lines are ignored without a message.

/// Prints UTF-8 text at the cursor; a character above code 255 prints "?".
STANGENSPIEL_API void t_Print(uint8_t window, const std::string& text);
/// Prints each byte as one character code, controls included.
STANGENSPIEL_API void t_Print(uint8_t window, const std::vector<uint8_t>& bytes);
/// Prints one character through the display mode, never as a control.
STANGENSPIEL_API void t_PrintChar(uint8_t window, uint8_t character);
/// Executes one control character (a code below 32 or 127).
STANGENSPIEL_API void t_PrintControl(uint8_t window, uint8_t code);
/// Draws one glyph in cell (x, y) in colour (foreground x 16 + background); the cursor stays.
STANGENSPIEL_API void t_PrintSymbol(uint8_t window, uint8_t character, uint8_t colour, int64_t x, int64_t y);
/// Display mode: 0 plain, 1 codes 32-127 shifted to their second set (+128), 2 letters to
/// block graphics and controls, 3 controls shown inverse, 4 controls shown in red, 99 the next
/// character is an escape command.
STANGENSPIEL_API void t_DisplayMode(uint8_t window, int64_t mode);
/// Prints fill up to the column; nothing when the cursor is at or right of it.
STANGENSPIEL_API void t_PrintTab(uint8_t window, int64_t column, uint8_t fill);
/// Cursor to the column, counted from the text area's first column.
STANGENSPIEL_API void t_Htab(uint8_t window, int64_t column);
/// Cursor to the line of the screen (absolute, from 1).
STANGENSPIEL_API void t_Vtab(uint8_t window, int64_t line);
/// Cursor to the first column and line of the text area.
STANGENSPIEL_API void t_CursorHome(uint8_t window);
/// Cursor to the last column and line of the text area.
STANGENSPIEL_API void t_CursorEnd(uint8_t window);
/// Cursor to the first column of the next line; the area scrolls up at its bottom.
STANGENSPIEL_API void t_Cr(uint8_t window);
/// Cursor one line up; the area scrolls down at its first line.
STANGENSPIEL_API void t_CursorUp(uint8_t window);
/// Cursor one line down; the area scrolls up at its last line.
STANGENSPIEL_API void t_CursorDown(uint8_t window);
/// Cursor one column left; wraps to the end of the line above.
STANGENSPIEL_API void t_CursorLeft(uint8_t window);
/// Cursor one column right; wraps to the start of the next line.
STANGENSPIEL_API void t_CursorRight(uint8_t window);
/// The text area one line up, its last line blank; nothing while ScrollLock is on.
STANGENSPIEL_API void t_ScrollUp(uint8_t window);
/// The text area one line down, its first line blank; nothing while ScrollLock is on.
STANGENSPIEL_API void t_ScrollDown(uint8_t window);
/// Clears from the cursor to the text area's last column.
STANGENSPIEL_API void t_ClearEndOfLine(uint8_t window);
/// Clears from the cursor to the end of the text area.
STANGENSPIEL_API void t_ClearEndOfWindow(uint8_t window);
/// Columns x1-x2, lines y1-y2 become the text area (each pair where valid); cursor home.
STANGENSPIEL_API void t_Area(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
/// The text area becomes the whole text screen; the cursor stays.
STANGENSPIEL_API void t_FullArea(uint8_t window);
/// One line at the cursor: title left, second flush right, cut to the area's width.
STANGENSPIEL_API void t_Header(uint8_t window, const std::string& title, const std::string& second);
/// A horizontal rule from the cursor to the area's end, then a new line.
STANGENSPIEL_API void t_TextLine(uint8_t window);
/// Draws character in columns x1-x2 of line y; the cursor stays.
STANGENSPIEL_API void t_TextHline(uint8_t window, int64_t x1, int64_t x2, int64_t y, uint8_t character);
/// Text output goes to the window (1), to standard output (2) or nowhere (any other mode).
STANGENSPIEL_API void t_RedirectOutput(uint8_t window, int64_t mode);
/// The whole text screen, each line followed by lineEnd; with "\r" trailing blanks and empty
/// last lines are left out. "" for a window without a text screen.
STANGENSPIEL_API std::string t_GetScreen(uint8_t window, const std::string& lineEnd);
/// Inverse video on: text is drawn with its colours exchanged.
STANGENSPIEL_API void t_Inverse(uint8_t window);
/// Inverse video off.
STANGENSPIEL_API void t_Normal(uint8_t window);
/// Inverse video toggled.
STANGENSPIEL_API void t_Reverse(uint8_t window);
/// Redraws cells x1-x2, y1-y2 with their colours exchanged; a second call restores them.
STANGENSPIEL_API void t_InvertRect(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
/// Loads a ".font" file from the program's or the framework's resource folder (an absolute path
/// as it is); after its one message the font has empty Data.
STANGENSPIEL_API t_Font t_LoadFontResource(const std::string& name);
/// Installs a copy of font as the window's text font; text and pixels stay as they are.
STANGENSPIEL_API void t_WindowFont(uint8_t window, const t_Font& font);

// === Keys ======================================================================================
// Every key press in a window of the program becomes one character code (Latin-1; cursor keys
// left 8, right 21, down 10, up 11; Backspace 127, Delete 7, Return 13, Escape 27; F1 and up
// from 129 with FunctionKeyPressed). Ctrl+S and Ctrl+keypad 7/8/9 are the framework's own.

/// Waits for the next key with the text cursor shown and answers it as a one-character UTF-8
/// string (U+0000 for a code that is no character); "" when none can come: on the GUI thread
/// (with a line) or once the application quits.
STANGENSPIEL_API std::string t_GetKey(uint8_t window);
/// The whole record of the key t_GetKey answered last; all zeros before the first.
STANGENSPIEL_API t_Event currentkeyevent();
/// Keys typed and not yet read.
STANGENSPIEL_API int64_t keyeventcount();
/// Forgets the keys typed and not yet read.
STANGENSPIEL_API void clearkeyevents();
/// Text cursor level + 1: the cell under the cursor shows inverted from level 1.
STANGENSPIEL_API void t_CursorOn(uint8_t window);
/// Text cursor level - 1: the cell is restored when it leaves level 1.
STANGENSPIEL_API void t_CursorOff(uint8_t window);
/// Inverts the cell under the cursor; a second call restores it.
STANGENSPIEL_API void t_CursorDraw(uint8_t window);

// === Classic conveniences ======================================================================
// What every home computer gave its programs: line input with editing, typed numbers, a printed
// line, the cursor's place, random numbers, waiting, and the frame signal for animation.
// - The inputs wait for keys like t_GetKey, with the cursor shown. Characters go in at the
//   cursor; Backspace and Delete erase, Left/Right and Home/End move in the line, Escape empties
//   it, Return ends it and moves to the start of the next line. The line wraps in the text area,
//   which scrolls as printing does but never past the line's own start. maxCharacters below 1 or
//   beyond the text area means as many as the rest of the area holds.
// - While a line is read the record's Input fields hold it: InputString, InputCursorPos (from
//   1), InputHpos/InputVpos (its first cell), InputMaxCharacters, InputMode (1 line, 2 number).
// - Once the application quits nothing here waits: inputs answer "" or 0, waits return.
// - One random generator serves the whole program (a 64-bit Mersenne Twister). It is seeded from
//   the clock at the start, or from --seed=N on the command line, so a run repeats exactly.

/// Reads one line at the cursor with echo and editing; "" after its line for a window without
/// a text screen.
STANGENSPIEL_API std::string t_InputLine(uint8_t window, int64_t maxCharacters);
/// Reads a line until it is a decimal number (see stringtonumber), printing "(Bitte eine Zahl
/// eingeben)" after any other; 0 after its line for a window without a text screen.
STANGENSPIEL_API double t_InputNumber(uint8_t window, int64_t maxCharacters);
/// Prints the text, then moves to the start of the next line as t_Cr does.
STANGENSPIEL_API void t_PrintLine(uint8_t window, const std::string& text);
/// Clears the text area and puts the cursor on its first cell.
STANGENSPIEL_API void t_Home(uint8_t window);
/// The cursor's column on the screen, from 1 (t_Htab counts from the area's first column).
STANGENSPIEL_API int64_t t_Hpos(uint8_t window);
/// The cursor's line on the screen, from 1, as t_Vtab takes it.
STANGENSPIEL_API int64_t t_Vpos(uint8_t window);
/// Starts the random numbers from seed: the same seed gives the same numbers.
STANGENSPIEL_API void t_Randomize(int64_t seed);
/// A random number from 0 up to, not including, 1.
STANGENSPIEL_API double t_Random();
/// A random whole number 0 to n - 1, each equally likely; 0 after its line when n < 1.
STANGENSPIEL_API int64_t t_RandomInt(int64_t n);
/// Sleeps for the milliseconds (none for 0 or less); ends at once when the application quits.
STANGENSPIEL_API void t_Wait(int64_t milliseconds);
/// Milliseconds since the program started, on a clock that is never set back.
STANGENSPIEL_API int64_t t_Ticks();
/// Returns once the window's next picture is on the screen (its vertical blank). A window that
/// shows none waits a refresh period (hidden, not auto-updating) or a period and a second at most.
STANGENSPIEL_API void t_WaitRefresh(uint8_t window);

// === Graphics ==================================================================================
// Pixels of window w lie row after row from the top left, without padding. Depth 1: 8 pixels a
// byte, leftmost in bit 7. Depth 4: 2 palette indices a byte, even x in the high nibble. Depth
// 8: grey. Depth 16: alpha, grey. Depth 24: red, green, blue. Depth 32: alpha, red, green, blue.
// The 16-colour palette: 0 black, 1 red, 2 dark blue, 3 purple, 4 dark green, 5 grey, 6 blue,
// 7 light blue, 8 brown, 9 orange, 10 light grey, 11 pink, 12 green, 13 yellow, 14 aqua, 15 white.

/// Sets one pixel in the drawing colour and mode; outside the window nothing happens.
STANGENSPIEL_API void g_Plot(uint8_t window, int64_t x, int64_t y);
/// Plots the line from (x1, y1) to (x2, y2), both ends included; points outside are dropped.
STANGENSPIEL_API void g_Line(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
/// Reads a pixel back: g_Scrn(w, x, y) answers a palette index (depths 1, 4 and 32; else 0),
/// g_Scrn<t_RGBColor>(w, x, y) its colour (opaque black outside the window).
template <typename Result = int64_t>
Result g_Scrn(uint8_t window, int64_t x, int64_t y);
/// Palette index of the pixel; 0 outside the window.
template <> STANGENSPIEL_API int64_t g_Scrn<int64_t>(uint8_t window, int64_t x, int64_t y);
/// Colour of the pixel; opaque black outside the window.
template <> STANGENSPIEL_API t_RGBColor g_Scrn<t_RGBColor>(uint8_t window, int64_t x, int64_t y);
/// The window's pixel bytes in the layout above, for a program's own pixel loops; empty after
/// "g_GraphicMemory: ..." for a window that is not there. The span stays valid until any window
/// is created again; while it is, the refresh redraws the window every period.
STANGENSPIEL_API std::span<uint8_t> g_GraphicMemory(uint8_t window);
/// Tells the refresh that the window's pixels changed outside g_Plot and its relatives.
STANGENSPIEL_API void g_PictureChanged(uint8_t window);
/// The whole window as a picture in the format of its depth; the empty record on failure.
STANGENSPIEL_API t_Graphic g_GetScreen(uint8_t window);
/// The rectangle (x1, y1)-(x2, y2), corners included; the far corner clamped to the window.
STANGENSPIEL_API t_Graphic g_GetScreenRect(uint8_t window, int64_t x1, int64_t y1, int64_t x2, int64_t y2);
/// Draws a picture in any format with its top-left pixel at (x, y), clipped to the window.
STANGENSPIEL_API void g_PutScreen(uint8_t window, const t_Graphic& graphic, int64_t x, int64_t y);
/// Packs one-bit and four-bit pictures (0->10, 1->11), one alpha for 4->14 and 5->15.
STANGENSPIEL_API t_Graphic g_Pack(const t_Graphic& graphic);
/// Run-length codes the picture (+20); formats it does not handle pass unchanged.
STANGENSPIEL_API t_Graphic g_CompressRLE(const t_Graphic& graphic);
/// LZW codes the picture (+100).
STANGENSPIEL_API t_Graphic g_CompressLZW(const t_Graphic& graphic);
/// Undoes g_CompressLZW; the empty record after a line for data that does not decode.
STANGENSPIEL_API t_Graphic g_DecompressLZW(const t_Graphic& graphic);
/// Undoes g_CompressRLE; the empty record after a line for data that does not decode.
STANGENSPIEL_API t_Graphic g_DecompressRLE(const t_Graphic& graphic);
/// Undoes g_Pack; the empty record after a line for data that does not fit the picture.
STANGENSPIEL_API t_Graphic g_Unpack(const t_Graphic& graphic);
/// All three, back to the captured format 0-5; the empty record after a line on failure.
STANGENSPIEL_API t_Graphic g_Decompress(const t_Graphic& graphic);

// === Files =====================================================================================
// Writing goes beside the target and renames, so a failed write leaves an old file as it was.
// Errors are one line and a result: an error number, an empty array or the empty record.

/// Files above this size are refused rather than read.
constexpr int64_t largestbinaryfile = 256LL * 1024 * 1024;
/// The whole file; empty after "getbinaryfromfile: Error #<reason>" (directories, devices,
/// files above `largest` bytes included).
STANGENSPIEL_API std::vector<uint8_t> getbinaryfromfile(const std::string& path, int64_t largest = largestbinaryfile);
/// Creates or replaces the file; 0, or the error number after "setbinarytofile: Error #<reason>".
STANGENSPIEL_API int64_t setbinarytofile(const std::string& path, const std::vector<uint8_t>& data);
/// The big-endian 32-bit number at offset; 0 when the 4 bytes are not all there.
STANGENSPIEL_API int64_t getbinaryint32(const std::vector<uint8_t>& data, int64_t offset);
/// Writes a ".gr" file (16-byte header, then Data); 0, or an error number after its line.
STANGENSPIEL_API int64_t writegraphicfile(const std::string& path, const t_Graphic& graphic);
/// Reads a ".gr" file, still coded (g_Decompress gives the pixels); the empty record on failure.
STANGENSPIEL_API t_Graphic readgraphicfile(const std::string& path);
/// The front window's picture, fully coded, into a ".gr" file the user names in a dialog.
STANGENSPIEL_API void savegraphic();
/// The PNG bytes of a picture in any format; empty after a line when it has no pixels.
STANGENSPIEL_API std::vector<uint8_t> g_GraphicToPNG(const t_Graphic& graphic);
/// A PNG as an RGB (or ARGB) picture; the empty record after a line for unreadable bytes.
STANGENSPIEL_API t_Graphic g_PNGToGraphic(const std::vector<uint8_t>& png);
/// Writes a picture as a PNG file; 0, or an error number after its line.
STANGENSPIEL_API int64_t g_WritePNGFile(const std::string& path, const t_Graphic& graphic);
/// Reads a PNG file as a picture; the empty record on failure.
STANGENSPIEL_API t_Graphic g_ReadPNGFile(const std::string& path);
/// Writes the window's picture as a PNG file; 0, or an error number (nothing written).
STANGENSPIEL_API int64_t g_SavePNG(uint8_t window, const std::string& path);
/// Draws a PNG file into the window with its top-left pixel at (x, y), as g_PutScreen does.
STANGENSPIEL_API void g_LoadPNG(uint8_t window, const std::string& path, int64_t x, int64_t y);
/// A save dialog proposing `name`; fileTypes is a comma-separated list of extensions. The
/// chosen path, or "" when the user cancels.
STANGENSPIEL_API std::string filesavepanel(const std::string& name, const std::string& title,
                                           const std::string& message, const std::string& fileTypes);
/// An open dialog; an empty fileTypes allows any file. The chosen path, or "" on cancel.
STANGENSPIEL_API std::string fileopenpanel(const std::string& title, const std::string& message,
                                           const std::string& fileTypes, bool canChooseFiles,
                                           bool canChooseDirectories);
/// The last path component without its last extension: "/a/b/bild.alt.gr" -> "bild.alt".
STANGENSPIEL_API std::string pathbasename(const std::string& path);

// === Recording =================================================================================
// A recording turns a graphic window's animation into a looping animated GIF: one frame for each
// picture the view shows that differs from the one before, with its real delay, cropped to what
// changed. Depths 1, 4, 8 and 16 keep their exact colours, 24 and 32 too unless a picture brings
// more than about a thousand (median cut then). The file is written beside the target and
// renamed over it at the end; a recording that fails (a full disk, a vanished folder) ends at
// once with one line and leaves no file. Results are 0 or an error number, as with the files.

/// Starts recording the window into a GIF at path; 0, or an error number after its line (one
/// recording per window at a time).
STANGENSPIEL_API int64_t g_RecordStart(uint8_t window, const std::string& path);
/// Ends the window's recording with the picture as it is and completes the file: 0, or an error
/// number after its line (also of a recording that had failed on its own).
STANGENSPIEL_API int64_t g_RecordStop(uint8_t window);

// === Mouse and menu events =====================================================================
// Clicks in a graphic window and chosen menu items are queued for the program (the oldest are
// dropped beyond 1,024) and each starts the program's handler on a background thread.

/// Mouse events waiting.
STANGENSPIEL_API int64_t t_MouseEventCount();
/// The oldest mouse event, taken out; all zeros when none.
STANGENSPIEL_API t_Event t_NextMouseEvent();
/// Empties the mouse queue.
STANGENSPIEL_API void t_ClearMouseEvents();
/// Menu events waiting.
STANGENSPIEL_API int64_t t_MenuEventCount();
/// The oldest menu event, taken out; all zeros when none.
STANGENSPIEL_API t_MenuEvent t_NextMenuEvent();
/// Empties the menu queue.
STANGENSPIEL_API void t_ClearMenuEvents();
/// Runs after every click, on a background thread; an empty function restores "do nothing".
STANGENSPIEL_API void setprogrammousehandler(std::function<void()> handler);
/// Runs for every item without a framework command, on a background thread.
STANGENSPIEL_API void setprogrammenuhandler(std::function<void()> handler);
/// Adds an item at the end of a menu of the menu bar ("Datei", "Bearbeiten", "Fenster",
/// "Hilfe"); choosing it queues a menu event with the tag and runs the program's menu handler
/// (tags 1000 and up are never the framework's). 0, -1 for a tag outside 0-2^31, -2 no menu.
STANGENSPIEL_API int64_t t_MenuItemAdd(const std::string& menuTitle, const std::string& itemTitle, int64_t tag);
/// Position of the first item with that title from 0; -1 none, -2 no such menu.
STANGENSPIEL_API int64_t t_MenuItemIndex(const std::string& menuTitle, const std::string& itemTitle);
/// Deletes the item at position (65535: the last).
STANGENSPIEL_API void t_MenuItemDelete(const std::string& menuTitle, int64_t position);
/// The title of the item at position (65535: the last); "" on failure.
STANGENSPIEL_API std::string t_MenuItemTitle(const std::string& menuTitle, int64_t position);

// === Printer and console =======================================================================
// Both are text windows of their own (9 and 10). Writing only appends to a buffer; the window
// shows it within about 101 ms, so a program prints at full speed.

/// Sets up the printer: ruler, empty printout; needed before p_Print.
STANGENSPIEL_API void p_InitPrinter();
/// The ruler line above the printout.
STANGENSPIEL_API void p_SetRuler(const std::string& text);
/// Replaces the whole printout.
STANGENSPIEL_API void p_SetPrinter(const std::string& text);
/// Appends UTF-8 text to the printout; the bytes 27, four hex digits, 29 print U+hhhh.
STANGENSPIEL_API void p_Print(const std::string& text);
/// Appends bytes; invalid UTF-8 is shown byte by byte.
STANGENSPIEL_API void p_Print(const std::vector<uint8_t>& bytes);
/// Appends UTF-8 text to the console.
STANGENSPIEL_API void c_Print(const std::string& text);
/// Appends bytes to the console; invalid UTF-8 is shown byte by byte.
STANGENSPIEL_API void c_Print(const std::vector<uint8_t>& bytes);

// === Text and number utilities =================================================================
// Pure functions in the manner of a BASIC interpreter's string functions: positions count from
// 1, a "character" is a user-perceived character (grapheme cluster), out-of-range arguments
// give an empty result. Safe on any thread; they print nothing.

/// The UTF-8 bytes of s.
STANGENSPIEL_API std::vector<uint8_t> stringtobinary(const std::string& s);
/// " - 42abc" -> -42; 0 without digits; stops at the 64-bit limits.
STANGENSPIEL_API int64_t binarytoint(const std::vector<uint8_t>& b);
/// Strict decimal parse: "-12.5e3" with blanks around, nothing else; false leaves value alone.
STANGENSPIEL_API bool stringtonumber(const std::string& text, double& value);
/// Decimal digits as bytes, a leading '-' when negative.
STANGENSPIEL_API std::vector<uint8_t> inttobinary(int64_t v);
/// base to the power e; 1 when e < 1; wraps modulo 2^64 on overflow.
STANGENSPIEL_API int64_t intpower(int64_t base, int64_t e);
/// Number of characters.
STANGENSPIEL_API int64_t stringlength(const std::string& s);
/// Characters p to the end; all when p < 2.
STANGENSPIEL_API std::string stringfrom(const std::string& s, int64_t p);
/// n characters from p, cut at the end.
STANGENSPIEL_API std::string stringmid(const std::string& s, int64_t p, int64_t n);
/// Position of the first needle at or after character p; 0 when none or needle is empty.
STANGENSPIEL_API int64_t stringposition(const std::string& s, const std::string& needle, int64_t p);
/// s n times; "" when n < 1, n > 32,767 or s is empty.
STANGENSPIEL_API std::string stringrepeat(const std::string& s, int64_t n);
/// n spaces; "" when n < 1 or n > 32,767.
STANGENSPIEL_API std::string stringspaces(int64_t n);
/// -1, 0 or 1 by bytes; a prefix is smaller.
STANGENSPIEL_API int binarycompare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);
/// The pieces between separators; a separator at the very end adds no empty piece.
STANGENSPIEL_API std::vector<std::vector<uint8_t>> binarysplit(const std::vector<uint8_t>& b, uint8_t sep);
/// The pieces joined with sep between them.
STANGENSPIEL_API std::vector<uint8_t> binaryjoin(const std::vector<std::vector<uint8_t>>& pieces, uint8_t sep);
/// Decimal text of v, "." between groups of three when grouping, fill in front up to width.
STANGENSPIEL_API std::string intformat(int64_t v, char32_t fill, int64_t width, bool grouping);
/// Two hex digits: "0A".
STANGENSPIEL_API std::string hex2(uint8_t v);
/// The low 16 bits as four hex digits: "BEEF".
STANGENSPIEL_API std::string hex4(int64_t v);
/// The low 32 bits as eight hex digits: "00D12000".
STANGENSPIEL_API std::string hex8(int64_t v);
/// hex8 as bytes.
STANGENSPIEL_API std::vector<uint8_t> hex8binary(int64_t v);

// === Sound =====================================================================================
// Four voices (0-3) play at once, each from its own queue, beside any number of sound files,
// mixed at 48 kHz through a limiter instead of clipping. A call queues and returns at once (a
// music string in MF waits until it has played). Music strings read as in the classic BASICs,
// case-insensitive, blanks ignored: notes A-G with # or + (sharp) or - (flat), a length 1-64
// and dots; N0-84 (N37 middle C); O0-6 (default 4; O3 A is 440 Hz), < and >; L1-64; T32-255
// quarter notes a minute; P or R a pause; V0-15; MN (7/8 of each note sounds), ML (all), MS
// (3/4); MF and MB. Octave, length, tempo, volume and modes carry over to the voice's next
// string. A string with an error plays nothing and prints "s_Play: Unknown command "Q" at
// position 7."; a full queue (4,096 notes a voice) refuses the call with a line. Without an
// audio output nothing sounds and the calls return as if played, after the line
// "s_Sound: No audio output, sound is off." the first time. A scripted run never opens the
// audio device; with --audio=FILE.wav it writes everything played there.

/// One tone of `milliseconds` (0-3,600,000) on voice 0 after what it plays; 0 Hz is a rest, else 10-20,000 Hz.
STANGENSPIEL_API void s_Sound(double frequency, int64_t milliseconds);
/// Plays a music string on voice 0.
STANGENSPIEL_API void s_Play(const std::string& music);
/// Plays a music string on voice 0-3; the voices play together.
STANGENSPIEL_API void s_PlayVoice(int64_t voice, const std::string& music);
/// The voice's sound for notes queued from now on: waveform 0 square, 1 triangle, 2 sawtooth,
/// 3 noise, 4 sine; attack, decay, release 0-10,000 ms; sustain 0-15 (default 0, 2, 0, 15, 5).
STANGENSPIEL_API void s_Voice(int64_t voice, int64_t waveform, int64_t attack, int64_t decay, int64_t sustain,
                              int64_t release);
/// Mixes a WAV, AIFF, FLAC or Ogg file in beside the voices, from the start; up to 16 at once.
STANGENSPIEL_API void s_PlayFile(const std::string& path);
/// Returns when everything queued has played; at once without sound.
STANGENSPIEL_API void s_Wait();
/// Anything still queued or sounding; false without sound.
STANGENSPIEL_API bool s_Playing();
/// Silence at once: every queue emptied, every file stopped.
STANGENSPIEL_API void s_Stop();
