#include "graphics/graphic_coding.h"

#include <utility>

#include "core/report.h"
#include "core/text_utilities.h"
#include "graphics/packing.h"
#include "graphics/run_length.h"

namespace {

// The record with new pixels. Its old pixels are not copied only to be replaced: for a screen
// that copy cost as much as the coding itself.
t_Graphic withdata(const t_Graphic& graphic, int64_t format, std::vector<uint8_t> data) {
    return t_Graphic{.HeaderSize = graphic.HeaderSize,
                     .Identifier = graphic.Identifier,
                     .Format = format,
                     .Size = graphic.Size,
                     .Width = graphic.Width,
                     .Height = graphic.Height,
                     .Reserved1 = graphic.Reserved1,
                     .Reserved2 = graphic.Reserved2,
                     .Reserved3 = graphic.Reserved3,
                     .Data = std::move(data)};
}

// Formats 4 and 5 whose pixels all share one alpha keep it once, in front of the rest.
t_Graphic packalpha(const t_Graphic& graphic, int64_t unit) {
    if (graphic.Size < 1) return withdata(graphic, g_FormatBool, {});
    const std::vector<uint8_t>& data = graphic.Data;
    const size_t pixels = data.size() / static_cast<size_t>(unit);
    if (pixels == 0) return graphic;
    const uint8_t alpha = data[0];
    for (size_t i = 0; i < pixels; ++i)
        if (data[i * static_cast<size_t>(unit)] != alpha) return graphic;
    logline("g_Pack: Transparency = " + hex2(alpha));
    std::vector<uint8_t> packed;
    packed.reserve(1 + pixels * static_cast<size_t>(unit - 1));
    packed.push_back(alpha);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* pixel = data.data() + i * static_cast<size_t>(unit);
        packed.insert(packed.end(), pixel + 1, pixel + unit);
    }
    return withdata(graphic, unit == 2 ? g_FormatPackedAGrey : g_FormatPackedARGBColor, std::move(packed));
}

// Formats 14 and 15: the shared alpha stays in front, the rest is coded in 3-byte units.
t_Graphic compresspackedalpha(const t_Graphic& graphic) {
    if (graphic.Data.empty()) return withdata(graphic, g_FormatBool, {});
    logline("g_CompressRLE: Transparency = " + hex2(graphic.Data[0]));
    std::vector<uint8_t> coded{graphic.Data[0]};
    const std::vector<uint8_t> rest(graphic.Data.begin() + 1, graphic.Data.end());
    const std::vector<uint8_t> runs = binary24torle(rest);
    coded.insert(coded.end(), runs.begin(), runs.end());
    if (graphic.Format == g_FormatPackedAGrey)
        logline("g_CompressRLE: g_FormatPackedAGrey --> g_FormatRLEPackedAGrey");
    else
        logline("g_CompressRLE: g_FormatPackedARGBColor --> g_FormatRLEPackedARGBColor");
    return withdata(graphic, graphic.Format + 20, std::move(coded));
}

}  // namespace

t_Graphic g_Pack(const t_Graphic& graphic) {
    switch (graphic.Format) {
        case g_FormatBool:
            return withdata(graphic, g_FormatPackedBool, binarybooltopackedbool(graphic.Data, graphic.Width));
        case g_FormatNibble:
            return withdata(graphic, g_FormatPackedNibble, binarynibbletopackednibble(graphic.Data, graphic.Width));
        case g_FormatAGrey: return packalpha(graphic, 2);
        case g_FormatARGBColor: return packalpha(graphic, 4);
        default: return graphic;
    }
}

t_Graphic g_Pack(t_Graphic&& graphic) {
    const bool packs = graphic.Format == g_FormatBool || graphic.Format == g_FormatNibble ||
                       graphic.Format == g_FormatAGrey || graphic.Format == g_FormatARGBColor;
    if (!packs) return std::move(graphic);
    return g_Pack(static_cast<const t_Graphic&>(graphic));
}

t_Graphic g_CompressRLE(const t_Graphic& graphic) {
    switch (graphic.Format) {
        case g_FormatBool:
        case g_FormatNibble:
        case g_FormatGrey:
        case g_FormatPackedBool:
        case g_FormatPackedNibble:
            return withdata(graphic, graphic.Format + 20, binarytorle(graphic.Data));
        case g_FormatRGBColor: {
            t_Graphic result = withdata(graphic, g_FormatRLERGBColor, binary24torle(graphic.Data));
            logline("g_CompressRLE: g_FormatRGBColor --> g_FormatRLERGBColor");
            return result;
        }
        case g_FormatAGrey: {
            t_Graphic result = withdata(graphic, g_FormatRLEAGrey, binary16torle(graphic.Data));
            logline("g_CompressRLE: g_FormatAGrey --> g_FormatRLEAGrey");
            return result;
        }
        case g_FormatARGBColor: {
            t_Graphic result = withdata(graphic, g_FormatRLEARGBColor, binary32torle(graphic.Data));
            logline("g_CompressRLE: g_FormatARGBColor --> g_FormatRLEARGBColor");
            return result;
        }
        case g_FormatPackedAGrey:
        case g_FormatPackedARGBColor:
            return compresspackedalpha(graphic);
        default:
            return graphic;
    }
}
