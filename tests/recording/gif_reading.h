// Reads a recording back with giflib's own decoder: the pictures a viewer shows, one per image
// in the file, composed as the file says (nothing disposed, transparent pixels keep what was
// there), with each image's delay.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <string>
#include <vector>

struct t_ShownFrame {
    std::vector<uint32_t> Pixels;  // 0xFFRRGGBB, the whole screen
    int Delay = 0;                 // centiseconds
    int Left = 0, Top = 0, Width = 0, Height = 0;  // the image's own rectangle
};

struct t_ReadGif {
    bool Read = false;
    int Width = 0, Height = 0;
    int GlobalColors = 0;
    std::vector<t_ShownFrame> Frames;
};

inline t_ReadGif readgif(const std::string& path) {
    t_ReadGif result;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return result;
    if (DGifSlurp(gif) != GIF_OK) {
        DGifCloseFile(gif, &error);
        return result;
    }
    result = {.Read = true, .Width = gif->SWidth, .Height = gif->SHeight,
              .GlobalColors = gif->SColorMap != nullptr ? gif->SColorMap->ColorCount : 0, .Frames = {}};
    std::vector<uint32_t> screen(static_cast<size_t>(gif->SWidth * gif->SHeight), 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        GraphicsControlBlock control{0, false, 0, NO_TRANSPARENT_COLOR};
        DGifSavedExtensionToGCB(gif, i, &control);
        const GifImageDesc& d = image.ImageDesc;
        const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[y * d.Width + x];
                if (index == control.TransparentColor || map == nullptr || index >= map->ColorCount) continue;
                const GifColorType c = map->Colors[index];
                screen[static_cast<size_t>((d.Top + y) * gif->SWidth + d.Left + x)] =
                    0xFF000000u | uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
            }
        result.Frames.push_back({screen, control.DelayTime, d.Left, d.Top, d.Width, d.Height});
    }
    DGifCloseFile(gif, &error);
    return result;
}

// The picture a viewer shows `centiseconds` after the start: a picture drawn in layers (images
// shown for a moment each) is whole once its last layer is.
inline std::vector<uint32_t> shownat(const t_ReadGif& gif, int centiseconds) {
    std::vector<uint32_t> shown;
    int start = 0;
    for (const t_ShownFrame& frame : gif.Frames) {
        if (start > centiseconds) break;
        shown = frame.Pixels;
        start += frame.Delay;
    }
    return shown;
}

inline int totaldelay(const t_ReadGif& gif) {
    int total = 0;
    for (const t_ShownFrame& frame : gif.Frames) total += frame.Delay;
    return total;
}
