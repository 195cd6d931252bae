#include "graphics/run_length.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "core/report.h"
#include "core/text_utilities.h"

namespace {

constexpr int64_t longestcount = 0xFFFFFFFF;  // the widest count field holds 32 bits

// A unit is read as one big-endian number, so comparing units is comparing integers.
template <int U>
inline uint32_t loadunit(const uint8_t* p) {
    if constexpr (U == 1) return p[0];
    else if constexpr (U == 2) return (uint32_t{p[0]} << 8) | p[1];
    else if constexpr (U == 3) return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    else return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

template <int U>
inline uint8_t* storeunit(uint8_t* p, uint32_t v) {
    for (int k = U - 1; k >= 0; --k) *p++ = static_cast<uint8_t>(v >> (8 * k));
    return p;
}

// The histogram key of a unit and the escape unit made from the rarest key. The wider coders
// count only two of their bytes (a table of 65,536), and pad the escape with 0x55.
template <int U>
inline uint32_t unitkey(uint32_t v) {
    if constexpr (U == 3) return v >> 8;
    else if constexpr (U == 4) return (v >> 8) & 0xFFFF;
    else return v;
}

template <int U>
inline uint32_t escapefromkey(uint32_t key) {
    if constexpr (U == 3) return (key << 8) | 0x55;
    else if constexpr (U == 4) return 0x55000055u | (key << 8);
    else return key;
}

template <int U>
constexpr int64_t shortestcoded() { return U == 1 ? 4 : 4 * U; }

template <int U>
bool codable(int64_t length) { return length >= shortestcoded<U>() && length % U == 0; }

inline uint8_t* storecount(uint8_t* o, int64_t count) {
    if (count <= 239) {
        *o++ = static_cast<uint8_t>(count);
    } else if (count <= 0xFFFF) {
        *o++ = 240;
        o = storeunit<2>(o, static_cast<uint32_t>(count));
    } else {
        *o++ = 241;
        o = storeunit<4>(o, static_cast<uint32_t>(count));
    }
    return o;
}

template <int U>
std::vector<uint8_t> encode(const std::vector<uint8_t>& data, const char* name) {
    const int64_t n = static_cast<int64_t>(data.size());
    if (U == 3) logline(std::string(name) + ": Size " + std::to_string(n) + " bytes.");
    if (!codable<U>(n)) return data;
    const uint8_t* in = data.data();
    const int64_t units = n / U;

    std::vector<uint64_t> counts(U == 1 ? 256 : 65536, 0);
    for (int64_t i = 0; i < units; ++i) ++counts[unitkey<U>(loadunit<U>(in + i * U))];
    const auto rarest = std::min_element(counts.begin(), counts.end());  // the first of equals
    const uint32_t key = static_cast<uint32_t>(rarest - counts.begin());
    const uint32_t escape = escapefromkey<U>(key);
    const std::string prefix = std::string(name) + ": ";
    if (U == 2)
        logline(prefix + std::to_string(*rarest) + " elements found: " + std::to_string(key) + ".");
    else if (U == 3)
        logline(prefix + std::to_string(*rarest) + " elements found: $" + hex4(key) + ".");
    else if (U == 4)
        logline(prefix + std::to_string(*rarest) + " elements found: $" + std::to_string(key) + ".");

    // Coded into an uninitialised buffer of the worst case's size: filling it with zeros first
    // cost more than the coding, and for a screen only a fraction of it is ever written.
    const std::unique_ptr<uint8_t[]> buffer(new uint8_t[static_cast<size_t>(rlecodedlimit(n, U))]);
    uint8_t* o = storeunit<U>(buffer.get(), escape);
    int64_t i = 0;
    while (i < units) {
        const uint32_t v = loadunit<U>(in + i * U);
        int64_t j = i + 1;
        while (j < units && loadunit<U>(in + j * U) == v) ++j;
        int64_t run = j - i;
        i = j;
        for (; run >= 4; run -= std::min(run, longestcount)) {
            o = storeunit<U>(o, escape);
            o = storecount(o, std::min(run, longestcount));
            o = storeunit<U>(o, v);
        }
        if (run == 0) continue;
        if (v == escape) {
            o = storeunit<U>(o, escape);
            *o++ = static_cast<uint8_t>(run);
            if (U > 1) logline(prefix + std::to_string(run) + " elements appended.");
        } else {
            for (int64_t k = 0; k < run; ++k) o = storeunit<U>(o, v);
        }
    }
    return std::vector<uint8_t>(buffer.get(), o);
}

template <int U>
std::vector<uint8_t> decode(const std::vector<uint8_t>& data, int64_t length, const char* name) {
    const int64_t n = static_cast<int64_t>(data.size());
    if (length < 0 || !codable<U>(length)) {
        if (n == length) return data;
        reportfailure(name, "Data does not match its length.");
        return {};
    }
    auto fail = [name] {
        reportfailure(name, "Coded data does not give the picture's length.");
        return std::vector<uint8_t>{};
    };
    if (n < U) return fail();
    const uint8_t* in = data.data();
    const uint32_t escape = loadunit<U>(in);
    std::vector<uint8_t> out(static_cast<size_t>(length));
    uint8_t* o = out.data();
    int64_t left = length / U;  // units still to come
    int64_t pos = U;
    while (pos < n) {
        if (n - pos < U) return fail();
        const uint32_t v = loadunit<U>(in + pos);
        pos += U;
        if (v != escape) {
            if (left < 1) return fail();
            o = storeunit<U>(o, v);
            --left;
            continue;
        }
        if (pos >= n) return fail();
        const uint8_t c = in[pos++];
        int64_t count = c;
        uint32_t value = escape;
        if (c == 0 || c > 241) return fail();
        if (c >= 4) {
            if (c >= 240) {
                const int width = c == 240 ? 2 : 4;
                if (n - pos < width) return fail();
                count = width == 2 ? loadunit<2>(in + pos) : loadunit<4>(in + pos);
                pos += width;
            }
            if (n - pos < U) return fail();
            value = loadunit<U>(in + pos);
            pos += U;
        }
        if (count > left) return fail();
        if constexpr (U == 1) {
            std::memset(o, static_cast<int>(value), static_cast<size_t>(count));
            o += count;
        } else {
            for (int64_t k = 0; k < count; ++k) o = storeunit<U>(o, value);
        }
        left -= count;
    }
    if (left != 0) return fail();
    return out;
}

}  // namespace

int64_t rlecodedlimit(int64_t length, int64_t unit) {
    if (unit < 1) return length;
    // Worst case: every unit is a lone escape unit, written as escape plus a count byte.
    return unit + (length / unit) * (unit + 1) + length % unit;
}

std::vector<uint8_t> binarytorle(const std::vector<uint8_t>& data) { return encode<1>(data, "binarytorle"); }
std::vector<uint8_t> binary16torle(const std::vector<uint8_t>& data) { return encode<2>(data, "binary16torle"); }
std::vector<uint8_t> binary24torle(const std::vector<uint8_t>& data) { return encode<3>(data, "binary24torle"); }
std::vector<uint8_t> binary32torle(const std::vector<uint8_t>& data) { return encode<4>(data, "binary32torle"); }

std::vector<uint8_t> rletobinary(const std::vector<uint8_t>& data, int64_t length) {
    return decode<1>(data, length, "rletobinary");
}
std::vector<uint8_t> rle16tobinary(const std::vector<uint8_t>& data, int64_t length) {
    return decode<2>(data, length, "rle16tobinary");
}
std::vector<uint8_t> rle24tobinary(const std::vector<uint8_t>& data, int64_t length) {
    return decode<3>(data, length, "rle24tobinary");
}
std::vector<uint8_t> rle32tobinary(const std::vector<uint8_t>& data, int64_t length) {
    return decode<4>(data, length, "rle32tobinary");
}
