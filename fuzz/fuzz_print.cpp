// t_Print of arbitrary byte strings, in every display mode, at every window depth, with
// every kind of font and text area; the window's memory must stay intact.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "text/text_areas.h"
#include "text/text_output.h"
#include "windows/invariants.h"
#include "windows/window_creation.h"

namespace {

constexpr uint8_t printwindow = 1;

struct t_Setup {
    int64_t Depth = -1;
    uint8_t Font = 0;
    bool operator==(const t_Setup&) const = default;
};

void require(const std::string& broken) {
    if (broken.empty()) return;
    std::fprintf(stderr, "fuzz_print: %s\n", broken.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static t_Setup current;
    t_FuzzInput in(data, size);
    const t_Setup wanted{in.depth(), in.byte()};
    const uint8_t mode = in.byte();
    const uint8_t columns = in.byte();
    const uint8_t lines = in.byte();
    // Re-creating costs a trip to the GUI thread: only when depth or font change.
    if (!(wanted == current)) {
        t_InitGraphicWindow(printwindow, wanted.Depth, false, 8 + columns % 128 * 4, 8 + lines % 64 * 4, 0, 0,
                            fuzzfont(wanted.Font), true);
        current = wanted;
    }
    t_FullArea(printwindow);
    if (mode & 0x80) t_Area(printwindow, in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate());
    static constexpr int64_t modes[] = {0, 1, 2, 3, 4, 99, 5, -1};
    t_DisplayMode(printwindow, modes[mode & 7]);
    const std::vector<uint8_t> text = in.rest();
    if (mode & 0x40) t_Print(printwindow, std::string(text.begin(), text.end()));
    else t_Print(printwindow, text);
    require(checkframeworkinvariants());
    return 0;
}
