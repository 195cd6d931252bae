// The font loader on arbitrary file bytes; whatever it accepts is installed in windows of
// every depth and drawn with, including creating a window's text screen from its size.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/font_resource.h"
#include "text/glyphs.h"
#include "text/text_output.h"
#include "windows/invariants.h"
#include "windows/window_creation.h"

namespace {

void require(const std::string& broken) {
    if (broken.empty()) return;
    std::fprintf(stderr, "fuzz_font: %s\n", broken.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/stangenspiel-fuzz-" + std::to_string(::getpid()) + ".font";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const t_Font font = t_LoadFontResource(path);
    ::unlink(path.c_str());  // the process leaves with _Exit: nothing else would clean up
    if (font.Data.empty()) return 0;

    static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32};
    const int64_t depth = depths[size % 6];
    const uint8_t window = 3;
    t_InitGraphicWindow(window, depth, false, 160, 96, 0, 0, font, true);
    require(checkframeworkinvariants());
    static const std::vector<uint8_t> sample{'A', 0, 31, 32, 127, 128, 156, 160, 200, 255, 13, 'z', 8, 10};
    t_Print(window, sample);
    for (int64_t code : {0, 65, 255}) t_PrintSymbol(window, static_cast<uint8_t>(code), 0xF0, 1, 1);
    require(checkframeworkinvariants());

    // The same font on a window that already has its text screen.
    t_InitGraphicWindow(4, depth, false, 128, 64, 0, 0, t_Font{}, true);
    t_WindowFont(4, font);
    t_Print(4, sample);
    require(checkframeworkinvariants());
    return 0;
}
