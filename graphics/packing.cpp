#include "graphics/packing.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "core/report.h"

namespace {

// Eight output bytes (0 or 15) for every packed byte: unpacking a row is one copy per byte.
struct t_BitSpread {
    std::array<std::array<uint8_t, 8>, 256> Bytes{};
    t_BitSpread() {
        for (int b = 0; b < 256; ++b)
            for (int k = 0; k < 8; ++k) Bytes[static_cast<size_t>(b)][static_cast<size_t>(k)] = (b >> (7 - k)) & 1 ? 15 : 0;
    }
};
const t_BitSpread bitspread;

}  // namespace

int64_t packedboolrowbytes(int64_t width) { return width < 1 ? 0 : width / 8 + (width % 8 != 0); }
int64_t packednibblerowbytes(int64_t width) { return width < 1 ? 0 : width / 2 + width % 2; }

std::vector<uint8_t> binarybooltopackedbool(const std::vector<uint8_t>& data, int64_t width) {
    const int64_t n = static_cast<int64_t>(data.size());
    if (n == 0) return {};
    if (width < 1) width = n;  // a picture without width is one row
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(n / 8 + n / width + 1));
    for (int64_t row = 0; row < n; row += width) {
        const int64_t end = std::min(n, row + width);
        for (int64_t i = row; i < end; i += 8) {
            const int64_t groupend = std::min(end, i + 8);
            uint8_t byte = 0;
            for (int64_t k = i; k < groupend; ++k)
                if (data[static_cast<size_t>(k)] != 0) byte |= static_cast<uint8_t>(0x80 >> (k - i));
            // Only a group cut short by the end of the data, not by its row, is announced.
            if (groupend == n && end - row < width && groupend - i < 8)
                logline("binarybooltopackedbool: Appending one Byte = " + std::to_string(byte));
            out.push_back(byte);
        }
    }
    return out;
}

std::vector<uint8_t> binarynibbletopackednibble(const std::vector<uint8_t>& data, int64_t width) {
    const int64_t n = static_cast<int64_t>(data.size());
    if (n == 0) return {};
    if (width < 1) width = n;
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(n / 2 + n / width + 1));
    for (int64_t row = 0; row < n; row += width) {
        const int64_t end = std::min(n, row + width);
        const bool rowcomplete = end - row == width;
        int64_t i = row;
        for (; i + 1 < end; i += 2)
            out.push_back(static_cast<uint8_t>(((data[static_cast<size_t>(i)] & 15) << 4) |
                                               (data[static_cast<size_t>(i + 1)] & 15)));
        if (i < end && rowcomplete) out.push_back(static_cast<uint8_t>((data[static_cast<size_t>(i)] & 15) << 4));
    }
    return out;
}

std::vector<uint8_t> packedbooltobinarybool(const std::vector<uint8_t>& data, int64_t width, int64_t height) {
    const int64_t rowbytes = packedboolrowbytes(width);
    if (width < 0 || height < 0 || static_cast<int64_t>(data.size()) != rowbytes * height) return {};
    std::vector<uint8_t> out(static_cast<size_t>(width * height));
    const int64_t whole = width / 8;
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* in = data.data() + y * rowbytes;
        uint8_t* o = out.data() + y * width;
        for (int64_t b = 0; b < whole; ++b, o += 8) std::memcpy(o, bitspread.Bytes[in[b]].data(), 8);
        if (width % 8 != 0) std::memcpy(o, bitspread.Bytes[in[whole]].data(), static_cast<size_t>(width % 8));
    }
    return out;
}

std::vector<uint8_t> packednibbletobinarynibble(const std::vector<uint8_t>& data, int64_t width, int64_t height) {
    const int64_t rowbytes = packednibblerowbytes(width);
    if (width < 0 || height < 0 || static_cast<int64_t>(data.size()) != rowbytes * height) return {};
    std::vector<uint8_t> out(static_cast<size_t>(width * height));
    for (int64_t y = 0; y < height; ++y) {
        const uint8_t* in = data.data() + y * rowbytes;
        uint8_t* o = out.data() + y * width;
        for (int64_t x = 0; x + 1 < width; x += 2, ++in) {
            *o++ = *in >> 4;
            *o++ = *in & 15;
        }
        if (width % 2 != 0) *o = *in >> 4;
    }
    return out;
}
