// Printer and console: text windows of their own, filled on the GUI thread.
#include "python/binding.h"

void bindprinter(py::module_& m) {
    def<&p_InitPrinter, desktop>(m, "p_InitPrinter");
    def<&p_SetRuler, desktop>(m, "p_SetRuler", py::arg("text"));
    def<&p_SetPrinter, desktop>(m, "p_SetPrinter", py::arg("text"));
    // The bytes overloads first: bytes would pass for a str, a str never for bytes.
    def<py::overload_cast<const std::vector<uint8_t>&>(&p_Print), waits>(m, "p_Print", py::arg("bytes"));
    def<py::overload_cast<const std::string&>(&p_Print), waits>(m, "p_Print", py::arg("text"));
    def<py::overload_cast<const std::vector<uint8_t>&>(&c_Print), desktop>(m, "c_Print", py::arg("bytes"));
    def<py::overload_cast<const std::string&>(&c_Print), desktop>(m, "c_Print", py::arg("text"));
}
