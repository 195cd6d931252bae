// Line input: typed characters echo at the cursor through the display mode and can be edited
// until Return. The line wraps inside the text area, which scrolls up when the line reaches its
// bottom, but never so far that the line's own beginning leaves it. While the line is read, the
// window record's Input fields hold it, so another thread of the program can watch.
#include "text/line_input.h"

#include <algorithm>
#include <vector>

#include "core/events.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "text/key_input.h"
#include "text/text_cells.h"
#include "text/text_output.h"

namespace {

constexpr int64_t escapemode = 99;

// The editing keys, as the key table delivers them.
constexpr int64_t keyreturn = 13, keybackspace = 127, keydelete = 7, keyleft = 8, keyright = 21, keyhome = 2,
                  keyend = 5, keyescape = 27;

// The geometry the line is laid out in. When it changes under a waiting input (the window made
// again, the area set by another thread), the cells computed from it mean nothing any more and
// the input ends.
struct t_Layout {
    int64_t TextMemoryStart = -1, TextWidth = 0, TextHeight = 0;
    int64_t FirstColumn = 0, LastColumn = 0, FirstLine = 0, LastLine = 0;
    bool operator==(const t_Layout&) const = default;
};

t_Layout layoutof(const t_Window& r) {
    return {r.TextMemoryStart, r.TextWidth, r.TextHeight, r.TextFirstColumn, r.TextLastColumn,
            r.TextFirstLine, r.TextLastLine};
}

// An area inside the screen, as t_Area keeps it; anything else is not edited in.
bool usable(const t_Layout& l) {
    return l.TextMemoryStart >= 0 && 1 <= l.FirstColumn && l.FirstColumn <= l.LastColumn &&
           l.LastColumn <= l.TextWidth && 1 <= l.FirstLine && l.FirstLine <= l.LastLine && l.LastLine <= l.TextHeight;
}

// The line being edited. All members run under the framework lock.
struct t_LineEditor {
    uint8_t Window = 0;
    int64_t Mode = linemode;
    t_Layout Layout;
    std::vector<uint8_t> Codes;  // the line in the framework's character set
    int64_t Cursor = 0;          // index into Codes, 0 to its size
    int64_t Limit = 0;           // most characters the line may hold
    int64_t StartColumn = 0;     // the cell of the line's first character; its line moves up as
    int64_t StartLine = 0;       // the area scrolls

    t_Window& record() const { return framework.windows[Window]; }
    int64_t width() const { return Layout.LastColumn - Layout.FirstColumn + 1; }
    int64_t offset(int64_t index) const { return StartColumn - Layout.FirstColumn + index; }
    int64_t columnof(int64_t index) const { return Layout.FirstColumn + offset(index) % width(); }
    int64_t lineof(int64_t index) const { return StartLine + offset(index) / width(); }
    int64_t size() const { return static_cast<int64_t>(Codes.size()); }

    // The cursor needs a cell after the last character, so the line holds one character less
    // than the cells from its start to the area's end. Without ScrollLock the start may scroll
    // up to the area's first line; with it the line must fit below the start.
    int64_t room() const {
        const int64_t lines = Layout.LastLine - (record().ScrollLock ? StartLine : Layout.FirstLine) + 1;
        return std::max<int64_t>(0, lines * width() - (StartColumn - Layout.FirstColumn) - 1);
    }

    void begin(int64_t maxCharacters) {
        t_Window& r = record();
        // A cursor outside the area (t_Vtab is absolute, t_Htab may pass a narrowed area) is
        // brought to its nearest cell: the line is edited inside the area only.
        StartColumn = std::clamp(r.TextHpos, Layout.FirstColumn, Layout.LastColumn);
        StartLine = std::clamp(r.TextVpos, Layout.FirstLine, Layout.LastLine);
        const int64_t area = width() * (Layout.LastLine - Layout.FirstLine + 1);
        Limit = maxCharacters < 1 || maxCharacters > area ? room() : std::min(maxCharacters, room());
        publish(false);
    }

    // The record's Input fields, for a program that watches the line while it is typed.
    void publish(bool finished) const {
        t_Window& r = record();
        std::string text;
        for (const uint8_t code : Codes) text += codeasutf8(code);
        r.InputString = text;
        r.InputFinished = finished;
        r.InputMode = finished ? 0 : Mode;
        r.InputHpos = StartColumn;
        r.InputVpos = StartLine;
        r.InputCursorPos = Cursor + 1;
        r.InputMaxCharacters = Limit;
    }

    bool inside(int64_t index) const {
        const int64_t line = lineof(index);
        return line >= Layout.FirstLine && line <= Layout.LastLine;
    }

    // Scrolls the area until the cell of index is in it; false when that would take the
    // line's beginning out of the area or ScrollLock keeps the area still.
    bool makevisible(int64_t index) {
        while (lineof(index) > Layout.LastLine) {
            if (record().ScrollLock || StartLine <= Layout.FirstLine) return false;
            t_ScrollUp(Window);
            --StartLine;
        }
        return true;
    }

    // One character as printing would show it. The escape mode is left out: it would take the
    // typed characters for commands.
    void drawcode(int64_t index, uint8_t code) {
        if (!inside(index)) return;
        t_Window& r = record();
        if (r.TextDisplayMode == escapemode) {
            t_PrintSymbol(Window, code, r.TextColor, columnof(index), lineof(index));
            return;
        }
        const t_DisplayModeResult shown = t_ApplyDisplayMode(Window, code);
        if (shown.Code >= 0 && shown.Code < 256)
            t_PrintSymbol(Window, static_cast<uint8_t>(shown.Code), r.TextColor, columnof(index), lineof(index));
        r.TextInverse = shown.Inverse;
        r.TextColor = shown.Colour;
    }

    // Draws the line from index `from` on, and blanks the cells up to `oldsize` that it no
    // longer covers.
    void redraw(int64_t from, int64_t oldsize) {
        for (int64_t i = from; i < size(); ++i) drawcode(i, Codes[static_cast<size_t>(i)]);
        for (int64_t i = size(); i < oldsize; ++i)
            if (inside(i)) t_PrintSymbol(Window, 32, record().TextColor, columnof(i), lineof(i));
    }

    void insert(uint8_t code) {
        if (size() >= Limit || !makevisible(size() + 1)) return;
        Codes.insert(Codes.begin() + Cursor, code);
        redraw(Cursor, size());
        ++Cursor;
    }

    void erase(int64_t index) {
        if (index < 0 || index >= size()) return;
        const int64_t oldsize = size();
        Codes.erase(Codes.begin() + index);
        Cursor = index;
        redraw(index, oldsize);
    }

    // One key; true when it ends the line. Other control codes and function keys do nothing.
    bool apply(const t_Event& key) {
        if (key.FunctionKeyPressed || key.Value < 0 || key.Value > 255) return false;
        const int64_t code = key.Value;
        switch (code) {
            case keyreturn: return true;
            case keybackspace: erase(Cursor - 1); break;
            case keydelete: erase(Cursor); break;
            case keyleft: Cursor = std::max<int64_t>(0, Cursor - 1); break;
            case keyright: Cursor = std::min(size(), Cursor + 1); break;
            case keyhome: Cursor = 0; break;
            case keyend: Cursor = size(); break;
            case keyescape: {
                const int64_t oldsize = size();
                Codes.clear();
                Cursor = 0;
                redraw(0, oldsize);
                break;
            }
            default:
                if (code >= 32) insert(static_cast<uint8_t>(code));
                break;
        }
        publish(false);
        return false;
    }

    void placecursor(int64_t index) const {
        record().TextHpos = columnof(index);
        record().TextVpos = lineof(index);
    }
};

}  // namespace

t_LineRead readinputline(std::string_view operation, uint8_t window, int64_t maxCharacters, int64_t mode) {
    FrameworkLock lock;
    if (!windowguard(operation, window, true)) return {};
    t_LineEditor editor;
    editor.Window = window;
    editor.Mode = mode;
    editor.Layout = layoutof(editor.record());
    if (!usable(editor.Layout)) return {};
    editor.begin(maxCharacters);
    for (;;) {
        editor.placecursor(editor.Cursor);
        if (!waitforkey(operation, window)) return {};
        // The wait let go of the lock: the window may have been made again meanwhile.
        const t_Window& r = editor.record();
        if (!framework.frameworkready || !r.Initialized || layoutof(r) != editor.Layout) return {};
        const std::optional<t_Event> key = takekeyevent();
        if (!key || !editor.apply(*key)) continue;
        editor.publish(true);
        // Return leaves the cursor at the start of the next line, scrolling as t_Cr does.
        editor.placecursor(editor.size());
        t_Cr(window);
        return {true, editor.record().InputString};
    }
}

std::string t_InputLine(uint8_t window, int64_t maxCharacters) {
    return readinputline("t_InputLine", window, maxCharacters, linemode).Text;
}
