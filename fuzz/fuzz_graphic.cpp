// The decoders of captured pictures on arbitrary bytes: graphic files (as bytes and as a
// file), every run-length decoder, unpacking, the whole decoding chain, and drawing what a
// file held into a window. The coders' round trips serve as the oracle: coded data must decode
// to exactly the data that was coded.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_file.h"
#include "graphics/packing.h"
#include "graphics/run_length.h"
#include "windows/invariants.h"
#include "windows/window_creation.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_graphic: %s\n", what);
    std::abort();
}

void runlength(const std::vector<uint8_t>& data, int64_t length) {
    using t_Coder = std::vector<uint8_t> (*)(const std::vector<uint8_t>&);
    using t_Decoder = std::vector<uint8_t> (*)(const std::vector<uint8_t>&, int64_t);
    const t_Coder coders[] = {binarytorle, binary16torle, binary24torle, binary32torle};
    const t_Decoder decoders[] = {rletobinary, rle16tobinary, rle24tobinary, rle32tobinary};
    for (int unit = 0; unit < 4; ++unit) {
        const std::vector<uint8_t> decoded = decoders[unit](data, length);
        require(decoded.empty() || static_cast<int64_t>(decoded.size()) == length || decoded == data,
                "run-length decoder gave a wrong length");
        const int64_t bytes = unit + 1;
        if (static_cast<int64_t>(data.size()) % bytes != 0) continue;
        const std::vector<uint8_t> coded = coders[unit](data);
        require(static_cast<int64_t>(coded.size()) <= rlecodedlimit(static_cast<int64_t>(data.size()), bytes),
                "run-length coder passed its limit");
        require(decoders[unit](coded, static_cast<int64_t>(data.size())) == data, "run-length round trip failed");
    }
}

void packing(const std::vector<uint8_t>& data, int64_t width, int64_t height) {
    (void)packedbooltobinarybool(data, width, height);
    (void)packednibbletobinarynibble(data, width, height);
    if (width < 1 || width > 4096 || height < 1 || width * height != static_cast<int64_t>(data.size())) return;
    std::vector<uint8_t> values = data;
    for (uint8_t& value : values) value &= 15;
    require(packednibbletobinarynibble(binarynibbletopackednibble(values, width), width, height) == values,
            "nibble packing round trip failed");
}

// A well-formed record of the data in a base format, through every coding stage and back.
void codingchain(const std::vector<uint8_t>& data, int64_t format, int64_t width) {
    const int64_t unit = graphicunitbytes(format);
    if (unit == 0 || width < 1 || data.empty()) return;
    const int64_t height = static_cast<int64_t>(data.size()) / unit / width;
    if (height < 1) return;
    t_Graphic graphic;
    graphic.Format = format;
    graphic.Width = width;
    graphic.Height = height;
    graphic.Size = width * height;
    graphic.Data.assign(data.begin(), data.begin() + width * height * unit);
    if (format == g_FormatBool)
        for (uint8_t& value : graphic.Data) value = value & 1 ? 15 : 0;
    if (format == g_FormatNibble)
        for (uint8_t& value : graphic.Data) value &= 15;
    const t_Graphic coded = g_CompressLZW(g_CompressRLE(g_Pack(graphic)));
    require(g_Decompress(coded) == graphic, "coding chain round trip failed");
    require(graphicfrombytes(graphictobytes(coded), "fuzz") == coded, "graphic bytes round trip failed");
}

// One window per depth (2 to 7), created on first use: re-creating costs a trip to the GUI thread.
void drawinwindow(const t_Graphic& graphic, int64_t depthindex, int64_t x, int64_t y) {
    static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
    static bool created[6] = {};
    const uint8_t window = static_cast<uint8_t>(2 + depthindex);
    if (!created[depthindex]) {
        t_InitGraphicWindow(window, depths[depthindex], false, 96, 64, 0, 0, t_Font{}, true);
        created[depthindex] = true;
    }
    g_PutScreen(window, graphic, x, y);
    const std::string broken = checkframeworkinvariants();
    if (!broken.empty()) std::fprintf(stderr, "fuzz_graphic: %s\n", broken.c_str());
    require(broken.empty(), "framework invariant broken");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> input(data, data + size);

    // The file reader sees the bytes as they are.
    const t_Graphic record = graphicfrombytes(input, "fuzz");
    if (record.Format != 0 || !record.Data.empty()) {
        const t_Graphic pixels = g_Decompress(record);
        (void)g_DecompressLZW(record);
        (void)g_DecompressRLE(record);
        (void)g_Unpack(record);
        if (!pixels.Data.empty())
            drawinwindow(pixels, static_cast<int64_t>(size % 6), 0, 0);
    }
    if (size % 64 == 0) {  // now and then through a real file, as the open command reads it
        static const std::string path = "/tmp/stangenspiel-fuzz-" + std::to_string(::getpid()) + ".gr";
        if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(data, 1, size, file);
            std::fclose(file);
            const bool same = readgraphicfile(path) == record;
            ::unlink(path.c_str());
            require(same, "file and bytes read differently");
        }
    }

    // The same bytes as parameters and coded data of the other decoders.
    t_FuzzInput in(data, size);
    const int64_t width = in.word() % 300;
    const int64_t height = in.word() % 300;
    const uint8_t format = in.byte();
    const int64_t depthchoice = in.byte();
    const int64_t x = in.coordinate();
    const int64_t y = in.coordinate();
    const std::vector<uint8_t> tail = in.rest();
    runlength(tail, width * height);
    packing(tail, width, height);
    codingchain(tail, format % 6, width);

    t_Graphic wild;
    wild.Format = format;
    wild.Width = width;
    wild.Height = height;
    wild.Size = width * height;
    wild.Data = tail;
    const t_Graphic pixels = g_Decompress(wild);
    if (!pixels.Data.empty()) drawinwindow(pixels, depthchoice % 6, x, y);
    return 0;
}
