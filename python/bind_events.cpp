// Mouse and menu events: the queues, the program's handlers (Python callables on the
// framework's background threads) and the menu items of the program's own.
#include "python/binding.h"

namespace {

// The framework keeps a closure without Python in it; the callable waits in its slot, so the
// framework may copy and drop the closure on any thread without the GIL.
void sethandler(t_HandlerSlot slot, void (*setter)(std::function<void()>), const pythonhandler& handler) {
    sethandlerslot(slot, handler.callable);
    std::function<void()> run;
    if (!handler.callable.is_none())
        run = [slot] { runonframeworkthread([slot] { return handlerslot(slot); }, false); };
    py::gil_scoped_release released;
    setter(std::move(run));
}

}  // namespace

void bindevents(py::module_& m) {
    def<&t_MouseEventCount, quick>(m, "t_MouseEventCount");
    def<&t_NextMouseEvent, quick>(m, "t_NextMouseEvent");
    def<&t_ClearMouseEvents, quick>(m, "t_ClearMouseEvents");
    def<&t_MenuEventCount, quick>(m, "t_MenuEventCount");
    def<&t_NextMenuEvent, quick>(m, "t_NextMenuEvent");
    def<&t_ClearMenuEvents, quick>(m, "t_ClearMenuEvents");
    m.def(
        "setprogrammousehandler",
        [](const pythonhandler& handler) { sethandler(t_HandlerSlot::Mouse, setprogrammousehandler, handler); },
        py::arg("handler"));
    m.def(
        "setprogrammenuhandler",
        [](const pythonhandler& handler) { sethandler(t_HandlerSlot::Menu, setprogrammenuhandler, handler); },
        py::arg("handler"));
    def<&t_MenuItemAdd, desktop>(m, "t_MenuItemAdd", py::arg("menuTitle"), py::arg("itemTitle"), py::arg("tag"));
    def<&t_MenuItemIndex, desktop>(m, "t_MenuItemIndex", py::arg("menuTitle"), py::arg("itemTitle"));
    def<&t_MenuItemDelete, desktop>(m, "t_MenuItemDelete", py::arg("menuTitle"), py::arg("position"));
    def<&t_MenuItemTitle, desktop>(m, "t_MenuItemTitle", py::arg("menuTitle"), py::arg("position"));
}
