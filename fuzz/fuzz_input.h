// Reading fuzz input bytes as the arguments of framework calls. Past the end every read
// answers 0, so any input decodes to some sequence of calls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/window_record.h"

class t_FuzzInput {
public:
    t_FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool more() const { return position_ < size_; }
    size_t left() const { return size_ - position_; }

    uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }
    uint16_t word() { return static_cast<uint16_t>(byte() << 8 | byte()); }
    uint32_t u32() { return static_cast<uint32_t>(word()) << 16 | word(); }

    // Mostly small signed values around a window's size, sometimes the extremes of int64_t.
    int64_t coordinate() {
        static constexpr std::array<int64_t, 8> extremes{
            std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::min() + 1, -(int64_t{1} << 32),
            -1, int64_t{1} << 31, int64_t{1} << 32, std::numeric_limits<int64_t>::max() - 1,
            std::numeric_limits<int64_t>::max()};
        const uint8_t kind = byte();
        if (kind >= 0xF8) return extremes[kind & 7];
        return static_cast<int16_t>(word());
    }

    int64_t depth() {
        static constexpr std::array<int64_t, 8> depths{1, 4, 8, 16, 24, 32, 0, 2};
        return depths[byte() & 7];
    }

    // A length-prefixed run of bytes (at most 255).
    std::vector<uint8_t> bytes() {
        const size_t count = std::min<size_t>(byte(), left());
        std::vector<uint8_t> result(data_ + position_, data_ + position_ + count);
        position_ += count;
        return result;
    }
    std::string text() {
        const std::vector<uint8_t> raw = bytes();
        return std::string(raw.begin(), raw.end());
    }
    std::vector<uint8_t> rest() {
        std::vector<uint8_t> result(data_ + position_, data_ + size_);
        position_ = size_;
        return result;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// Fonts worth trying: none, small and odd glyph sizes, a glyph range that does not start at 0,
// data shorter than the header promises, and the program's own font (loaded on first use).
t_Font fuzzfont(uint8_t choice);
