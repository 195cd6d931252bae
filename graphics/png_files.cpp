#include "graphics/png_files.h"

#include <cerrno>

#include "core/framework_state.h"
#include "core/report.h"
#include "graphics/byte_files.h"
#include "graphics/capture.h"
#include "graphics/graphic_decoding_stages.h"
#include "host/images.h"

namespace {

uint32_t opaque(uint32_t red, uint32_t green, uint32_t blue) { return 0xFF000000u | (red << 16) | (green << 8) | blue; }

// The pixels as the window image shows them. Index formats go through a 16-entry table.
std::vector<uint32_t> displaypixels(const t_Graphic& base) {
    std::vector<uint32_t> pixels(static_cast<size_t>(base.Size));
    const uint8_t* in = base.Data.data();
    uint32_t palette[16];
    for (size_t i = 0; i < 16; ++i) palette[i] = opaque(palettered[i], palettegreen[i], paletteblue[i]);
    for (uint32_t& pixel : pixels) {
        switch (base.Format) {
            case g_FormatBool: pixel = palette[*in != 0 ? 15 : 0]; in += 1; break;
            case g_FormatNibble: pixel = palette[*in & 15]; in += 1; break;
            case g_FormatGrey: pixel = opaque(in[0], in[0], in[0]); in += 1; break;
            case g_FormatRGBColor: pixel = opaque(in[0], in[1], in[2]); in += 3; break;
            case g_FormatAGrey: pixel = opaque(in[1], in[1], in[1]); in += 2; break;
            default: pixel = opaque(in[1], in[2], in[3]); in += 4; break;
        }
    }
    return pixels;
}

std::vector<uint8_t> topng(const t_Graphic& graphic, const char* operation) {
    t_Graphic base;
    if (!decompressgraphic(graphic, base, operation)) return {};
    if (base.Size < 1) {
        reportfailure(operation, "Picture has no pixels.");
        return {};
    }
    const std::vector<uint32_t> pixels = displaypixels(base);
    std::vector<uint8_t> png = host::encodepng(pixels.data(), base.Width, base.Height, false);
    if (png.empty()) reportfailure(operation, "PNG could not be made.");
    return png;
}

t_Graphic frompng(const std::vector<uint8_t>& png, const char* operation) {
    std::vector<uint32_t> pixels;
    int64_t width = 0, height = 0;
    std::string error;
    if (!host::decodepng(png, maxgraphicbytes / 4, pixels, width, height, error)) {
        reportfailure(operation, "PNG could not be read (" + error + ").");
        return emptygraphic();
    }
    bool transparent = false;
    for (const uint32_t pixel : pixels) transparent |= (pixel >> 24) != 0xFF;
    t_Graphic graphic;
    graphic.Format = transparent ? g_FormatARGBColor : g_FormatRGBColor;
    graphic.Width = width;
    graphic.Height = height;
    graphic.Size = width * height;
    graphic.Reserved1 = 1;
    graphic.Reserved2 = 1;
    const int unit = transparent ? 4 : 3;
    graphic.Data.resize(pixels.size() * static_cast<size_t>(unit));
    uint8_t* out = graphic.Data.data();
    for (const uint32_t pixel : pixels) {
        if (transparent) *out++ = static_cast<uint8_t>(pixel >> 24);
        *out++ = static_cast<uint8_t>(pixel >> 16);
        *out++ = static_cast<uint8_t>(pixel >> 8);
        *out++ = static_cast<uint8_t>(pixel);
    }
    return graphic;
}

}  // namespace

std::vector<uint8_t> g_GraphicToPNG(const t_Graphic& graphic) { return topng(graphic, "g_GraphicToPNG"); }

t_Graphic g_PNGToGraphic(const std::vector<uint8_t>& png) { return frompng(png, "g_PNGToGraphic"); }

int64_t g_WritePNGFile(const std::string& path, const t_Graphic& graphic) {
    const std::vector<uint8_t> png = topng(graphic, "g_WritePNGFile");
    if (png.empty()) return EINVAL;
    return setbinarytofile(path, png);
}

t_Graphic g_ReadPNGFile(const std::string& path) {
    const std::vector<uint8_t> png = getbinaryfromfile(path);
    if (png.empty()) {
        reportfailure("g_ReadPNGFile", "No picture read from " + path + ".");
        return emptygraphic();
    }
    return frompng(png, "g_ReadPNGFile");
}

int64_t g_SavePNG(uint8_t window, const std::string& path) {
    const t_Graphic graphic = g_GetScreen(window);
    if (graphic.Size < 1) return EINVAL;  // the capture has said why
    return g_WritePNGFile(path, graphic);
}

void g_LoadPNG(uint8_t window, const std::string& path, int64_t x, int64_t y) {
    const t_Graphic graphic = g_ReadPNGFile(path);
    if (graphic.Size > 0) g_PutScreen(window, graphic, x, y);
}
