// Files as whole byte arrays. Synchronous, stateless, callable from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Files above this size are refused rather than read into memory.
constexpr int64_t largestbinaryfile = 256LL * 1024 * 1024;

// The whole file; empty after "getbinaryfromfile: Error #<system text>" (also for a directory,
// a device or pipe, or a file above largest bytes). An empty file gives an empty array silently.
std::vector<uint8_t> getbinaryfromfile(const std::string& path, int64_t largest = largestbinaryfile);
// Creates or replaces the file; 0, or the errno after "setbinarytofile: Error #<system text>".
// Writes beside the target and renames, so a failed write leaves an existing file as it was.
// A device or pipe is written in place (never replaced): "/dev/full" answers ENOSPC.
int64_t setbinarytofile(const std::string& path, const std::vector<uint8_t>& data);
// The unsigned big-endian 32-bit number at offset; 0 when the 4 bytes are not all there.
int64_t getbinaryint32(const std::vector<uint8_t>& data, int64_t offset);
