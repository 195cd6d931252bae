// The captured picture record and the data format codes shared by graphics and fonts.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>
#include <vector>

// t_Graphic and the g_Format codes are public.

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
