#include "text/font_resource.h"

#include <string>
#include <utility>

#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"
#include "graphics/byte_files.h"
#include "graphics/lzw.h"
#include "core/resources.h"

namespace {

constexpr int64_t rawformat = 0;
constexpr int64_t greyformat = 2;
constexpr int64_t codedrawformat = 100;
constexpr int64_t codedgreyformat = 102;

// The longest file worth reading as a font: the largest header and the most glyph bytes a font
// can hold. Coded data longer than that would be better stored raw; refusing it keeps a
// hostile file's decoding tables within a few tens of MB.
constexpr int64_t largestfontfile = 255 + 1 + static_cast<int64_t>(largestfontdata);

const std::vector<uint8_t> fontidentifier{0x6D, 0x78, 0x66, 0x6E};  // "mxfn"

int64_t byteat(const std::vector<uint8_t>& file, size_t offset) {
    return offset < file.size() ? file[offset] : 0;
}

// Unpacks in place, so that the coded bytes are never held twice.
void unpackinplace(t_Font& font) {
    if (font.Format != codedrawformat && font.Format != codedgreyformat) return;
    font.Format = font.Format == codedrawformat ? rawformat : greyformat;
    if (font.Data.empty()) return;
    std::vector<uint8_t> glyphs;
    if (!lzwunpack(font.Data, largestfontdata, glyphs)) glyphs.clear();
    font.Data = std::move(glyphs);
}

}  // namespace

t_Font unpackfont(const t_Font& font) {
    t_Font result = font;
    unpackinplace(result);
    return result;
}

t_Font t_LoadFontResource(const std::string& name) {
    const std::string path = !name.empty() && name.front() == '/' ? name : resourcepath(name);
    std::vector<uint8_t> file = getbinaryfromfile(path, largestfontfile);
    t_Font font = emptyfont();
    if (file.empty()) {
        reportfailure("t_LoadFontResource", "Could not load file \u201E" + name + "\u201C");
        return font;
    }
    font.HeaderSize = file[0];
    if (file.size() < static_cast<size_t>(font.HeaderSize)) {
        reportfailure("t_LoadFontResource", "Invalid header size");
        return font;
    }
    font.Identifier.assign(file.begin() + 1, file.begin() + std::min<size_t>(5, file.size()));
    if (font.Identifier != fontidentifier) {
        reportfailure("t_LoadFontResource", "Invalid file type");
        return font;
    }
    font.Format = byteat(file, 5);
    font.Size = getbinaryint32(file, 6);
    font.Start = static_cast<uint8_t>(byteat(file, 10));
    font.End = static_cast<uint8_t>(byteat(file, 11));
    font.Width = byteat(file, 12);
    font.Height = byteat(file, 13);
    font.Reserved = file.size() >= 16 ? (file[14] << 8) | file[15] : 0;
    file.erase(file.begin(), file.begin() + font.HeaderSize);
    font.Data = std::move(file);
    unpackinplace(font);
    return font;
}

bool drawablefont(const t_Font& font) {
    const auto drawable = [](int64_t side) { return side >= 0 && side <= largestglyphside; };
    return font.Data.empty() || (drawable(font.Width) && drawable(font.Height));
}

std::string fontcell(const t_Font& font) {
    return std::to_string(font.Width) + " x " + std::to_string(font.Height) + " pixel";
}

void t_WindowFont(uint8_t window, const t_Font& font) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_WindowFont", window);
    if (record == nullptr) return;
    if (!drawablefont(font)) {
        reportfailure("t_WindowFont", "Font cell of " + fontcell(font) + " cannot be drawn.");
        return;
    }
    record->Font = font;
}
