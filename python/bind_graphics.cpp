// Graphics: pixels, the window's memory as a memoryview, capture and the coding stages.
#include "python/binding.h"

namespace {

// g_Scrn(w, x, y) answers the palette index, g_Scrn(w, x, y, t_RGBColor) the colour: the
// template argument of C++ becomes the result type given as an argument.
py::object pythonscrn(windownumber window, int64_t x, int64_t y, const py::object& result) {
    if (result.is(py::type::of<t_RGBColor>())) return py::cast(g_Scrn<t_RGBColor>(window.value, x, y));
    if (!result.is(py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyLong_Type))))
        throw py::type_error("g_Scrn: the result type is int or t_RGBColor");
    return py::int_(g_Scrn<int64_t>(window.value, x, y));
}

// The pixels themselves, writable: numpy.frombuffer(g_GraphicMemory(w), numpy.uint8) draws
// straight into video memory. Like the C++ span it is valid until a window is created again.
py::memoryview pythongraphicmemory(windownumber window) {
    static uint8_t nothing = 0;  // a memoryview needs an address even for no bytes
    const std::span<uint8_t> pixels = g_GraphicMemory(window.value);
    return py::memoryview::from_memory(pixels.empty() ? &nothing : pixels.data(),
                                       static_cast<py::ssize_t>(pixels.size()), false);
}

}  // namespace

void bindgraphics(py::module_& m) {
    def<&g_Plot, quick>(m, "g_Plot", py::arg("window"), py::arg("x"), py::arg("y"));
    def<&g_Line, quick>(m, "g_Line", py::arg("window"), py::arg("x1"), py::arg("y1"), py::arg("x2"), py::arg("y2"));
    m.def("g_Scrn", &pythonscrn, py::arg("window"), py::arg("x"), py::arg("y"),
          py::arg("result") = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyLong_Type)));
    m.def("g_GraphicMemory", &pythongraphicmemory, py::arg("window"));
    def<&g_PictureChanged, quick>(m, "g_PictureChanged", py::arg("window"));
    def<&g_GetScreen, waits>(m, "g_GetScreen", py::arg("window"));
    def<&g_GetScreenRect, waits>(m, "g_GetScreenRect", py::arg("window"), py::arg("x1"), py::arg("y1"), py::arg("x2"),
                                 py::arg("y2"));
    def<&g_PutScreen, waits>(m, "g_PutScreen", py::arg("window"), py::arg("graphic"), py::arg("x"), py::arg("y"));
    def<&g_Pack, waits>(m, "g_Pack", py::arg("graphic"));
    def<&g_CompressRLE, waits>(m, "g_CompressRLE", py::arg("graphic"));
    def<&g_CompressLZW, waits>(m, "g_CompressLZW", py::arg("graphic"));
    def<&g_DecompressLZW, waits>(m, "g_DecompressLZW", py::arg("graphic"));
    def<&g_DecompressRLE, waits>(m, "g_DecompressRLE", py::arg("graphic"));
    def<&g_Unpack, waits>(m, "g_Unpack", py::arg("graphic"));
    def<&g_Decompress, waits>(m, "g_Decompress", py::arg("graphic"));
}
