#include "windows/window_creation.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "app/startup.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"
#include "host/host.h"
#include "text/font_resource.h"
#include "windows/display_refresh.h"
#include "windows/memory_blocks.h"
#include "core/text_utilities.h"
#include "windows/memory_figures.h"
#include "windows/window_colors.h"
#include "windows/window_placement.h"
#include "windows/window_zoom.h"
#include "windows/video_memory.h"

namespace {

constexpr int64_t smallestside = 32;
constexpr int64_t largestside = 8192;
constexpr int64_t defaultwidth = 1280;
constexpr int64_t defaultheight = 800;
// Borders stay within what a host window frame can hold, so frame sizes never overflow.
constexpr int64_t largestborder = 8192;

bool supporteddepth(int64_t depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

int64_t graphicsize(int64_t depth, int64_t width, int64_t height) {
    if (depth == 1) return height * width / 8;
    if (depth == 4) return height * width / 2;
    return height * depth * width / 8;
}

// What a creation request becomes after the checks and corrections.
struct t_Request {
    int64_t Depth = 0;
    int64_t Width = 0;
    int64_t Height = 0;
    int64_t GraphicSize = 0;
    int64_t Columns = -1;  // -1 without a text screen
    int64_t Lines = -1;
    int64_t TextSize = 0;
};

enum class t_Outcome { Finished, Stopped };  // Stopped: no " End." line

void reportshortage(const std::string& prefix, const char* kind, int64_t avail, const std::string& need) {
    logline(prefix + " has not enough " + kind + "-video-memory (" + std::to_string(avail / 1024) + "K available).");
    logline("t_InitWindow: " + need);
}

// Width and height corrections and the depth check; false when the depth is refused.
bool correctsize(const std::string& prefix, t_Request& r) {
    bool widthreplaced = false;
    if (r.Width < smallestside || r.Width > largestside) {
        logline(prefix + " cannot display " + std::to_string(r.Width) + " horizontal pixel.");
        r.Width = defaultwidth;
        widthreplaced = true;
    }
    if (r.Height < smallestside || r.Height > largestside) {
        logline(prefix + " cannot display " + std::to_string(r.Height) + " vertical pixel.");
        r.Height = defaultheight;
    }
    if (!supporteddepth(r.Depth)) {
        logline(prefix + " unsupported " + std::to_string(r.Depth) + " bit depth.");
        return false;
    }
    if (!widthreplaced && r.Depth == 1 && r.Width % 8 != 0) {
        logline(prefix + " width with 1 bit depth must be a multiple of 8.");
        r.Width = (r.Width + 7) / 8 * 8;
    }
    if (!widthreplaced && r.Depth == 4 && r.Width % 4 != 0) {
        logline(prefix + " width with 4 bit depth must be a multiple of 4.");
        r.Width = (r.Width + 1) / 4 * 4;
    }
    r.GraphicSize = graphicsize(r.Depth, r.Width, r.Height);
    return true;
}

std::string graphicneed(const t_Request& r) {
    return "Displaying " + std::to_string(r.Width) + " x " + std::to_string(r.Height) + " pixel x " +
           std::to_string(r.Depth) + " bit needs " + kilobytes(r.GraphicSize) + "K video-memory.";
}

void textscreen(const t_Font& font, t_Request& r) {
    if (font.Data.empty()) return;
    // A font without a positive cell size has no room for a character.
    r.Columns = font.Width > 0 ? r.Width / font.Width : 0;
    r.Lines = font.Height > 0 ? r.Height / font.Height : 0;
    r.TextSize = r.Columns * r.Lines * 2;
}

// A negative border is the rest of the screen, none when the drawing area is wider than it.
int64_t resolveborder(int64_t border, int64_t screenside, int64_t drawingside) {
    return border < 0 ? std::max<int64_t>(screenside - drawingside, 0) : border;
}

// A border no window frame can hold is refused rather than cut to a size nobody asked for.
bool bordersfit(const std::string& prefix, int64_t borderwidth, int64_t borderheight) {
    for (const int64_t border : {borderwidth, borderheight})
        if (border > largestborder) {
            logline(prefix + " cannot display a border of " + std::to_string(border) + " pixel.");
            return false;
        }
    return true;
}

void setrecord(t_Window& w, const t_Request& r, bool autoupdate, int64_t borderwidth, int64_t borderheight,
               bool titlevisible) {
    w.UpdateStarted = 0;
    w.UpdateFinished = 0;
    w.VerticalBlank = true;
    w.IgnoreEvents = false;
    w.RefreshRate = 30;
    w.AutoUpdate = autoupdate;
    w.QuickUpdate = true;
    w.ScrollLock = false;
    w.BitDepth = r.Depth;
    w.Width = r.Width;
    w.Height = r.Height;
    w.BorderWidth = borderwidth;
    w.BorderHeight = borderheight;
    w.TitleHeight = titlevisible ? framework.titleheight.load() : 0;
    w.RGBColor = palettecolor(0);
    w.RGBColorBorder = palettecolor(5);
    w.DrawingMode = 0;
    w.PositionX = 0;
    w.PositionY = 0;
}

void settextfields(t_Window& w, const t_Request& r) {
    w.TextWidth = r.Columns;
    w.TextHeight = r.Lines;
    w.TextFirstColumn = 1;
    w.TextLastColumn = w.TextWidth;
    w.TextFirstLine = 1;
    w.TextLastLine = w.TextHeight;
    w.TextHpos = 1;
    w.TextVpos = 1;
    w.TextColor = 192;
    w.LoResOffsetX = 0;
    w.LoResOffsetY = 0;
    w.LoResMode = 0;
}

// Black pixels below 32 bits are zeros, which the placement of the block left there (in memory
// never used before without writing a byte: those pages cost nothing until drawn on).
int64_t zeropixels(const t_Request& r) { return r.Depth == 32 ? 0 : r.GraphicSize; }

// Black pixels (opaque at 32 bits) and a text screen of spaces in the window's text colour.
void clearwindowmemory(uint8_t window, const t_Window& w) {
    uint8_t* memory = framework.videomemory.data();
    uint8_t* pixels = memory + w.MemoryStart;
    notepicturechange(window);
    const int64_t bytes = w.Height * (w.Width * w.BitDepth / 8);
    if (w.BitDepth == 32)
        for (int64_t i = 0; i < bytes; i += 4) std::memcpy(pixels + i, "\xFF\0\0\0", 4);
    if (w.TextMemoryStart < 0) return;
    const int64_t half = (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
    const int64_t cells = w.TextWidth * w.TextHeight;
    std::memset(memory + w.TextMemoryStart, 32, static_cast<size_t>(cells));
    std::memset(memory + w.TextMemoryStart + half, w.TextColor, static_cast<size_t>(cells));
}

// Places both blocks and fills the record; false (after the message) when they do not fit.
// The text block is checked against what the graphic block leaves, so that the two together
// never reach into the reserved memory.
bool placewindow(const std::string& prefix, t_Window& w, const t_Request& r) {
    const int64_t graphicstart = blockstartfor(r.GraphicSize);
    if (graphicstart < 0) {
        reportshortage(prefix, "graphic", memoryavailable(), graphicneed(r));
        return false;
    }
    const int64_t textavail = graphicstart - 1 - reservedmemory;
    if (r.TextSize > textavail) {
        reportshortage(prefix, "text", textavail,
                       "Displaying " + std::to_string(r.Columns) + " x " + std::to_string(r.Lines) +
                           " characters needs " + kilobytes(r.TextSize) + "K text-video-memory.");
        return false;
    }
    w.MemoryEnd = framework.highmemory;
    w.MemoryStart = placeblock(r.GraphicSize, zeropixels(r));
    logline(prefix + " = " + std::to_string(r.Width) + " x " + std::to_string(r.Height) + " pixel x " +
            std::to_string(r.Depth) + " bit = " + kilobytes(r.GraphicSize) + "K video-memory = $" +
            hex8(w.MemoryStart) + ".");
    settextfields(w, r);
    if (r.TextSize > 0) {
        w.TextMemoryEnd = framework.highmemory;
        w.TextMemoryStart = placeblock(r.TextSize);
    } else {
        w.TextMemoryStart = w.TextMemoryEnd = -1;
    }
    return true;
}

// Gives back the blocks just placed, when they are still the lowest ones.
void unplacewindow(t_Window& w) {
    const int64_t lowest = w.TextMemoryStart >= 0 ? w.TextMemoryStart : w.MemoryStart;
    if (w.MemoryStart >= 0)  // free memory reads 0xFF, not the black it was placed with
        std::memset(framework.videomemory.data() + w.MemoryStart, 0xFF, static_cast<size_t>(w.MemoryEnd - w.MemoryStart + 1));
    if (lowest >= 0 && framework.highmemory == lowest - 1) framework.highmemory = w.MemoryEnd;
    w.MemoryStart = w.MemoryEnd = w.TextMemoryStart = w.TextMemoryEnd = -1;
}

t_Outcome createwindow(uint8_t window, const std::string& prefix, t_Request r, bool autoupdate,
                       int64_t borderwidth, int64_t borderheight, const t_Font& font, bool titlevisible) {
    FrameworkLock lock;
    t_Window& w = framework.windows[window];  // the table never moves; host calls below may let go of the lock
    if (w.Initialized) freewindowblocks(window, prefix);
    const int64_t avail = memoryavailable();
    if (!correctsize(prefix, r)) return t_Outcome::Stopped;
    if (r.GraphicSize > avail) {
        reportshortage(prefix, "graphic", avail, graphicneed(r));
        return t_Outcome::Finished;
    }
    if (borderwidth < 0 || borderheight < 0) {
        borderwidth = resolveborder(borderwidth, t_WindowPos(window, 15), r.Width);
        borderheight = resolveborder(borderheight, t_WindowPos(window, 16), r.Height);
    }
    if (!bordersfit(prefix, borderwidth, borderheight)) return t_Outcome::Finished;
    if (!titlevisible) {
        t_WindowTitleVisible(window, false);
        logline(prefix + " title will be invisible.");
    }
    textscreen(font, r);
    // The last question to the GUI thread, which lets go of the lock: from here to Initialized
    // the lock is held, so no other creation can free or move memory around blocks that belong
    // to no initialised window yet.
    const bool hasview = host::viewexists(window);
    if (w.Initialized) freewindowblocks(window, prefix);  // created meanwhile by another thread
    if (!placewindow(prefix, w, r)) return t_Outcome::Finished;
    setrecord(w, r, autoupdate, borderwidth, borderheight, titlevisible);
    if (!hasview) {
        unplacewindow(w);
        w.Font = emptyfont();
        logline(prefix + " could not be initialized, resource undefined.");
        return t_Outcome::Finished;
    }
    w.View = window;
    w.Window = window;
    w.Font = font;
    clearwindowmemory(window, w);  // before it counts as initialised, so no view shows stale pixels
    w.Initialized = true;
    t_WindowTitle(window, programname() + (w.TextMemoryStart < 0 ? "-Grafik" : ""));
    settlezoom(window, w, prefix);
    t_WindowSize(window, -1, -1, r.Width, r.Height);
    t_ColorBorder(window, 5);
    return t_Outcome::Finished;
}

// cells x cell size as the refusal line should show it; only a product beyond 64 bits is held at
// the largest number, which the size check refuses just the same.
int64_t cellspan(int64_t cells, int64_t cellsize) {
    const __int128 span = static_cast<__int128>(cells) * cellsize;
    return static_cast<int64_t>(std::clamp<__int128>(span, std::numeric_limits<int64_t>::min(),
                                                     std::numeric_limits<int64_t>::max()));
}

}  // namespace

void t_InitGraphicWindow(uint8_t window, int64_t bitDepth, bool autoUpdate, int64_t width, int64_t height,
                         int64_t borderWidth, int64_t borderHeight, const t_Font& font, bool titleVisible) {
    if (window >= windowcount) {
        logline("t_InitWindow: Window is not a graphic window.");
        return;
    }
    const std::string prefix = "t_InitWindow: GraphicWindow #" + std::to_string(window);
    if (!drawablefont(font)) {
        logline(prefix + " font cell of " + fontcell(font) + " cannot be drawn.");
        return;
    }
    logline(prefix + " Start.");
    waitforframework();
    uint8_t none = nowindow;
    framework.mainwindow.compare_exchange_strong(none, window);
    if (!framework.autoupdaterunning.exchange(true)) startasyncprocess(t_WindowAutoUpdateProcess);
    t_Request request;
    request.Depth = bitDepth;
    request.Width = width;
    request.Height = height;
    if (createwindow(window, prefix, request, autoUpdate, borderWidth, borderHeight, font, titleVisible) ==
        t_Outcome::Finished)
        logline(prefix + " End.");
}


void t_InitWindow(uint8_t window, int64_t bitDepth, int64_t columns, int64_t lines, int64_t border,
                  const std::string& fontFileName) {
    const t_Font font = t_LoadFontResource(fontFileName);
    if (font.Data.empty()) {
        logline("t_InitWindow: Font '" + fontFileName + "' not found.");
        return;
    }
    t_InitGraphicWindow(window, bitDepth, true, cellspan(columns, font.Width), cellspan(lines, font.Height), border,
                        border, font, true);
}
