#include "recording/gif_encoder.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cerrno>

#include "graphics/byte_files.h"
#include "recording/changed_box.h"

namespace {

constexpr int64_t longestdelay = 65535;  // centiseconds a frame's delay field holds
constexpr off_t globaltableoffset = 13;   // after the signature and the logical screen descriptor
constexpr int64_t largestside = 65535;    // a GIF's sizes are 16-bit
// A picture with more colours than the global table takes gets up to this many tables of its
// own, drawn one after the other, each shown for layerstep centiseconds (the shortest delay
// viewers honour); beyond that it is quantised.
constexpr int locallayers = 3;
constexpr int64_t layerstep = 2;

// giflib's output goes into a buffer that is written once a frame: the library hands over one
// to a few bytes at a time, and a failed write is then found at one place.
int collect(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* encoder = static_cast<t_GifEncoder*>(gif->UserData);
    encoder->Output.insert(encoder->Output.end(), bytes, bytes + length);
    return length;
}

int writeall(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += put;
        size -= static_cast<size_t>(put);
    }
    return 0;
}

int flush(t_GifEncoder& e) {
    const int error = writeall(e.File, e.Output.data(), e.Output.size());
    e.Output.clear();
    if (error != 0) return error;
    // A folder removed under a recording takes the temporary with it: writing on would only
    // fill a file that no one can reach, and the rename at the end would fail anyway.
    struct stat info {};
    if (::fstat(e.File, &info) != 0) return errno;
    return info.st_nlink == 0 ? ENOENT : 0;
}

int tablesize(int entries) {
    int size = 2;
    while (size < entries) size *= 2;
    return size;
}

// A giflib colour map of `size` entries (a power of two) holding the table's colours first.
ColorMapObject* makemap(const t_ColorTable& table, int size) {
    std::array<GifColorType, gifcolors> colors{};
    for (int i = 0; i < table.Count && i < size; ++i) {
        const uint32_t c = table.Colors[static_cast<size_t>(i)];
        colors[static_cast<size_t>(i)] = {static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                                          static_cast<GifByteType>(c)};
    }
    return GifMakeMapObject(size, colors.data());
}

// Calls visit(k, pixel, unchanged) for every pixel of the box in row order.
template <class Visit>
void walkbox(const t_GifEncoder& e, const t_Box& box, const uint32_t* before, Visit visit) {
    size_t k = 0;
    for (int64_t y = box.Top; y < box.Top + box.Height; ++y) {
        const uint32_t* now = e.Held.data() + y * e.Width;
        const uint32_t* was = before != nullptr ? before + y * e.Width : nullptr;
        for (int64_t x = box.Left; x < box.Left + box.Width; ++x, ++k)
            if (!visit(k, now[x], was != nullptr && was[x] == now[x])) return;
    }
}

// The pixel's index in the file's global colours, -1 when it is not there and cannot join.
int globalindex(t_GifEncoder& e, uint32_t pixel) {
    switch (e.Depth) {
        case 8:
        case 16: {
            const uint32_t grey = pixel & 0xFF;
            return (pixel & 0xFFFFFF) == grey * 0x010101u ? static_cast<int>(grey) : -1;
        }
        case 24:
        case 32: return addcolor(e.Global, pixel);
        default: return findcolor(e.Global, pixel);
    }
}

// Which layer of a frame draws each pixel of its box (Owners): the global colours, one of the
// frame's own colour tables, or none because the pixel is unchanged.
constexpr uint8_t globalowner = 0;
constexpr uint8_t unchangedowner = 0xFF;
constexpr uint8_t leftoverowner = 0xFE;  // not in the global colours: a local layer takes it

int firstunused(const std::bitset<gifcolors>& used, int size) {
    for (int i = 0; i < size; ++i)
        if (!used[static_cast<size_t>(i)]) return i;
    return -1;
}

// The global layer: every changed pixel whose colour the global table holds or can take. Its
// transparent index is one no pixel of it uses. False when it would need one and has none,
// even after drawing the unchanged pixels again.
bool planglobal(t_GifEncoder& e, const t_Box& box, const uint32_t* before, int& transparent, bool& leftovers) {
    std::bitset<gifcolors> used;
    bool unchanged = false;
    leftovers = false;
    uint32_t lastpixel = 0;
    int lastindex = -1;
    bool cached = false;
    walkbox(e, box, before, [&](size_t k, uint32_t pixel, bool same) {
        if (same) {
            e.Owners[k] = unchangedowner;
            unchanged = true;
            return true;
        }
        if (!cached || pixel != lastpixel) lastpixel = pixel, lastindex = globalindex(e, pixel), cached = true;
        if (lastindex < 0) {
            e.Owners[k] = leftoverowner;
            leftovers = true;
            return true;
        }
        e.Owners[k] = globalowner;
        e.Indices[k] = static_cast<uint8_t>(lastindex);
        used.set(static_cast<size_t>(lastindex));
        return true;
    });
    transparent = unchanged || leftovers ? firstunused(used, globaltablesize(e.Depth)) : -1;
    if (transparent >= 0 || (!unchanged && !leftovers)) return true;
    if (leftovers) return false;
    // Every index in use: the unchanged pixels are drawn again, in their own colours.
    bool found = true;
    walkbox(e, box, before, [&](size_t k, uint32_t pixel, bool same) {
        if (!same) return true;
        const int index = globalindex(e, pixel);
        if (index < 0) return found = false;
        e.Owners[k] = globalowner;
        e.Indices[k] = static_cast<uint8_t>(index);
        return true;
    });
    return found;
}

// One table of the frame's own for every changed pixel: exact when they have at most 255
// colours, or 256 when no pixel is unchanged (no index is then needed for transparency).
bool planonelocal(t_GifEncoder& e, const t_Box& box, const uint32_t* before) {
    t_ColorTable& table = e.Locals[0];
    table = t_ColorTable{};
    bool fits = true, unchanged = false;
    walkbox(e, box, before, [&](size_t k, uint32_t pixel, bool same) {
        if (same) {
            e.Owners[k] = unchangedowner;
            unchanged = true;
            return true;
        }
        const int index = addcolor(table, pixel);
        if (index < 0) return fits = false;
        e.Owners[k] = 1;
        e.Indices[k] = static_cast<uint8_t>(index);
        return true;
    });
    return fits && !(unchanged && table.Count == gifcolors);
}

// Local layers of up to 255 colours each (one index stays transparent) for the pixels the
// global layer leaves. False when more than locallayers would be needed.
bool planlocal(t_GifEncoder& e, const t_Box& box, int& layers) {
    layers = 0;
    bool fits = true;
    walkbox(e, box, nullptr, [&](size_t k, uint32_t pixel, bool) {
        if (e.Owners[k] != leftoverowner) return true;
        for (int layer = 0; layer < layers; ++layer)
            if (const int index = findcolor(e.Locals[static_cast<size_t>(layer)], pixel); index >= 0) {
                e.Owners[k] = static_cast<uint8_t>(layer + 1);
                e.Indices[k] = static_cast<uint8_t>(index);
                return true;
            }
        if (layers == 0 || e.Locals[static_cast<size_t>(layers - 1)].Count == gifcolors - 1) {
            if (layers == locallayers) return fits = false;
            e.Locals[static_cast<size_t>(layers++)] = t_ColorTable{};
        }
        e.Owners[k] = static_cast<uint8_t>(layers);
        e.Indices[k] = static_cast<uint8_t>(addcolor(e.Locals[static_cast<size_t>(layers - 1)], pixel));
        return true;
    });
    return fits;
}

// Too many colours for exact layers: one layer of giflib's median cut for every changed pixel.
bool planquantized(t_GifEncoder& e, const t_Box& box, const uint32_t* before) {
    e.Changed.clear();
    bool unchanged = false;
    walkbox(e, box, before, [&](size_t k, uint32_t pixel, bool same) {
        e.Owners[k] = same ? unchangedowner : 1;
        if (same) unchanged = true;
        else e.Changed.push_back(pixel);
        return true;
    });
    t_ColorTable& table = e.Locals[0];
    if (!quantizecolors(e.Changed.data(), e.Changed.size(), unchanged ? gifcolors - 1 : gifcolors, table,
                        e.Indices.data()))
        return false;
    // The quantised indices fill the front in the order of the changed pixels: spread out from
    // the back, no index is overwritten before it is read.
    size_t next = e.Changed.size();
    for (size_t k = e.Indices.size(); k-- > 0;)
        if (e.Owners[k] == 1) e.Indices[k] = e.Indices[--next];
    return true;
}

// Writes the pixels of one layer, cropped to them; every other pixel of the crop is transparent.
// table is the layer's own colours, nullptr for the global ones.
int writelayer(t_GifEncoder& e, const t_Box& box, uint8_t owner, const t_ColorTable* table, int transparent,
               int64_t delay) {
    int64_t left = box.Width, top = box.Height, right = -1, bottom = -1;
    for (int64_t y = 0; y < box.Height; ++y)
        for (int64_t x = 0; x < box.Width; ++x)
            if (e.Owners[static_cast<size_t>(y * box.Width + x)] == owner)
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = y;
    if (right < 0) left = top = right = bottom = 0;  // a frame with nothing to draw still carries its delay
    const t_Box crop{box.Left + left, box.Top + top, right - left + 1, bottom - top + 1};
    e.Block.resize(static_cast<size_t>(crop.Width * crop.Height));
    bool covered = true;
    uint8_t largest = 0;
    size_t j = 0;
    for (int64_t y = top; y <= bottom; ++y)
        for (int64_t x = left; x <= right; ++x) {
            const size_t k = static_cast<size_t>(y * box.Width + x);
            const bool mine = e.Owners[k] == owner;
            covered = covered && mine;
            const uint8_t index = mine ? e.Indices[k] : static_cast<uint8_t>(std::max(transparent, 0));
            largest = std::max(largest, index);
            e.Block[j++] = index;
        }
    if (covered) transparent = -1;  // no pixel of the crop needs it
    ColorMapObject* map = nullptr;
    if (table != nullptr) {
        map = makemap(*table, tablesize(table->Count + (transparent >= 0 ? 1 : 0)));
        if (map == nullptr) return ENOMEM;
    }
    // giflib codes a picture in the global colours with codes as wide as the whole table; the
    // indices this one uses may need fewer bits, and each bit less shortens every code.
    const int globalbits = e.Gif->SColorMap->BitsPerPixel;
    if (map == nullptr) e.Gif->SColorMap->BitsPerPixel = std::max(1, GifBitSize(largest + 1));
    const GraphicsControlBlock control{DISPOSE_DO_NOT, false, static_cast<int>(delay), transparent};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    const bool written = EGifPutExtension(e.Gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
                         EGifPutImageDesc(e.Gif, static_cast<int>(crop.Left), static_cast<int>(crop.Top),
                                          static_cast<int>(crop.Width), static_cast<int>(crop.Height), false,
                                          map) == GIF_OK &&
                         EGifPutLine(e.Gif, e.Block.data(), static_cast<int>(e.Block.size())) == GIF_OK;
    e.Gif->SColorMap->BitsPerPixel = globalbits;
    if (map != nullptr) GifFreeMapObject(map);
    if (!written) return ENOMEM;  // giflib fails only for memory: the writes happen at the flush
    return flush(e);
}

// One picture: the box of the held picture, pixels equal in `before` left transparent. Its
// colours come from the global table where it holds them, the rest from up to locallayers
// tables of its own, each drawn as a layer of its own (the extra layers shown for layerstep
// each, so that no viewer slows them down), and beyond that from median cut.
int writeframe(t_GifEncoder& e, const t_Box& box, const uint32_t* before, int64_t delay) {
    const size_t count = static_cast<size_t>(box.Width * box.Height);
    e.Indices.resize(count);
    e.Owners.resize(count);
    const t_ColorTable saved = growingpalette(e.Depth) ? e.Global : t_ColorTable{};
    int transparent = -1, layers = 0;
    bool leftovers = false;
    if (!planglobal(e, box, before, transparent, leftovers) || leftovers) {
        // The global colours do not hold the picture: they stay free for pictures they do hold.
        if (growingpalette(e.Depth)) e.Global = saved;
        if (planonelocal(e, box, before)) {
            layers = 1;
        } else {
            // More colours than one table holds: the global colours draw what they can, local
            // layers the rest (all of it when the global layer has no index left for "not mine").
            if (!planglobal(e, box, before, transparent, leftovers)) {
                if (growingpalette(e.Depth)) e.Global = saved;
                walkbox(e, box, before, [&](size_t k, uint32_t, bool same) {
                    e.Owners[k] = same ? unchangedowner : leftoverowner;
                    return true;
                });
            }
            if (!planlocal(e, box, layers)) {
                if (growingpalette(e.Depth)) e.Global = saved;
                if (!planquantized(e, box, before)) return ENOMEM;
                layers = 1;
            }
        }
    }
    const bool global = layers == 0 || std::find(e.Owners.begin(), e.Owners.end(), globalowner) != e.Owners.end();
    const int64_t blocks = (global ? 1 : 0) + layers;
    const int64_t step = delay > layerstep * (blocks - 1) ? layerstep : 0;
    int error = 0;
    if (global) error = writelayer(e, box, globalowner, nullptr, transparent, layers > 0 ? step : delay);
    for (int layer = 1; error == 0 && layer <= layers; ++layer) {
        // A local table of at most 255 colours leaves its next index free for transparency.
        const t_ColorTable& table = e.Locals[static_cast<size_t>(layer - 1)];
        const int64_t shown = layer < layers ? step : delay - step * (blocks - 1);
        error = writelayer(e, box, static_cast<uint8_t>(layer), &table, table.Count, shown);
    }
    return error;
}

// Writes the held picture, shown until `end`. A delay longer than one frame holds goes on in
// empty frames (one transparent pixel each).
int writeheld(t_GifEncoder& e, int64_t end) {
    const bool first = e.Frames == 0;
    t_Box box = first ? t_Box{0, 0, e.Width, e.Height} : changedbox(e.Shown.data(), e.Held.data(), e.Width, e.Height);
    if (box.empty()) box = {0, 0, 1, 1};  // nothing changed after all, but the delay needs a frame
    int64_t delay = delayuntil(e.Delays, end);
    int error = writeframe(e, box, first ? nullptr : e.Shown.data(), std::min(delay, longestdelay));
    if (error == 0) ++e.Frames;
    for (delay -= longestdelay; error == 0 && delay > 0; delay -= longestdelay)
        error = writeframe(e, {0, 0, 1, 1}, e.Held.data(), std::min(delay, longestdelay));
    return error;
}

// The global colours of 24- and 32-bit recordings grew with the frames: the header gets them
// now. Entries never used stay black.
int writeglobaltable(t_GifEncoder& e) {
    std::array<uint8_t, 3 * gifcolors> bytes{};
    for (int i = 0; i < e.Global.Count; ++i) {
        const uint32_t c = e.Global.Colors[static_cast<size_t>(i)];
        bytes[static_cast<size_t>(3 * i)] = static_cast<uint8_t>(c >> 16);
        bytes[static_cast<size_t>(3 * i + 1)] = static_cast<uint8_t>(c >> 8);
        bytes[static_cast<size_t>(3 * i + 2)] = static_cast<uint8_t>(c);
    }
    const ssize_t put = ::pwrite(e.File, bytes.data(), bytes.size(), globaltableoffset);
    if (put < 0) return errno;
    return put == static_cast<ssize_t>(bytes.size()) ? 0 : EIO;
}

}  // namespace

int opengif(t_GifEncoder& e, const std::string& path, int64_t width, int64_t height, int64_t depth) {
    if (path.empty()) return ENOENT;
    if (width < 1 || height < 1 || width > largestside || height > largestside) return EINVAL;
    e.Target = writetarget(path);
    struct stat info {};
    if (::stat(e.Target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return EISDIR;
        // The header is written again at the end and the file renamed over the target: a device
        // or a pipe takes neither.
        if (!S_ISREG(info.st_mode)) return ESPIPE;
    }
    if (const int error = createbeside(e.Target, e.Temporary, e.File); error != 0) {
        e.Temporary.clear();  // the last name tried may be someone else's file
        e.File = -1;
        return error;
    }
    e.Width = width;
    e.Height = height;
    e.Depth = depth;
    e.Global = depthpalette(depth);
    e.Gif = EGifOpen(&e, collect, nullptr);
    if (e.Gif == nullptr) {
        abandongif(e);
        return ENOMEM;
    }
    EGifSetGifVersion(e.Gif, true);
    ColorMapObject* map = makemap(e.Global, globaltablesize(depth));
    static const GifByteType application[] = "NETSCAPE2.0";
    static const GifByteType loopforever[] = {1, 0, 0};
    const bool written = map != nullptr && EGifPutScreenDesc(e.Gif, static_cast<int>(width), static_cast<int>(height),
                                                             8, 0, map) == GIF_OK &&
                         EGifPutExtensionLeader(e.Gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
                         EGifPutExtensionBlock(e.Gif, 11, application) == GIF_OK &&
                         EGifPutExtensionBlock(e.Gif, 3, loopforever) == GIF_OK &&
                         EGifPutExtensionTrailer(e.Gif) == GIF_OK;
    if (map != nullptr) GifFreeMapObject(map);
    const int error = written ? flush(e) : ENOMEM;
    if (error != 0) abandongif(e);
    return error;
}

int addgifframe(t_GifEncoder& e, std::vector<uint32_t>& pixels, int64_t microseconds) {
    if (pixels.size() != static_cast<size_t>(e.Width * e.Height)) return EINVAL;
    if (!e.Holding) {
        std::swap(e.Held, pixels);
        e.HeldTime = microseconds;
        e.Delays.Origin = microseconds;
        e.Holding = true;
        return 0;
    }
    if (pixels == e.Held) return 0;  // the view drew it again unchanged: the held picture lasts
    if (microseconds - e.HeldTime < shortestframe) {
        std::swap(e.Held, pixels);  // replaces the held picture, which keeps its start
        return 0;
    }
    if (const int error = writeheld(e, microseconds); error != 0) return error;
    std::swap(e.Shown, e.Held);
    std::swap(e.Held, pixels);
    e.HeldTime = microseconds;
    return 0;
}

int closegif(t_GifEncoder& e, int64_t microseconds) {
    if (!e.Holding) {
        abandongif(e);
        return ENODATA;
    }
    int error = writeheld(e, std::max(microseconds, e.HeldTime));
    if (error == 0) {
        const bool closed = EGifCloseFile(e.Gif, nullptr) == GIF_OK;  // adds the trailer, frees the state
        e.Gif = nullptr;
        error = closed ? flush(e) : ENOMEM;
    }
    if (error == 0 && growingpalette(e.Depth)) error = writeglobaltable(e);
    // A replaced file keeps its own mode, as with every file the framework writes.
    struct stat info {};
    if (error == 0 && ::stat(e.Target.c_str(), &info) == 0 && ::fchmod(e.File, info.st_mode & 07777) != 0) error = errno;
    if (error == 0 && ::fsync(e.File) != 0) error = errno;
    if (error == 0 && ::rename(e.Temporary.c_str(), e.Target.c_str()) != 0) error = errno;
    if (error != 0) {
        abandongif(e);
        return error;
    }
    ::close(e.File);
    e.File = -1;
    e.Temporary.clear();
    return 0;
}

void abandongif(t_GifEncoder& e) {
    if (e.Gif != nullptr) EGifCloseFile(e.Gif, nullptr);
    e.Gif = nullptr;
    e.Output.clear();
    if (e.File >= 0) ::close(e.File);
    e.File = -1;
    if (!e.Temporary.empty()) ::unlink(e.Temporary.c_str());
    e.Temporary.clear();
}
