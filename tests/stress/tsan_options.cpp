// ThreadSanitizer reads its options before main: this hook finds the suppressions file beside
// this source and stops at the first report. Ignored in builds without ThreadSanitizer.
#include <array>
#include <string_view>

namespace {

constexpr std::string_view optionsbefore = "suppressions=";
constexpr std::string_view optionsafter = "tsan.supp:halt_on_error=1:second_deadlock_stack=1:history_size=4";

constexpr auto tsanoptions = [] {
    constexpr std::string_view source = __FILE__;
    constexpr std::string_view folder = source.substr(0, source.rfind('/') + 1);
    std::array<char, optionsbefore.size() + folder.size() + optionsafter.size() + 1> text{};
    size_t at = 0;
    for (std::string_view part : {optionsbefore, folder, optionsafter})
        for (char c : part) text[at++] = c;
    return text;
}();

}  // namespace

extern "C" const char* __tsan_default_options() { return tsanoptions.data(); }
