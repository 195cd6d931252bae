// t_PrintSymbol: blends a grey glyph between two palette colours into any bit depth.
#include "text/glyphs.h"

#include <array>
#include <bit>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"
#include "text/font_resource.h"
#include "text/text_cells.h"
#include "windows/display_refresh.h"

namespace {

constexpr int64_t greyformat = 2;

// Every pixel value a coverage can turn into, for one foreground/background pair. Built once
// per pair on first use, so the per-pixel work is a single table lookup.
// The 24-bit path stores table entries as four bytes R, G, B, 0 in memory order.
static_assert(std::endian::native == std::endian::little);

struct t_BlendTable {
    std::array<uint32_t, 256> rgb{};    // R | G << 8 | B << 16
    std::array<uint8_t, 256> grey{};    // depths 8 and 16
    std::array<uint8_t, 256> nibble{};  // depth 4: nearest palette index
    std::array<uint8_t, 256> bit{};     // depth 1
};

struct t_BlendCache {
    std::array<t_BlendTable, 256> tables;  // indexed by foreground << 4 | background
    std::array<std::once_flag, 256> built;
};
t_BlendCache blendcache;

// Cells drawn at depth 24 are kept by character and colours, so text that repeats (all text)
// is copied row by row instead of blended again. An entry is used only when the glyph's
// coverage bytes are still the same, so a changed font can never show stale pixels.
// Guarded by the framework lock, which every caller of t_PrintSymbol holds.
struct t_CellCacheEntry {
    int64_t Width = 0, Height = 0;
    int Pair = -1;
    std::vector<uint8_t> Coverage;  // Width x Height glyph bytes the pixels were made from
    std::vector<uint8_t> Pixels;    // Height rows of 3 x Width bytes
};
constexpr size_t cellcacheentries = 512;
constexpr int64_t largestcachedcell = 32 * 64;  // glyph pixels; larger glyphs are drawn directly
std::array<t_CellCacheEntry, cellcacheentries> cellcache;

int blendchannel(int g, int fg, int bg) { return g * fg / 255 + (255 - g) * bg / 255; }

uint8_t nearestpaletteindex(int r, int g, int b) {
    if (r == g && g == b) {
        const int sum = r + g + b;
        return sum < 192 ? 0 : sum < 384 ? 5 : sum < 576 ? 10 : 15;
    }
    int best = 0;
    int64_t bestdistance = INT64_MAX;
    for (int i = 0; i < 16; ++i) {
        const int64_t dr = r - palettered[i], dg = g - palettegreen[i], db = b - paletteblue[i];
        const int64_t distance = dr * dr + dg * dg + db * db;
        if (distance < bestdistance) {  // strict: the lowest index wins a tie
            bestdistance = distance;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

void buildblendtable(t_BlendTable& table, int f, int b) {
    const int fgr = palettered[f], fgg = palettegreen[f], fgb = paletteblue[f];
    const int bgr = palettered[b], bgg = palettegreen[b], bgb = paletteblue[b];
    // The grey depths blend the averaged palette colours, not the blended channels.
    const int fggrey = (fgr + fgg + fgb) / 3, bggrey = (bgr + bgg + bgb) / 3;
    for (int g = 0; g < 256; ++g) {
        const int r = blendchannel(g, fgr, bgr), gr = blendchannel(g, fgg, bgg), bl = blendchannel(g, fgb, bgb);
        table.rgb[g] = static_cast<uint32_t>(r) | static_cast<uint32_t>(gr) << 8 | static_cast<uint32_t>(bl) << 16;
        table.grey[g] = static_cast<uint8_t>(blendchannel(g, fggrey, bggrey));
        table.nibble[g] = nearestpaletteindex(r, gr, bl);
        table.bit[g] = (r + gr + bl) / 3 >= 128 ? 1 : 0;
    }
}

const t_BlendTable& blendtable(int f, int b) {
    const int pair = f << 4 | b;
    std::call_once(blendcache.built[pair], [&] { buildblendtable(blendcache.tables[pair], f, b); });
    return blendcache.tables[pair];
}

// Bytes per pixel row, or 0 for a depth that cannot be drawn.
int64_t rowbytes(const t_Window& record) {
    switch (record.BitDepth) {
        case 1: return record.Width / 8;
        case 4: return record.Width / 2;
        case 8: case 16: case 24: case 32: return record.Width * (record.BitDepth / 8);
        default: return 0;
    }
}

// Whether side x index exceeds limit; a product beyond 64 bits does too.
bool beyond(int64_t side, int64_t index, int64_t limit) {
    int64_t end = 0;
    return __builtin_mul_overflow(side, index, &end) || end > limit;
}

// Offset of the last byte that pixel px of a row touches.
int64_t lastbyteofpixel(int64_t depth, int64_t px) {
    if (depth == 1) return px / 8;
    if (depth == 4) return px / 2;
    return (px + 1) * (depth / 8) - 1;
}

// Calls put(row, px, coverage) for every pixel of the glyph; row points at the pixel row.
template <typename PutPixel>
void drawglyph(uint8_t* base, int64_t stride, const uint8_t* glyph, int64_t w, int64_t h, int64_t px0,
               int64_t py0, PutPixel put) {
    for (int64_t r = 0; r < h; ++r) {
        uint8_t* row = base + (py0 + r) * stride;
        const uint8_t* coverage = glyph + r * w;
        for (int64_t k = 0; k < w; ++k) put(row, px0 + k, coverage[k]);
    }
}

// Rows of pure background or foreground, the most common rows of a glyph, are recognised
// eight coverage bytes at a time.
enum class t_RowKind { Background, Foreground, Mixed };

t_RowKind rowkind(const uint8_t* coverage, int64_t w) {
    uint64_t any = 0, all = ~uint64_t{0};
    int64_t k = 0;
    for (; k + 8 <= w; k += 8) {
        uint64_t word;
        std::memcpy(&word, coverage + k, 8);
        any |= word;
        all &= word;
    }
    for (; k < w; ++k) {
        any |= coverage[k];
        all &= 0xFFFFFFFFFFFFFF00u | coverage[k];
    }
    if (any == 0) return t_RowKind::Background;
    if (all == ~uint64_t{0}) return t_RowKind::Foreground;
    return t_RowKind::Mixed;
}

// One mixed row at depth 24, four bytes per pixel store; the last pixel gets exactly three.
template <int64_t FixedWidth>
void mixedrow24(uint8_t* p, const uint8_t* coverage, int64_t w, const t_BlendTable& table) {
    if constexpr (FixedWidth > 0) w = FixedWidth;
#pragma GCC unroll 16
    for (int64_t k = 0; k + 1 < w; ++k) std::memcpy(p + 3 * k, &table.rgb[coverage[k]], 4);
    const uint32_t last = table.rgb[coverage[w - 1]];
    p += 3 * (w - 1);
    p[0] = static_cast<uint8_t>(last);
    p[1] = static_cast<uint8_t>(last >> 8);
    p[2] = static_cast<uint8_t>(last >> 16);
}

// Depth 24, the common case, gets its own loop: pure rows are copied from a prepared row. Cells
// wider than a prepared row (no font file describes one) blend every row.
constexpr int64_t preparedwidth = 256;

template <int64_t FixedWidth>
void drawcell24(uint8_t* cell, int64_t stride, const uint8_t* glyph, int64_t w, int64_t h, const t_BlendTable& table) {
    static_assert(FixedWidth <= preparedwidth);
    if constexpr (FixedWidth > 0) w = FixedWidth;
    if (w > preparedwidth) {
        for (int64_t r = 0; r < h; ++r, cell += stride, glyph += w) mixedrow24<0>(cell, glyph, w, table);
        return;
    }
    uint8_t background[preparedwidth * 3 + 1], foreground[preparedwidth * 3 + 1];
    for (int64_t k = 0; k < w; ++k) {
        std::memcpy(background + 3 * k, &table.rgb[0], 4);
        std::memcpy(foreground + 3 * k, &table.rgb[255], 4);
    }
    const size_t rowsize = static_cast<size_t>(3 * w);
    for (int64_t r = 0; r < h; ++r, cell += stride, glyph += w) {
        switch (rowkind(glyph, w)) {
            case t_RowKind::Background: std::memcpy(cell, background, rowsize); break;
            case t_RowKind::Foreground: std::memcpy(cell, foreground, rowsize); break;
            case t_RowKind::Mixed: mixedrow24<FixedWidth>(cell, glyph, w, table); break;
        }
    }
}

void drawcell24direct(uint8_t* cell, int64_t stride, const uint8_t* glyph, int64_t w, int64_t h,
                      const t_BlendTable& table) {
    // The program's fonts are 16 pixels wide: that width gets a fully unrolled loop.
    if (w == 16) drawcell24<16>(cell, stride, glyph, w, h, table);
    else drawcell24<0>(cell, stride, glyph, w, h, table);
}

void drawcell24cached(uint8_t* cell, int64_t stride, const uint8_t* glyph, int64_t w, int64_t h, uint8_t character,
                      int pair, const t_BlendTable& table) {
    const int64_t pixels = w * h;
    if (pixels > largestcachedcell) {
        drawcell24direct(cell, stride, glyph, w, h, table);
        return;
    }
    t_CellCacheEntry& entry = cellcache[(character + static_cast<size_t>(pair) * 97) % cellcacheentries];
    const size_t rowsize = static_cast<size_t>(3 * w);
    const bool hit = entry.Pair == pair && entry.Width == w && entry.Height == h &&
                     std::memcmp(entry.Coverage.data(), glyph, static_cast<size_t>(pixels)) == 0;
    if (!hit) {
        entry.Pair = pair;
        entry.Width = w;
        entry.Height = h;
        entry.Coverage.assign(glyph, glyph + pixels);
        entry.Pixels.resize(rowsize * static_cast<size_t>(h) + 1);  // + 1: the four-byte stores
        drawcell24direct(entry.Pixels.data(), static_cast<int64_t>(rowsize), glyph, w, h, table);
    }
    const uint8_t* from = entry.Pixels.data();
    if (w == 16) {
        // Three 16-byte moves per row; left to itself the compiler picks a string move whose
        // start-up costs more than the row.
        using t_Chunk = uint8_t __attribute__((vector_size(16)));
        for (int64_t r = 0; r < h; ++r, cell += stride, from += 48) {
            t_Chunk a, b, c;
            std::memcpy(&a, from, 16);
            std::memcpy(&b, from + 16, 16);
            std::memcpy(&c, from + 32, 16);
            std::memcpy(cell, &a, 16);
            std::memcpy(cell + 16, &b, 16);
            std::memcpy(cell + 32, &c, 16);
        }
    } else {
        for (int64_t r = 0; r < h; ++r, cell += stride, from += rowsize) std::memcpy(cell, from, rowsize);
    }
}

void drawcell(uint8_t window, const t_Window& record, uint8_t character, int f, int b, int64_t x, int64_t y) {
    const int64_t w = record.Font.Width, h = record.Font.Height;
    const int64_t stride = rowbytes(record);
    // Sides bounded as a font is accepted (so no product below overflows), checked again here.
    if (w <= 0 || h <= 0 || w > largestglyphside || h > largestglyphside || stride <= 0) return;
    // Never read past the glyph data nor write past the graphic block.
    if ((static_cast<int64_t>(character) + 1) * w * h > static_cast<int64_t>(record.Font.Data.size())) return;
    const int64_t px0 = w * (x - 1), py0 = h * (y - 1);
    const int64_t last = record.MemoryStart + (py0 + h - 1) * stride + lastbyteofpixel(record.BitDepth, px0 + w - 1);
    if (record.MemoryStart < 0 || last > record.MemoryEnd ||
        last >= static_cast<int64_t>(framework.videomemory.size()))
        return;
    uint8_t* base = framework.videomemory.data() + record.MemoryStart;
    notepicturechange(window, px0, py0, px0 + w, py0 + h);
    const uint8_t* glyph = record.Font.Data.data() + character * w * h;
    const t_BlendTable& table = blendtable(f, b);
    switch (record.BitDepth) {
        case 1:
            drawglyph(base, stride, glyph, w, h, px0, py0, [&](uint8_t* row, int64_t px, uint8_t g) {
                const uint8_t mask = static_cast<uint8_t>(0x80 >> (px & 7));
                row[px >> 3] = table.bit[g] ? (row[px >> 3] | mask) : (row[px >> 3] & ~mask);
            });
            break;
        case 4:
            drawglyph(base, stride, glyph, w, h, px0, py0, [&](uint8_t* row, int64_t px, uint8_t g) {
                uint8_t& byte = row[px >> 1];
                byte = (px & 1) ? ((byte & 0xF0) | table.nibble[g]) : ((byte & 0x0F) | table.nibble[g] << 4);
            });
            break;
        case 8:
            drawglyph(base, stride, glyph, w, h, px0, py0,
                      [&](uint8_t* row, int64_t px, uint8_t g) { row[px] = table.grey[g]; });
            break;
        case 16:
            drawglyph(base, stride, glyph, w, h, px0, py0,
                      [&](uint8_t* row, int64_t px, uint8_t g) { row[2 * px + 1] = table.grey[g]; });
            break;
        case 24:
            drawcell24cached(base + py0 * stride + px0 * 3, stride, glyph, w, h, character, f << 4 | b, table);
            break;
        case 32:
            drawglyph(base, stride, glyph, w, h, px0, py0, [&](uint8_t* row, int64_t px, uint8_t g) {
                const uint32_t c = table.rgb[g];
                uint8_t* p = row + 4 * px;  // byte 0 is alpha and stays
                p[1] = static_cast<uint8_t>(c);
                p[2] = static_cast<uint8_t>(c >> 8);
                p[3] = static_cast<uint8_t>(c >> 16);
            });
            break;
        default:
            break;
    }
}

}  // namespace

void t_PrintSymbol(uint8_t window, uint8_t character, uint8_t colour, int64_t x, int64_t y) {
    constexpr const char* name = "t_PrintSymbol";
    if (window >= windowcount) {
        reportfailure(name, "Window is not a graphic window.");
        return;
    }
    FrameworkLock lock;
    const t_Window& record = framework.windows[window];
    if (record.TextRedirectOutput == 2) {
        logpart(codeasutf8(character));
        return;
    }
    if (record.TextRedirectOutput != 1) return;
    if (!windowguard(name, window, true)) return;
    if (record.Font.Data.empty()) {
        reportfailure(name, "Window #" + std::to_string(window) + " not initialized.");
        return;
    }
    int f = colour >> 4, b = colour & 15;
    if (record.TextInverse) std::swap(f, b);
    const int64_t w = record.Font.Width, h = record.Font.Height;
    // Compared one by one so that no product of hostile coordinates can overflow.
    if (x < 1 || y < 1 || x > record.Width || y > record.Height || beyond(w, x, record.Width) ||
        beyond(h, y, record.Height)) {
        reportfailure(name, "Window #" + std::to_string(window) + " illegal coordinates (x = " + std::to_string(x) +
                                ", y = " + std::to_string(y) + ").");
        return;
    }
    if (character >= record.Font.Start && character <= record.Font.End) {
        if (record.Font.Format == greyformat) {
            drawcell(window, record, character, f, b, x, y);
        } else {
            // Unpacking turns 100 into 0 and 102 into 2 and leaves every other format as it is.
            const int64_t format = record.Font.Format;
            if (format == 0 || format == 100 || format == 102)
                reportfailure(name, "Font format must be uncompressed grey for text-printing.");
            else
                reportfailure(name, "Illegal font format.");
        }
    }
    const int64_t index = textcellindex(record, x, y);
    if (index < 0) return;
    textcharacterplane(record)[index] = character;
    textcolourplane(record)[index] = static_cast<uint8_t>(f << 4 | b);
}
