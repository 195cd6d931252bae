// The window record, its colour and font records: plain values owned by the window table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct t_RGBColor {
    uint8_t Alpha = 255;
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    bool operator==(const t_RGBColor&) const = default;
};

struct t_Rect {
    double X = 0, Y = 0, Width = 0, Height = 0;
};

// A bitmap font as loaded from a ".font" resource; empty Data means "no font" everywhere.
struct t_Font {
    int64_t HeaderSize = 16;
    std::vector<uint8_t> Identifier{0x6D, 0x78, 0x66, 0x6E};  // "mxfn"
    int64_t Format = 0;
    int64_t Size = 0;
    uint8_t Start = 0;
    uint8_t End = 0;
    int64_t Width = 0;
    int64_t Height = 0;
    int64_t Reserved = 0;
    std::vector<uint8_t> Data;
};

// Host objects are named by window number; the record only remembers whether it is bound.
using t_HostRef = int;  // -1 none, else the framework number whose host object it is
constexpr t_HostRef nohostref = -1;

struct t_Window {
    bool Initialized = false;
    bool Visible = false;
    bool IgnoreEvents = false;
    bool AutoUpdate = false;
    bool QuickUpdate = false;
    bool ScrollLock = false;
    bool VerticalBlank = true;
    int64_t UpdateStarted = 0;   // ms, written by the refresh thread
    int64_t UpdateFinished = 0;  // ms, written by the view when an image is finished
    int64_t UpdateDuration = 0;  // us the last image took
    int64_t RefreshRate = 30;
    t_HostRef Window = nohostref;
    t_HostRef View = nohostref;
    t_Rect DrawingRect;
    int64_t TitleHeight = 0;
    int64_t BorderWidth = 0;
    int64_t BorderHeight = 0;
    t_RGBColor RGBColorBorder{255, 0, 0, 0};
    int64_t BitDepth = 0;
    int64_t Width = 0;
    int64_t Height = 0;
    t_RGBColor RGBColor{255, 0, 0, 0};
    int64_t DrawingMode = 0;
    int64_t PositionX = 0;
    int64_t PositionY = 0;
    int64_t MemoryStart = -1;
    int64_t MemoryEnd = -1;
    t_Font Font;
    int64_t TextWidth = 0;
    int64_t TextHeight = 0;
    int64_t TextFirstColumn = 0;
    int64_t TextLastColumn = 0;
    int64_t TextFirstLine = 0;
    int64_t TextLastLine = 0;
    int64_t TextHpos = 0;
    int64_t TextVpos = 0;
    uint8_t TextColor = 0;
    bool TextInverse = false;
    int64_t TextDisplayMode = 0;
    int64_t TextCursorLevel = 0;
    int64_t TextRedirectOutput = 1;
    std::string InputString;
    bool InputFinished = false;
    int64_t InputMode = 0;
    int64_t InputHpos = 0;
    int64_t InputVpos = 0;
    int64_t InputCursorPos = 0;
    int64_t InputMaxCharacters = 0;
    int64_t LoResOffsetX = 0;
    int64_t LoResOffsetY = 0;
    int64_t LoResMode = 0;
    int64_t TextMemoryStart = -1;
    int64_t TextMemoryEnd = -1;
};

inline t_Font emptyfont() { return t_Font{}; }
