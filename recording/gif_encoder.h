// An animated GIF written frame by frame into a file beside its target and renamed over it when
// complete, so that a failed recording never leaves half a file. Frames are whole window
// pictures. Each is held back until the next one tells how long it was shown, then written as
// the rectangle that changed, its unchanged pixels transparent, in the file's global colours
// where they hold it and in colours of its own (exact, else median cut) where they do not.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "recording/frame_delays.h"
#include "recording/gif_colors.h"

struct GifFileType;

struct t_GifEncoder {
    // The file.
    std::string Target;           // renamed over at the end (a link's target, so the link stays)
    std::string Temporary;        // written meanwhile, beside the target
    int File = -1;                // the temporary's descriptor
    GifFileType* Gif = nullptr;
    std::vector<uint8_t> Output;  // what giflib produced since the last write to the file
    int64_t Width = 0, Height = 0, Depth = 0;
    t_ColorTable Global;          // the file's global colours, written again at the end when they grew
    // The frames.
    std::vector<uint32_t> Shown;  // the picture as it stands after the frames written
    std::vector<uint32_t> Held;   // the newest picture, waiting for its delay
    int64_t HeldTime = 0;         // steady-clock microseconds from which it was shown
    bool Holding = false;
    t_DelayClock Delays;
    int64_t Frames = 0;           // frames in the file
    // Reused from frame to frame.
    std::vector<uint8_t> Indices;         // each pixel of the frame's box: its index in its layer's colours
    std::vector<uint8_t> Owners;          // each pixel of the box: the layer that draws it
    std::vector<uint8_t> Block;           // one layer's indices, cropped
    std::vector<uint32_t> Changed;        // the pixels a quantiser gets
    std::array<t_ColorTable, 3> Locals;   // the frame's own colour tables
};

// Pictures shown for less than this are replaced by the next one rather than given a frame:
// viewers show delays below 2 centiseconds as 10, which would slow the animation down.
constexpr int64_t shortestframe = 20000;  // microseconds

// Creates the temporary and writes the file's header; 0, or an errno with nothing left behind.
int opengif(t_GifEncoder& gif, const std::string& path, int64_t width, int64_t height, int64_t depth);
// Takes the picture shown from `microseconds` on (width x height pixels) and gives back in
// `pixels` a buffer of the same size to reuse. 0, or an errno after which only abandongif helps.
int addgifframe(t_GifEncoder& gif, std::vector<uint32_t>& pixels, int64_t microseconds);
// Writes the last picture as shown until `microseconds`, completes the file and renames it over
// the target. 0, ENODATA when no picture came, or an errno; the temporary is gone either way.
int closegif(t_GifEncoder& gif, int64_t microseconds);
// Removes the temporary and frees giflib's state; harmless when there is nothing to remove.
void abandongif(t_GifEncoder& gif);
