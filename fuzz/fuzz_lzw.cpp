// LZW decoding of arbitrary bytes, as code streams of every width and as coded font data,
// and the coder's round trip: whatever it codes must decode to the very same bytes.
#include <cstdlib>
#include <cstdio>

#include "fuzz/fuzz_input.h"
#include "graphics/lzw.h"
#include "text/font_resource.h"

namespace {

constexpr uint64_t outputbound = 1 << 20;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_lzw: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> input(data, data + size);

    std::vector<uint8_t> out;
    if (lzwunpack(input, outputbound, out)) require(out.size() <= outputbound, "lzwunpack passed its bound");
    else require(out.empty(), "lzwunpack failed with output");

    if (!input.empty()) {
        const std::vector<uint8_t> bits(input.begin() + 1, input.end());
        const int64_t width = input[0] <= 40 ? input[0] : input[0] % 40;
        const std::vector<t_LZWCode> codes = lzwunpackcodes(bits, width, outputbound);
        require(codes.size() <= outputbound, "lzwunpackcodes passed its bound");
        std::vector<uint8_t> decoded;
        if (!lzwdecodecodes(codes, outputbound, decoded)) require(decoded.empty(), "lzwdecodecodes failed with output");
        // The streaming decoder and the two-step decoder must agree.
        if (width == input[0] && width >= 1 && width <= 31) {
            std::vector<uint8_t> streamed;
            const bool whole = lzwunpack(input, outputbound, streamed);
            std::vector<uint8_t> stepped;
            const bool steps = lzwdecodecodes(lzwunpackcodes(bits, width, outputbound + 1), outputbound, stepped);
            require(whole == steps && streamed == stepped, "streaming and stepwise decoding differ");
        }
    }

    t_Font font;
    font.Format = size % 2 ? 100 : 102;
    font.Width = 16;
    font.Height = 32;
    font.End = 255;
    font.Data = input;
    const t_Font unpacked = unpackfont(font);
    require(unpacked.Data.size() <= largestfontdata, "font data passed its bound");

    const std::vector<uint8_t> coded = lzwpack(input);
    std::vector<uint8_t> back;
    require(lzwunpack(coded, input.size(), back) && back == input, "coder round trip failed");
    return 0;
}
