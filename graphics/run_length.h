// Run-length coding of byte arrays in units of 1 to 4 bytes, and its decoding.
#pragma once

#include <cstdint>
#include <vector>

// Coders: the escape unit first (the rarest unit of the data), then each run of four or more
// equal units as escape, count, unit. Data too short for a coder comes back unchanged.
std::vector<uint8_t> binarytorle(const std::vector<uint8_t>& data);    // 1-byte units, from 4 bytes
std::vector<uint8_t> binary16torle(const std::vector<uint8_t>& data);  // 2-byte units, from 8 bytes, even
std::vector<uint8_t> binary24torle(const std::vector<uint8_t>& data);  // 3-byte units, from 12 bytes, by 3
std::vector<uint8_t> binary32torle(const std::vector<uint8_t>& data);  // 4-byte units, from 16 bytes, by 4

// Decoders: the data as it was before coding, given its length in bytes. Data that the coder
// would have left unchanged is returned as it is. Coded data that does not give exactly
// `length` bytes prints "rletobinary: ..." (or its sibling's name) and returns an empty array.
std::vector<uint8_t> rletobinary(const std::vector<uint8_t>& data, int64_t length);
std::vector<uint8_t> rle16tobinary(const std::vector<uint8_t>& data, int64_t length);
std::vector<uint8_t> rle24tobinary(const std::vector<uint8_t>& data, int64_t length);
std::vector<uint8_t> rle32tobinary(const std::vector<uint8_t>& data, int64_t length);

// The most bytes a coder can make of `length` bytes in units of `unit` bytes.
int64_t rlecodedlimit(int64_t length, int64_t unit);
