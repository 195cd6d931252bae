#include "graphics/graphic_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/report.h"
#include "graphics/byte_files.h"
#include "graphics/graphic_coding.h"

namespace {

constexpr int64_t headersize = 16;

void storebigendian(std::vector<uint8_t>& bytes, size_t offset, int64_t value, int count) {
    for (int k = 0; k < count; ++k)
        bytes[offset + static_cast<size_t>(k)] = static_cast<uint8_t>(value >> (8 * (count - 1 - k)));
}

int64_t loadbigendian(const std::vector<uint8_t>& bytes, size_t offset, int count) {
    int64_t value = 0;
    for (int k = 0; k < count; ++k) value = (value << 8) | bytes[offset + static_cast<size_t>(k)];
    return value;
}

bool fitsfile(const t_Graphic& graphic) {
    return graphic.Width >= 0 && graphic.Width <= 0xFFFF && graphic.Height >= 0 && graphic.Height <= 0xFFFF &&
           graphic.Size >= 0 && graphic.Size <= 0xFFFFFFFF && graphic.Format >= 0 && graphic.Format <= 0xFF;
}

}  // namespace

std::vector<uint8_t> graphictobytes(const t_Graphic& graphic) {
    std::vector<uint8_t> bytes(static_cast<size_t>(headersize), 0);
    bytes[0] = static_cast<uint8_t>(graphic.HeaderSize);
    for (size_t k = 0; k < 4 && k < graphic.Identifier.size(); ++k) bytes[1 + k] = graphic.Identifier[k];
    bytes[5] = static_cast<uint8_t>(graphic.Format);
    storebigendian(bytes, 6, graphic.Size, 4);
    storebigendian(bytes, 10, graphic.Width, 2);
    storebigendian(bytes, 12, graphic.Height, 2);
    bytes[14] = static_cast<uint8_t>(((graphic.Reserved1 & 15) << 4) | (graphic.Reserved2 & 15));
    bytes[15] = static_cast<uint8_t>(graphic.Reserved3);
    bytes.insert(bytes.end(), graphic.Data.begin(), graphic.Data.end());
    return bytes;
}

t_Graphic graphicfrombytes(const std::vector<uint8_t>& bytes, const char* operation) {
    if (static_cast<int64_t>(bytes.size()) < headersize) {
        reportfailure(operation, "File is too short for a graphic file.");
        return emptygraphic();
    }
    if (!std::equal(graphicidentifier().begin(), graphicidentifier().end(), bytes.begin() + 1)) {
        reportfailure(operation, "Not a graphic file.");
        return emptygraphic();
    }
    if (bytes[0] != headersize) {
        reportfailure(operation, "Unsupported header size " + std::to_string(bytes[0]) + ".");
        return emptygraphic();
    }
    t_Graphic graphic;
    graphic.Format = bytes[5];
    graphic.Size = loadbigendian(bytes, 6, 4);
    graphic.Width = loadbigendian(bytes, 10, 2);
    graphic.Height = loadbigendian(bytes, 12, 2);
    graphic.Reserved1 = bytes[14] >> 4;
    graphic.Reserved2 = bytes[14] & 15;
    graphic.Reserved3 = bytes[15];
    if (!graphicisconsistent(graphic, operation)) return emptygraphic();
    // Uncoded data has one right length; coded data can only be bounded from above.
    const int64_t length = static_cast<int64_t>(bytes.size()) - headersize;
    const int64_t limit = graphicdatalimit(graphic, graphic.Format);
    if (graphic.Format < 20 ? length != limit : length > limit) {
        reportfailure(operation, "Data does not match the picture size.");
        return emptygraphic();
    }
    graphic.Data.assign(bytes.begin() + headersize, bytes.end());
    return graphic;
}

int64_t writegraphicfile(const std::string& path, const t_Graphic& graphic) {
    if (!fitsfile(graphic)) {
        reportfailure("writegraphicfile", "Picture too large for a graphic file.");
        return EFBIG;
    }
    return setbinarytofile(path, graphictobytes(graphic));
}

t_Graphic readgraphicfile(const std::string& path) {
    const std::vector<uint8_t> bytes = getbinaryfromfile(path);
    std::error_code error;
    // An unreadable file has had its message from the reader; an empty one gets its own.
    if (bytes.empty() && !(std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) == 0))
        return emptygraphic();
    return graphicfrombytes(bytes, "readgraphicfile");
}

std::string pathbasename(const std::string& path) {
    const size_t slash = path.rfind('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
