// Keys: t_GetKey waits with the GIL let go, so Python threads and handlers run meanwhile.
#include "python/binding.h"

void bindkeys(py::module_& m) {
    def<&t_GetKey, desktop>(m, "t_GetKey", py::arg("window"));
    def<&currentkeyevent, quick>(m, "currentkeyevent");
    def<&keyeventcount, quick>(m, "keyeventcount");
    def<&clearkeyevents, quick>(m, "clearkeyevents");
    def<&t_CursorOn, waits>(m, "t_CursorOn", py::arg("window"));
    def<&t_CursorOff, waits>(m, "t_CursorOff", py::arg("window"));
    def<&t_CursorDraw, waits>(m, "t_CursorDraw", py::arg("window"));
}
