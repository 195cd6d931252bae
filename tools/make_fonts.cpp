// Build-time tool: renders the program's two 16 x 32 grey bitmap fonts from DejaVu Sans Mono
// (Bold and Book) and writes them LZW coded as ".font" resources.
//   make_fonts <output folder> <bold .ttf> <book .ttf>
// Codes 32-126 and 161-255 come from the typeface (Latin-1), 127-160 are block graphics drawn
// here, 0-31 are the capitals 64-95 in inverse. The output depends only on the typeface files.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "graphics/lzw.h"

namespace {

constexpr int cellwidth = 16;
constexpr int cellheight = 32;
constexpr int glyphcount = 256;

using Glyph = std::array<uint8_t, cellwidth * cellheight>;

// --- typeface glyphs --------------------------------------------------------------------------

bool fromtypeface(int code) { return (code >= 32 && code <= 126) || (code >= 161 && code <= 255); }

struct Extent {
    int ascent = 0;   // rows above the baseline
    int descent = 0;  // rows below it
    bool fits = true;
};

// The pixel size decides everything; the largest one at which every Latin-1 glyph (capitals
// with umlauts and rings above, descenders below) fits the cell, with one row to spare.
Extent measure(FT_Face face) {
    Extent e;
    for (int code = 0; code < glyphcount; ++code) {
        if (!fromtypeface(code) || FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        if (g->bitmap.rows == 0) continue;
        e.ascent = std::max(e.ascent, g->bitmap_top);
        e.descent = std::max(e.descent, static_cast<int>(g->bitmap.rows) - g->bitmap_top);
        if ((g->advance.x >> 6) > cellwidth) e.fits = false;
    }
    if (e.ascent + e.descent > cellheight - 1) e.fits = false;
    return e;
}

bool choosesize(FT_Face face, Extent& extent) {
    for (int pixels = 32; pixels >= 12; --pixels) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) return false;
        extent = measure(face);
        if (extent.fits) return true;
    }
    return false;
}

Glyph rendertypeface(FT_Face face, int code, int baseline) {
    Glyph glyph{};
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) return glyph;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bitmap = g->bitmap;
    const int x0 = (cellwidth - static_cast<int>(g->advance.x >> 6)) / 2 + g->bitmap_left;
    const int y0 = baseline - g->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row)
        for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
            const int x = x0 + column, y = y0 + row;
            if (x < 0 || x >= cellwidth || y < 0 || y >= cellheight) continue;
            glyph[static_cast<size_t>(y * cellwidth + x)] = bitmap.buffer[row * bitmap.pitch + column];
        }
    return glyph;
}

// --- block graphics -----------------------------------------------------------------------------

// Coverage of a shape given as a point test, sampled 4 x 4 per pixel.
Glyph coverage(const std::function<bool(double, double)>& inside) {
    Glyph glyph{};
    for (int y = 0; y < cellheight; ++y)
        for (int x = 0; x < cellwidth; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
            glyph[static_cast<size_t>(y * cellwidth + x)] = static_cast<uint8_t>(hits * 255 / 16);
        }
    return glyph;
}

void fill(Glyph& glyph, int x0, int y0, int x1, int y1) {  // inclusive rectangle
    for (int y = std::max(y0, 0); y <= std::min(y1, cellheight - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, cellwidth - 1); ++x) glyph[static_cast<size_t>(y * cellwidth + x)] = 255;
}

enum Arm { up = 1, down = 2, left = 4, right = 8 };
constexpr int centerx = cellwidth / 2, centery = cellheight / 2;

// A box-drawing piece: bars of the given thickness from the cell's centre to the edges named.
Glyph bars(int arms, int thickness) {
    Glyph glyph{};
    const int lo = thickness / 2, hi = thickness - lo - 1;
    if (arms & up) fill(glyph, centerx - lo, 0, centerx + hi, centery + hi);
    if (arms & down) fill(glyph, centerx - lo, centery - lo, centerx + hi, cellheight - 1);
    if (arms & left) fill(glyph, 0, centery - lo, centerx + hi, centery + hi);
    if (arms & right) fill(glyph, centerx - lo, centery - lo, cellwidth - 1, centery + hi);
    return glyph;
}

// Double lines are the outline of a wide bar: corners and crossings then join by themselves.
// The cell's edge continues the bar, so the lines run out of the cell where an arm does.
Glyph doublebars(int arms) {
    const Glyph wide = bars(arms, 8);
    auto solid = [&](int x, int y) {
        x = std::clamp(x, 0, cellwidth - 1);
        y = std::clamp(y, 0, cellheight - 1);
        return wide[static_cast<size_t>(y * cellwidth + x)] != 0;
    };
    Glyph glyph{};
    for (int y = 0; y < cellheight; ++y)
        for (int x = 0; x < cellwidth; ++x) {
            if (!solid(x, y)) continue;
            bool edge = false;
            for (int dy = -2; dy <= 2 && !edge; ++dy)
                for (int dx = -2; dx <= 2 && !edge; ++dx) edge = !solid(x + dx, y + dy);
            if (edge) glyph[static_cast<size_t>(y * cellwidth + x)] = 255;
        }
    return glyph;
}

Glyph arrow(bool pointsright) {
    return coverage([pointsright](double x, double y) {
        if (pointsright) x = cellwidth - x;
        const double tip = 1.5, base = 9.0, halfheight = 6.5;
        const double dy = std::abs(y - centery);
        if (x >= tip && x <= base && dy <= (x - tip) / (base - tip) * halfheight) return true;
        return x >= base && x <= cellwidth - 2.0 && dy <= 1.0;
    });
}

Glyph blockgraphic(int code) {
    constexpr int single = 2, heavy = 4;
    switch (code) {
    case 127: { Glyph g; g.fill(255); return g; }                        // full block
    case 128: return coverage([](double x, double y) {                     // bullet
        return std::hypot(x - centerx, y - centery) <= 5.5; });
    case 129: {                                                            // shade
        Glyph g{};
        for (int y = 0; y < cellheight; ++y)
            for (int x = 0; x < cellwidth; ++x)
                if (((x / 2) + (y / 2)) % 2 == 0) g[static_cast<size_t>(y * cellwidth + x)] = 255;
        return g;
    }
    case 130: return arrow(false);
    case 131: {                                                            // equals bars
        Glyph g{};
        fill(g, 2, centery - 6, 13, centery - 4);
        fill(g, 2, centery + 3, 13, centery + 5);
        return g;
    }
    case 132: return arrow(true);
    case 133: return coverage([](double x, double y) {                     // ring
        const double r = std::hypot(x - centerx, y - centery);
        return r <= 6.5 && r >= 4.5; });
    case 134: return bars(down | right, single);
    case 135: return bars(down | left, single);
    case 136: return bars(up | right, single);
    case 137: return bars(up | left, single);
    case 138: return bars(up | down, single);
    case 139: return doublebars(up | down);
    case 140: return bars(left | right, single);
    case 141: return bars(left | right, heavy);
    case 142: return bars(up | down | right, single);
    case 143: return bars(up | down | left, single);
    case 144: return bars(left | right | down, single);
    case 145: return bars(left | right | up, single);
    case 146: return bars(up | down | left | right, single);
    case 147: return doublebars(down | right);
    case 148: return doublebars(down | left);
    case 149: return doublebars(up | right);
    case 150: return doublebars(up | left);
    case 151: return doublebars(up | down | right);
    case 152: return doublebars(up | down | left);
    case 153: return doublebars(up | down | left | right);
    case 154: { Glyph g{}; fill(g, 0, 0, cellwidth - 1, 1); return g; }                            // overline
    case 155: { Glyph g{}; fill(g, 0, cellheight - 2, cellwidth - 1, cellheight - 1); return g; }  // underline
    case 156: return bars(left | right, single);  // the rule segment: joins into one line across the screen
    case 157: return bars(up | down, heavy);
    case 158: return bars(up | down | left | right, heavy);
    case 159: return doublebars(left | right);
    case 160: {                                                            // visible blank: a shelf
        Glyph g{};
        fill(g, 3, 25, 12, 26);
        fill(g, 3, 21, 4, 26);
        fill(g, 11, 21, 12, 26);
        return g;
    }
    default: return Glyph{};
    }
}

// --- font file ------------------------------------------------------------------------------------

bool buildfont(FT_Library library, const std::string& typeface, const std::string& output) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, typeface.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "make_fonts: cannot open %s\n", typeface.c_str());
        return false;
    }
    Extent extent;
    if (!choosesize(face, extent)) {
        std::fprintf(stderr, "make_fonts: no size of %s fits the cell\n", typeface.c_str());
        FT_Done_Face(face);
        return false;
    }
    // Centre the typeface's whole height in the cell.
    const int baseline = (cellheight - extent.ascent - extent.descent) / 2 + extent.ascent;
    std::vector<Glyph> glyphs(glyphcount);
    for (int code = 32; code < glyphcount; ++code)
        glyphs[static_cast<size_t>(code)] = fromtypeface(code) ? rendertypeface(face, code, baseline) : blockgraphic(code);
    FT_Done_Face(face);
    for (int code = 0; code < 32; ++code)
        for (size_t i = 0; i < glyphs[0].size(); ++i)
            glyphs[static_cast<size_t>(code)][i] = static_cast<uint8_t>(255 - glyphs[static_cast<size_t>(code + 64)][i]);

    std::vector<uint8_t> data;
    for (const Glyph& g : glyphs) data.insert(data.end(), g.begin(), g.end());
    const uint32_t size = static_cast<uint32_t>(data.size());
    std::vector<uint8_t> file{16, 'm', 'x', 'f', 'n', 102,
                              static_cast<uint8_t>(size >> 24), static_cast<uint8_t>(size >> 16),
                              static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size),
                              0, 255, cellwidth, cellheight, 0, 0};
    const std::vector<uint8_t> coded = lzwpack(data);
    file.insert(file.end(), coded.begin(), coded.end());

    std::FILE* out = std::fopen(output.c_str(), "wb");
    const bool written = out != nullptr && std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (out != nullptr && std::fclose(out) != 0) return false;
    if (!written) std::fprintf(stderr, "make_fonts: cannot write %s\n", output.c_str());
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_fonts <output folder> <bold .ttf> <book .ttf>\n");
        return 2;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return 1;
    const std::string folder = std::string(argv[1]) + "/";
    const bool ok = buildfont(library, argv[2], folder + "MenloBold 16x32.font") &&
                    buildfont(library, argv[3], folder + "MenloRegular 16x32.font");
    FT_Done_FreeType(library);
    return ok ? 0 : 1;
}
