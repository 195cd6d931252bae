// Zoom and full screen: the desktop places the window, so each call waits for the GUI thread.
#include "python/binding.h"

void bindzoom(py::module_& m) {
    def<&t_WindowZoom, desktop>(m, "t_WindowZoom", py::arg("window"), py::arg("factor"));
    def<&t_WindowZoomFactor, desktop>(m, "t_WindowZoomFactor", py::arg("window"));
    def<&t_WindowFullScreen, desktop>(m, "t_WindowFullScreen", py::arg("window"), py::arg("on"));
}
