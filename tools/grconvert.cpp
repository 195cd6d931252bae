// stangenspiel-grconvert: turns a saved ".gr" picture into a PNG and a PNG into a ".gr" file.
//   stangenspiel-grconvert INPUT.gr OUTPUT.png
//   stangenspiel-grconvert INPUT.png OUTPUT.gr
// The direction follows the extensions. Exit status 0 on success, 1 when the conversion
// failed (the reason is on standard output), 2 for wrong arguments.
#include <cctype>
#include <cstdio>
#include <string>

#include "graphics/graphic_coding.h"
#include "graphics/graphic_file.h"
#include "graphics/png_files.h"

namespace {

bool endswith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

int usage() {
    std::fprintf(stderr,
                 "usage: stangenspiel-grconvert INPUT.gr OUTPUT.png\n"
                 "       stangenspiel-grconvert INPUT.png OUTPUT.gr\n");
    return 2;
}

int grtopng(const std::string& input, const std::string& output) {
    const t_Graphic graphic = readgraphicfile(input);
    if (graphic == emptygraphic()) return 1;
    return g_WritePNGFile(output, graphic) == 0 ? 0 : 1;
}

int pngtogr(const std::string& input, const std::string& output) {
    const t_Graphic graphic = g_ReadPNGFile(input);
    if (graphic.Size < 1) return 1;
    return writegraphicfile(output, g_CompressLZW(g_CompressRLE(g_Pack(graphic)))) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    const std::string input = argv[1], output = argv[2];
    if (endswith(input, ".gr") && endswith(output, ".png")) return grtopng(input, output);
    if (endswith(input, ".png") && endswith(output, ".gr")) return pngtogr(input, output);
    return usage();
}
