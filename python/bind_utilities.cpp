// Text and number utilities: pure functions, quick enough to keep the GIL.
#include "python/binding.h"

void bindutilities(py::module_& m) {
    def<&stringtobinary, quick>(m, "stringtobinary", py::arg("s"));
    def<&binarytoint, quick>(m, "binarytoint", py::arg("b"));
    def<&inttobinary, quick>(m, "inttobinary", py::arg("v"));
    def<&intpower, quick>(m, "intpower", py::arg("base"), py::arg("e"));
    def<&stringlength, quick>(m, "stringlength", py::arg("s"));
    def<&stringfrom, quick>(m, "stringfrom", py::arg("s"), py::arg("p"));
    def<&stringmid, quick>(m, "stringmid", py::arg("s"), py::arg("p"), py::arg("n"));
    def<&stringposition, quick>(m, "stringposition", py::arg("s"), py::arg("needle"), py::arg("p"));
    def<&stringrepeat, quick>(m, "stringrepeat", py::arg("s"), py::arg("n"));
    def<&stringspaces, quick>(m, "stringspaces", py::arg("n"));
    def<&binarycompare, quick>(m, "binarycompare", py::arg("a"), py::arg("b"));
    def<&binarysplit, quick>(m, "binarysplit", py::arg("b"), py::arg("sep"));
    def<&binaryjoin, quick>(m, "binaryjoin", py::arg("pieces"), py::arg("sep"));
    def<&intformat, quick>(m, "intformat", py::arg("v"), py::arg("fill"), py::arg("width"), py::arg("grouping"));
    m.def("hex2", &hex2, py::arg("v"));  // its byte is a value, not a window
    def<&hex4, quick>(m, "hex4", py::arg("v"));
    def<&hex8, quick>(m, "hex8", py::arg("v"));
    def<&hex8binary, quick>(m, "hex8binary", py::arg("v"));
}
