// The way back from a coded record to the captured pixels; every stage checks its input.
#include <string>

#include "core/report.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_decoding_stages.h"
#include "graphics/packing.h"
#include "graphics/run_length.h"

namespace {

t_Graphic withdata(const t_Graphic& graphic, int64_t format, std::vector<uint8_t> data) {
    t_Graphic result = graphic;
    result.Format = format;
    result.Data = std::move(data);
    return result;
}

bool datamismatch(const char* operation) {
    reportfailure(operation, "Data does not match the picture size.");
    return false;
}

}  // namespace

bool graphicisconsistent(const t_Graphic& graphic, const char* operation) {
    if (graphic.HeaderSize != 16 || graphic.Identifier != graphicidentifier()) {
        reportfailure(operation, "Not a graphic record.");
        return false;
    }
    if (!isgraphicformat(graphic.Format)) {
        reportfailure(operation, "Unknown graphic format " + std::to_string(graphic.Format) + ".");
        return false;
    }
    // Bounding each side first keeps the product inside 64 bits.
    if (graphic.Width < 0 || graphic.Height < 0 || graphic.Width > maxgraphicbytes ||
        graphic.Height > maxgraphicbytes || graphic.Size != graphic.Width * graphic.Height) {
        reportfailure(operation, "Size does not match width and height.");
        return false;
    }
    if (graphic.Size * graphicunitbytes(graphicbaseformat(graphic.Format)) > maxgraphicbytes) {
        reportfailure(operation, "Picture of " + std::to_string(graphic.Width) + " x " +
                                     std::to_string(graphic.Height) + " pixels is too large.");
        return false;
    }
    return true;
}

int64_t graphicdatalimit(const t_Graphic& graphic, int64_t format) {
    const int64_t base = graphicbaseformat(format);
    if (base < 0) return -1;
    const int64_t size = graphic.Size;
    if (format >= g_FormatLZW) {
        // A code takes at most 32 bits and stands for at least one byte.
        return 2 + 4 * graphicdatalimit(graphic, format - g_FormatLZW);
    }
    switch (format) {
        case 10: return packedboolrowbytes(graphic.Width) * graphic.Height;
        case 11: return packednibblerowbytes(graphic.Width) * graphic.Height;
        case 14: return 1 + size;
        case 15: return 1 + 3 * size;
        case 23: return rlecodedlimit(3 * size, 3);
        case 24: return rlecodedlimit(2 * size, 2);
        case 25: return rlecodedlimit(4 * size, 4);
        case 34: return 1 + rlecodedlimit(size, 3);
        case 35: return 1 + rlecodedlimit(3 * size, 3);
        default:
            if (format >= 20) return rlecodedlimit(graphicdatalimit(graphic, format - 20), 1);
            return size * graphicunitbytes(base);
    }
}

bool decompressrle(const t_Graphic& graphic, t_Graphic& result, const char* operation) {
    const int64_t format = graphic.Format;
    if (format < 20 || format > 35) {
        result = graphic;
        return true;
    }
    const int64_t length = graphicdatalimit(graphic, format - 20);
    std::vector<uint8_t> data;
    switch (format) {
        case 23: data = rle24tobinary(graphic.Data, length); break;
        case 24: data = rle16tobinary(graphic.Data, length); break;
        case 25: data = rle32tobinary(graphic.Data, length); break;
        case 34:
        case 35: {
            if (graphic.Data.empty()) return datamismatch(operation);
            const std::vector<uint8_t> rest(graphic.Data.begin() + 1, graphic.Data.end());
            data = rle24tobinary(rest, length - 1);
            if (static_cast<int64_t>(data.size()) != length - 1) return false;
            data.insert(data.begin(), graphic.Data[0]);
            break;
        }
        default: data = rletobinary(graphic.Data, length); break;
    }
    if (static_cast<int64_t>(data.size()) != length) return false;  // the decoder said why
    result = withdata(graphic, format - 20, std::move(data));
    return true;
}

bool unpack(const t_Graphic& graphic, t_Graphic& result, const char* operation) {
    const std::vector<uint8_t>& data = graphic.Data;
    const int64_t size = graphic.Size;
    switch (graphic.Format) {
        case g_FormatPackedBool:
        case g_FormatPackedNibble: {
            if (static_cast<int64_t>(data.size()) != graphicdatalimit(graphic, graphic.Format))
                return datamismatch(operation);
            result = withdata(graphic, graphic.Format - 10,
                              graphic.Format == g_FormatPackedBool
                                  ? packedbooltobinarybool(data, graphic.Width, graphic.Height)
                                  : packednibbletobinarynibble(data, graphic.Width, graphic.Height));
            return true;
        }
        case g_FormatPackedAGrey:
        case g_FormatPackedARGBColor: {
            const int64_t colour = graphic.Format == g_FormatPackedAGrey ? 1 : 3;
            if (static_cast<int64_t>(data.size()) != 1 + colour * size) return datamismatch(operation);
            std::vector<uint8_t> pixels(static_cast<size_t>(size * (colour + 1)));
            uint8_t* o = pixels.data();
            const uint8_t* in = data.data() + 1;
            for (int64_t i = 0; i < size; ++i) {
                *o++ = data[0];
                for (int64_t k = 0; k < colour; ++k) *o++ = *in++;
            }
            result = withdata(graphic, graphic.Format - 10, std::move(pixels));
            return true;
        }
        default:
            result = graphic;
            return true;
    }
}

t_Graphic g_DecompressRLE(const t_Graphic& graphic) {
    if (graphic.Format < 20 || graphic.Format > 35) return graphic;
    t_Graphic result;
    if (!graphicisconsistent(graphic, "g_DecompressRLE") || !decompressrle(graphic, result, "g_DecompressRLE"))
        return emptygraphic();
    return result;
}

t_Graphic g_Unpack(const t_Graphic& graphic) {
    if (graphic.Format < 10 || graphic.Format > 15) return graphic;
    t_Graphic result;
    if (!graphicisconsistent(graphic, "g_Unpack") || !unpack(graphic, result, "g_Unpack")) return emptygraphic();
    return result;
}

bool decompressgraphic(const t_Graphic& graphic, t_Graphic& result, const char* operation) {
    t_Graphic uncoded, unruns;
    if (!graphicisconsistent(graphic, operation) || !decompresslzw(graphic, uncoded, operation) ||
        !decompressrle(uncoded, unruns, operation) || !unpack(unruns, result, operation))
        return false;
    if (static_cast<int64_t>(result.Data.size()) != graphicdatalimit(result, result.Format))
        return datamismatch(operation);
    return true;
}

t_Graphic g_Decompress(const t_Graphic& graphic) {
    t_Graphic result;
    if (!decompressgraphic(graphic, result, "g_Decompress")) return emptygraphic();
    return result;
}
