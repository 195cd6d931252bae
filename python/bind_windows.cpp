// Windows: creation, placement, titles, visibility, refresh and colours.
#include "python/binding.h"

void bindwindows(py::module_& m) {
    def<&t_InitWindow, desktop>(m, "t_InitWindow", py::arg("window"), py::arg("bitDepth"), py::arg("columns"),
                                py::arg("lines"), py::arg("border"), py::arg("fontFileName"));
    def<&t_InitGraphicWindow, desktop>(m, "t_InitGraphicWindow", py::arg("window"), py::arg("bitDepth"),
                                       py::arg("autoUpdate"), py::arg("width"), py::arg("height"),
                                       py::arg("borderWidth"), py::arg("borderHeight"), py::arg("font"),
                                       py::arg("titleVisible"));
    def<&t_WindowPos, desktop>(m, "t_WindowPos", py::arg("window"), py::arg("selector"));
    def<&t_WindowSize, desktop>(m, "t_WindowSize", py::arg("window"), py::arg("x"), py::arg("y"), py::arg("width"),
                                py::arg("height"));
    def<py::overload_cast<uint8_t>(&t_WindowTitle), desktop>(m, "t_WindowTitle", py::arg("window"));
    def<py::overload_cast<uint8_t, const std::string&>(&t_WindowTitle), desktop>(m, "t_WindowTitle",
                                                                                 py::arg("window"), py::arg("title"));
    def<&t_WindowTitleVisible, desktop>(m, "t_WindowTitleVisible", py::arg("window"), py::arg("visible"));
    def<&t_WindowVisible, desktop>(m, "t_WindowVisible", py::arg("window"), py::arg("visible"));
    def<&t_WindowFront, desktop>(m, "t_WindowFront", py::arg("window"));
    def<&t_WindowCenter, desktop>(m, "t_WindowCenter", py::arg("window"));
    def<&t_WindowRefreshRate, waits>(m, "t_WindowRefreshRate", py::arg("window"), py::arg("rate"));
    def<&t_WindowUpdate, waits>(m, "t_WindowUpdate", py::arg("window"), py::arg("deferred"));
    def<&t_Color, waits>(m, "t_Color", py::arg("window"), py::arg("index"));
    def<&t_ColorBorder, waits>(m, "t_ColorBorder", py::arg("window"), py::arg("index"));
}
