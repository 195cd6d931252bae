// Build-time tool: renders one grey bitmap font from a typeface and writes it LZW coded as a
// ".font" resource.
//   make_fonts <output .font> <typeface file> <cell width> <cell height>
// A typeface with a bitmap strike of exactly the cell's size (a bitmap font such as an OTB file)
// gives its strike's pixels as they are; an outline typeface is rendered at the largest pixel
// size whose glyphs fit the cell. Codes 32-126 and 161-255 come from the typeface (Latin-1),
// 127-160 are block graphics drawn here for the cell, 0-31 are the capitals 64-95 in inverse.
// The output depends only on the typeface file and the cell size.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "graphics/lzw.h"

namespace {

constexpr int glyphcount = 256;
// The block graphics are designed on a 16 x 32 cell and scaled to the cell at hand.
constexpr double designwidth = 16, designheight = 32;

struct t_Cell {
    int Width = 16;
    int Height = 32;
    double ScaleX() const { return Width / designwidth; }
    double ScaleY() const { return Height / designheight; }
    int X(double design) const { return static_cast<int>(std::lround(design * ScaleX())); }  // design to cell pixels
    int Y(double design) const { return static_cast<int>(std::lround(design * ScaleY())); }
    size_t Pixels() const { return static_cast<size_t>(Width * Height); }
};

struct t_Glyph {
    t_Cell Cell;
    std::vector<uint8_t> Coverage;
    explicit t_Glyph(const t_Cell& cell) : Cell(cell), Coverage(cell.Pixels(), 0) {}
    uint8_t& at(int x, int y) { return Coverage[static_cast<size_t>(y * Cell.Width + x)]; }
    uint8_t at(int x, int y) const { return Coverage[static_cast<size_t>(y * Cell.Width + x)]; }
};

// --- typeface glyphs --------------------------------------------------------------------------

bool fromtypeface(int code) { return (code >= 32 && code <= 126) || (code >= 161 && code <= 255); }

struct Extent {
    int ascent = 0;   // rows above the baseline
    int descent = 0;  // rows below it
    bool fits = true;
};

// The pixel size decides everything; the largest one at which every Latin-1 glyph (capitals
// with umlauts and rings above, descenders below) fits the cell, with one row to spare.
Extent measure(FT_Face face, const t_Cell& cell) {
    Extent e;
    for (int code = 0; code < glyphcount; ++code) {
        if (!fromtypeface(code) || FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        if (g->bitmap.rows == 0) continue;
        e.ascent = std::max(e.ascent, g->bitmap_top);
        e.descent = std::max(e.descent, static_cast<int>(g->bitmap.rows) - g->bitmap_top);
        if ((g->advance.x >> 6) > cell.Width) e.fits = false;
    }
    if (e.ascent + e.descent > cell.Height - 1) e.fits = false;
    return e;
}

// The baseline row for an outline typeface: its whole height centred in the cell.
bool chooseoutlinesize(FT_Face face, const t_Cell& cell, int& baseline) {
    for (int pixels = cell.Height; pixels >= cell.Height * 3 / 8; --pixels) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) return false;
        const Extent extent = measure(face, cell);
        if (!extent.fits) continue;
        baseline = (cell.Height - extent.ascent - extent.descent) / 2 + extent.ascent;
        return true;
    }
    return false;
}

// The baseline row for a bitmap typeface: its strike of the cell's size, whose ascender puts
// the glyphs where their designer placed them.
bool choosestrike(FT_Face face, const t_Cell& cell, int& baseline) {
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
        const FT_Bitmap_Size& size = face->available_sizes[i];
        if (size.width != cell.Width || size.height != cell.Height || FT_Select_Size(face, i) != 0) continue;
        baseline = static_cast<int>(face->size->metrics.ascender >> 6);
        return true;
    }
    return false;
}

// Coverage of one bitmap pixel: grey bitmaps as they are, one-bit bitmaps as 0 or 255.
uint8_t bitmapcoverage(const FT_Bitmap& bitmap, int row, int column) {
    const unsigned char* line = bitmap.buffer + row * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (line[column >> 3] >> (7 - (column & 7)) & 1) ? 255 : 0;
    return line[column];
}

t_Glyph rendertypeface(FT_Face face, int code, const t_Cell& cell, int baseline) {
    t_Glyph glyph(cell);
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0) return glyph;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bitmap = g->bitmap;
    const int x0 = (cell.Width - static_cast<int>(g->advance.x >> 6)) / 2 + g->bitmap_left;
    const int y0 = baseline - g->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row)
        for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
            const int x = x0 + column, y = y0 + row;
            if (x < 0 || x >= cell.Width || y < 0 || y >= cell.Height) continue;
            glyph.at(x, y) = bitmapcoverage(bitmap, row, column);
        }
    return glyph;
}

// --- block graphics -----------------------------------------------------------------------------

// Coverage of a shape given as a point test in design units (a 16 x 32 cell), sampled 4 x 4
// per pixel of the cell at hand.
t_Glyph coverage(const t_Cell& cell, const std::function<bool(double, double)>& inside) {
    t_Glyph glyph(cell);
    for (int y = 0; y < cell.Height; ++y)
        for (int x = 0; x < cell.Width; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    hits += inside((x + (sx + 0.5) / 4) / cell.ScaleX(), (y + (sy + 0.5) / 4) / cell.ScaleY());
            glyph.at(x, y) = static_cast<uint8_t>(hits * 255 / 16);
        }
    return glyph;
}

void fill(t_Glyph& glyph, int x0, int y0, int x1, int y1) {  // inclusive rectangle in cell pixels
    for (int y = std::max(y0, 0); y <= std::min(y1, glyph.Cell.Height - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, glyph.Cell.Width - 1); ++x) glyph.at(x, y) = 255;
}

enum Arm { up = 1, down = 2, left = 4, right = 8 };
constexpr double designcenterx = designwidth / 2, designcentery = designheight / 2;

// A box-drawing piece: bars of the given design thickness from the cell's centre to the edges
// named; at least a pixel thick in any cell.
t_Glyph bars(const t_Cell& cell, int arms, double designthickness) {
    t_Glyph glyph(cell);
    const int thickness = std::max(1, cell.X(designthickness));
    const int lo = thickness / 2, hi = thickness - lo - 1;
    const int cx = cell.Width / 2, cy = cell.Height / 2;
    if (arms & up) fill(glyph, cx - lo, 0, cx + hi, cy + hi);
    if (arms & down) fill(glyph, cx - lo, cy - lo, cx + hi, cell.Height - 1);
    if (arms & left) fill(glyph, 0, cy - lo, cx + hi, cy + hi);
    if (arms & right) fill(glyph, cx - lo, cy - lo, cell.Width - 1, cy + hi);
    return glyph;
}

// Double lines are the outline of a wide bar: corners and crossings then join by themselves.
// The cell's edge continues the bar, so the lines run out of the cell where an arm does.
t_Glyph doublebars(const t_Cell& cell, int arms) {
    const t_Glyph wide = bars(cell, arms, 8);
    const int reach = std::max(1, cell.X(2));
    auto solid = [&](int x, int y) {
        return wide.at(std::clamp(x, 0, cell.Width - 1), std::clamp(y, 0, cell.Height - 1)) != 0;
    };
    t_Glyph glyph(cell);
    for (int y = 0; y < cell.Height; ++y)
        for (int x = 0; x < cell.Width; ++x) {
            if (!solid(x, y)) continue;
            bool edge = false;
            for (int dy = -reach; dy <= reach && !edge; ++dy)
                for (int dx = -reach; dx <= reach && !edge; ++dx) edge = !solid(x + dx, y + dy);
            if (edge) glyph.at(x, y) = 255;
        }
    return glyph;
}

t_Glyph arrow(const t_Cell& cell, bool pointsright) {
    return coverage(cell, [pointsright](double x, double y) {
        if (pointsright) x = designwidth - x;
        const double tip = 1.5, base = 9.0, halfheight = 6.5;
        const double dy = std::abs(y - designcentery);
        if (x >= tip && x <= base && dy <= (x - tip) / (base - tip) * halfheight) return true;
        return x >= base && x <= designwidth - 2.0 && dy <= 1.0;
    });
}

t_Glyph blockgraphic(const t_Cell& cell, int code) {
    constexpr double single = 2, heavy = 4;
    const int cy = cell.Height / 2;
    t_Glyph g(cell);
    switch (code) {
    case 127: std::fill(g.Coverage.begin(), g.Coverage.end(), 255); return g;  // full block
    case 128: return coverage(cell, [](double x, double y) {                    // bullet
        return std::hypot(x - designcenterx, y - designcentery) <= 5.5; });
    case 129: {                                                                   // shade
        const int block = std::max(1, cell.X(2));
        for (int y = 0; y < cell.Height; ++y)
            for (int x = 0; x < cell.Width; ++x)
                if (((x / block) + (y / block)) % 2 == 0) g.at(x, y) = 255;
        return g;
    }
    case 130: return arrow(cell, false);
    case 131:                                                                     // equals bars
        fill(g, cell.X(2), cy - cell.Y(6), cell.Width - 1 - cell.X(2), cy - cell.Y(6) + cell.Y(3) - 1);
        fill(g, cell.X(2), cy + cell.Y(3), cell.Width - 1 - cell.X(2), cy + 2 * cell.Y(3) - 1);
        return g;
    case 132: return arrow(cell, true);
    case 133: return coverage(cell, [](double x, double y) {                    // ring
        const double r = std::hypot(x - designcenterx, y - designcentery);
        return r <= 6.5 && r >= 4.5; });
    case 134: return bars(cell, down | right, single);
    case 135: return bars(cell, down | left, single);
    case 136: return bars(cell, up | right, single);
    case 137: return bars(cell, up | left, single);
    case 138: return bars(cell, up | down, single);
    case 139: return doublebars(cell, up | down);
    case 140: return bars(cell, left | right, single);
    case 141: return bars(cell, left | right, heavy);
    case 142: return bars(cell, up | down | right, single);
    case 143: return bars(cell, up | down | left, single);
    case 144: return bars(cell, left | right | down, single);
    case 145: return bars(cell, left | right | up, single);
    case 146: return bars(cell, up | down | left | right, single);
    case 147: return doublebars(cell, down | right);
    case 148: return doublebars(cell, down | left);
    case 149: return doublebars(cell, up | right);
    case 150: return doublebars(cell, up | left);
    case 151: return doublebars(cell, up | down | right);
    case 152: return doublebars(cell, up | down | left);
    case 153: return doublebars(cell, up | down | left | right);
    case 154: fill(g, 0, 0, cell.Width - 1, cell.Y(2) - 1); return g;                          // overline
    case 155: fill(g, 0, cell.Height - cell.Y(2), cell.Width - 1, cell.Height - 1); return g;  // underline
    case 156: return bars(cell, left | right, single);  // the rule segment: joins into one line across the screen
    case 157: return bars(cell, up | down, heavy);
    case 158: return bars(cell, up | down | left | right, heavy);
    case 159: return doublebars(cell, left | right);
    case 160:                                                                     // visible blank: a shelf
        fill(g, cell.X(3), cell.Y(25), cell.X(12), cell.Y(26));
        fill(g, cell.X(3), cell.Y(21), cell.X(4), cell.Y(26));
        fill(g, cell.X(11), cell.Y(21), cell.X(12), cell.Y(26));
        return g;
    default: return g;
    }
}

// --- font file ------------------------------------------------------------------------------------

bool writefile(const std::string& output, const std::vector<uint8_t>& bytes) {
    std::FILE* out = std::fopen(output.c_str(), "wb");
    const bool written = out != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool closed = out != nullptr && std::fclose(out) == 0;
    if (!written || !closed) std::fprintf(stderr, "make_fonts: cannot write %s\n", output.c_str());
    return written && closed;
}

bool buildfont(FT_Library library, const std::string& typeface, const t_Cell& cell, const std::string& output) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, typeface.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "make_fonts: cannot open %s\n", typeface.c_str());
        return false;
    }
    int baseline = 0;
    const bool sized = FT_IS_SCALABLE(face) ? chooseoutlinesize(face, cell, baseline) : choosestrike(face, cell, baseline);
    if (!sized) {
        std::fprintf(stderr, "make_fonts: no size of %s fits a %d x %d cell\n", typeface.c_str(), cell.Width,
                     cell.Height);
        FT_Done_Face(face);
        return false;
    }
    std::vector<t_Glyph> glyphs(glyphcount, t_Glyph(cell));
    for (int code = 32; code < glyphcount; ++code)
        glyphs[static_cast<size_t>(code)] =
            fromtypeface(code) ? rendertypeface(face, code, cell, baseline) : blockgraphic(cell, code);
    FT_Done_Face(face);
    for (int code = 0; code < 32; ++code)
        for (size_t i = 0; i < cell.Pixels(); ++i)
            glyphs[static_cast<size_t>(code)].Coverage[i] =
                static_cast<uint8_t>(255 - glyphs[static_cast<size_t>(code + 64)].Coverage[i]);

    std::vector<uint8_t> data;
    for (const t_Glyph& g : glyphs) data.insert(data.end(), g.Coverage.begin(), g.Coverage.end());
    const auto size = static_cast<uint32_t>(data.size());
    std::vector<uint8_t> file{16, 'm', 'x', 'f', 'n', 102,
                              static_cast<uint8_t>(size >> 24), static_cast<uint8_t>(size >> 16),
                              static_cast<uint8_t>(size >> 8), static_cast<uint8_t>(size),
                              0, 255, static_cast<uint8_t>(cell.Width), static_cast<uint8_t>(cell.Height), 0, 0};
    const std::vector<uint8_t> coded = lzwpack(data);
    file.insert(file.end(), coded.begin(), coded.end());
    return writefile(output, file);
}

// A cell side from the command line: 4 to 255 pixels (one header byte holds it).
bool cellside(const char* text, int& side) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    side = static_cast<int>(value);
    return end != text && *end == '\0' && value >= 4 && value <= 255;
}

}  // namespace

int main(int argc, char** argv) {
    t_Cell cell;
    if (argc != 5 || !cellside(argv[3], cell.Width) || !cellside(argv[4], cell.Height)) {
        std::fprintf(stderr, "usage: make_fonts <output .font> <typeface file> <cell width> <cell height>\n");
        return 2;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return 1;
    const bool ok = buildfont(library, argv[2], cell, argv[1]);
    FT_Done_FreeType(library);
    return ok ? 0 : 1;
}
