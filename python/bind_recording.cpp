// Recording: a start and a stop write files and wait for the writer thread.
#include "python/binding.h"

void bindrecording(py::module_& m) {
    def<&g_RecordStart, desktop>(m, "g_RecordStart", py::arg("window"), py::arg("path"));
    def<&g_RecordStop, desktop>(m, "g_RecordStop", py::arg("window"));
}
