// The captured picture record and the data format codes shared by graphics and fonts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Base formats describe pixels; +10 packed, +20 run-length coded, +100 LZW coded on top.
constexpr int64_t g_FormatBool = 0;             // a byte 0 or 15 per pixel
constexpr int64_t g_FormatNibble = 1;           // a palette index per pixel
constexpr int64_t g_FormatGrey = 2;             // a grey level per pixel
constexpr int64_t g_FormatRGBColor = 3;         // red, green, blue per pixel
constexpr int64_t g_FormatAGrey = 4;            // alpha, grey per pixel
constexpr int64_t g_FormatARGBColor = 5;        // alpha, red, green, blue per pixel
constexpr int64_t g_FormatPackedBool = 10;      // 8 pixels a byte, each row from a new byte
constexpr int64_t g_FormatPackedNibble = 11;    // 2 pixels a byte, each row from a new byte
constexpr int64_t g_FormatPackedAGrey = 14;     // the shared alpha, then grey per pixel
constexpr int64_t g_FormatPackedARGBColor = 15; // the shared alpha, then RGB per pixel
constexpr int64_t g_FormatRLEBool = 20;
constexpr int64_t g_FormatRLENibble = 21;
constexpr int64_t g_FormatRLEGrey = 22;
constexpr int64_t g_FormatRLERGBColor = 23;
constexpr int64_t g_FormatRLEAGrey = 24;
constexpr int64_t g_FormatRLEARGBColor = 25;
constexpr int64_t g_FormatRLEPackedBool = 30;
constexpr int64_t g_FormatRLEPackedNibble = 31;
constexpr int64_t g_FormatRLEPackedAGrey = 34;
constexpr int64_t g_FormatRLEPackedARGBColor = 35;
constexpr int64_t g_FormatLZW = 100;            // added to any of the codes above

// A picture taken out of a window; every coding stage returns a new one whose Format says
// what Data holds. Size, Width and Height describe the pixels and no stage changes them.
struct t_Graphic {
    int64_t HeaderSize = 16;
    std::vector<uint8_t> Identifier{0x6D, 0x78, 0x67, 0x72};  // "mxgr"
    int64_t Format = 0;
    int64_t Size = 0;       // Width x Height pixels
    int64_t Width = 0;
    int64_t Height = 0;
    int64_t Reserved1 = 0;  // 1 after a capture, stored as 4 bits
    int64_t Reserved2 = 0;  // 1 after a capture, stored as 4 bits
    int64_t Reserved3 = 0;  // 0 after a capture, stored as a byte
    std::vector<uint8_t> Data;
    bool operator==(const t_Graphic&) const = default;
};

// The identifier every record and graphic file carries, "mxgr".
inline const std::vector<uint8_t>& graphicidentifier() {
    static const std::vector<uint8_t> identifier{0x6D, 0x78, 0x67, 0x72};
    return identifier;
}

inline t_Graphic emptygraphic() { return t_Graphic{}; }  // what every failure answers

// The largest picture the decoders accept: its unpacked pixels may take this many bytes. Far
// above any window the video memory can hold, far below what would exhaust memory.
constexpr int64_t maxgraphicbytes = int64_t{1} << 28;

bool isgraphicformat(int64_t format);        // one of the codes above, LZW coded or not
int64_t graphicbaseformat(int64_t format);   // 0-5 for every known code, -1 otherwise
int64_t graphicunitbytes(int64_t baseformat);  // bytes per pixel of a base format, 0 unknown
