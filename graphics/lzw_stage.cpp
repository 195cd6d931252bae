// The LZW stage of a captured picture: the record's data as [code width] + codes.
#include "core/report.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_decoding_stages.h"
#include "graphics/lzw.h"

t_Graphic g_CompressLZW(const t_Graphic& graphic) {
    if (graphic.Format < 0 || graphic.Format >= g_FormatLZW || !isgraphicformat(graphic.Format)) return graphic;
    t_Graphic result = graphic;
    result.Format = graphic.Format + g_FormatLZW;
    if (graphic.Data.empty()) return result;
    result.Data = lzwpack(graphic.Data);
    if (result.Data.empty()) return graphic;  // refused by the coder: left uncoded, truthfully labelled
    return result;
}

bool decompresslzw(const t_Graphic& graphic, t_Graphic& result, const char* operation) {
    if (graphic.Format < g_FormatLZW) {
        result = graphic;
        return true;
    }
    const int64_t inner = graphic.Format - g_FormatLZW;
    std::vector<uint8_t> data;
    if (!lzwunpack(graphic.Data, static_cast<uint64_t>(graphicdatalimit(graphic, inner)), data)) {
        reportfailure(operation, "LZW data does not decode.");
        return false;
    }
    result = graphic;
    result.Format = inner;
    result.Data = std::move(data);
    return true;
}

t_Graphic g_DecompressLZW(const t_Graphic& graphic) {
    if (graphic.Format < g_FormatLZW) return graphic;
    t_Graphic result;
    if (!graphicisconsistent(graphic, "g_DecompressLZW") || !decompresslzw(graphic, result, "g_DecompressLZW"))
        return emptygraphic();
    return result;
}
