// Classic conveniences: the line and number inputs wait for keys and the frame wait for the view,
// all with the GIL let go; the random numbers and the clock are quick.
#include "python/binding.h"

#include <optional>

namespace {

// Python has no out-parameter: the number, or None for text that is not one.
std::optional<double> pythonstringtonumber(const std::string& text) {
    double value = 0;
    if (!stringtonumber(text, value)) return std::nullopt;
    return value;
}

}  // namespace

void bindconveniences(py::module_& m) {
    def<&t_InputLine, desktop>(m, "t_InputLine", py::arg("window"), py::arg("maxCharacters"));
    def<&t_InputNumber, desktop>(m, "t_InputNumber", py::arg("window"), py::arg("maxCharacters"));
    def<&t_PrintLine, waits>(m, "t_PrintLine", py::arg("window"), py::arg("text"));
    def<&t_Home, waits>(m, "t_Home", py::arg("window"));
    def<&t_Hpos, waits>(m, "t_Hpos", py::arg("window"));
    def<&t_Vpos, waits>(m, "t_Vpos", py::arg("window"));
    def<&t_Randomize, quick>(m, "t_Randomize", py::arg("seed"));
    def<&t_Random, quick>(m, "t_Random");
    def<&t_RandomInt, quick>(m, "t_RandomInt", py::arg("n"));
    def<&t_Wait, waits>(m, "t_Wait", py::arg("milliseconds"));
    def<&t_Ticks, quick>(m, "t_Ticks");
    def<&t_WaitRefresh, desktop>(m, "t_WaitRefresh", py::arg("window"));
    m.def("stringtonumber", &pythonstringtonumber, py::arg("text"));
}
