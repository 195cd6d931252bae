// PNG through the host's image codecs, in plain types. Pixels are 0xAARRGGBB words, rows from
// the top. Safe on any thread (no GUI objects are involved).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// The PNG bytes of width x height pixels; without alpha the picture is stored opaque.
// Empty when the codec fails.
std::vector<uint8_t> encodepng(const uint32_t* pixels, int64_t width, int64_t height, bool withalpha);

// Decodes PNG bytes into pixels (alpha not premultiplied). A picture of more than maxpixels
// pixels is refused before it is decoded. False with error set to a short reason.
bool decodepng(const std::vector<uint8_t>& bytes, int64_t maxpixels, std::vector<uint32_t>& pixels, int64_t& width,
               int64_t& height, std::string& error);

}  // namespace host
