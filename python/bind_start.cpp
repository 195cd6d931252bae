// Start, threads and the end: runprogram for Python, threads that run Python callables,
// t_QuitProgram, the terminate and save-graphic handlers.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "python/binding.h"

namespace {

// The command line runprogram hands on; Qt and the framework keep pointers into it.
struct t_CommandLine {
    std::vector<std::string> Arguments;
    std::vector<char*> Pointers;
};
t_CommandLine commandline;  // written by runprogram on the main thread before the application

// A Python callable held by C++ closures that the framework copies and drops on any thread:
// the copies share one reference, and the last one hands it to releaselater.
std::shared_ptr<PyObject> holdcallable(const py::object& callable) {
    return {callable.inc_ref().ptr(), releaselater};
}

std::function<void()> onframeworkthread(const py::object& callable) {
    return [held = holdcallable(callable)] {
        runonframeworkthread([&held] { return py::reinterpret_borrow<py::object>(held.get()); }, false);
    };
}

std::function<void()> onguithread(t_HandlerSlot slot) {
    return [slot] { runonguithread([slot] { return handlerslot(slot); }); };
}

// The user quits: the program's terminate handler, then what Python has buffered for standard
// output, since the process ends without Python's own exit.
void onterminate() {
    runonguithread([] { return handlerslot(t_HandlerSlot::Terminate); });
    if (!pythonunavailable()) {
        py::gil_scoped_acquire gil;
        flushpythonstreams();
    }
}

// Python's standard output goes out line by line, between the framework's log lines.
void linebufferstdout() {
    try {
        py::module_::import("sys").attr("stdout").attr("reconfigure")(py::arg("line_buffering") = true);
    } catch (py::error_already_set&) {
        // a replaced stdout without reconfigure: its lines come when it flushes
    }
}

int pythonrunprogram(const py::function& program, const std::optional<std::vector<std::string>>& argv,
                     const std::string& name, const std::string& version, const std::string& description) {
    if (applicationrunning()) {
        logline("runprogram: The application is already running.");
        return 1;
    }
    commandline.Arguments = argv ? *argv : py::module_::import("sys").attr("argv").cast<std::vector<std::string>>();
    commandline.Pointers.clear();
    for (std::string& argument : commandline.Arguments) commandline.Pointers.push_back(argument.data());
    commandline.Pointers.push_back(nullptr);
    sethandlerslot(t_HandlerSlot::Program, program);
    setterminatehandler(onterminate);
    linebufferstdout();
    setapplicationrunning(true);
    int code = 0;
    {
        py::gil_scoped_release released;  // the event loop runs on this thread from here
        code = runprogram(static_cast<int>(commandline.Arguments.size()), commandline.Pointers.data(),
                          t_ProgramInfo{name, version, description}, [] {
                              runonframeworkthread([] { return handlerslot(t_HandlerSlot::Program); }, true);
                          });
    }
    // Only --help, --version and a bad command line come back; a run ends the process.
    setapplicationrunning(false);
    return code;
}

void pythonstartprocess(const py::function& function, int64_t stacksize) {
    if (!applicationrunning()) return reportnoapplication("startprocess");
    std::function<void()> start = onframeworkthread(function);
    py::gil_scoped_release released;
    startprocess(std::move(start), stacksize);
}

void pythonstartasyncprocess(const py::function& function) {
    std::function<void()> start = onframeworkthread(function);
    py::gil_scoped_release released;
    startasyncprocess(std::move(start));
}

void pythonsetterminatehandler(const pythonhandler& handler) {
    // The framework's own terminate handler stays onterminate, which calls this slot.
    sethandlerslot(t_HandlerSlot::Terminate, handler.callable);
}

void pythonsetsavegraphichandler(const pythonhandler& handler) {
    sethandlerslot(t_HandlerSlot::SaveGraphic, handler.callable);
    std::function<void()> run;
    // The usual choice, savegraphic itself, runs without Python in between.
    if (handler.callable.is(py::module_::import("stangenspiel").attr("savegraphic"))) run = savegraphic;
    else if (!handler.callable.is_none()) run = onguithread(t_HandlerSlot::SaveGraphic);
    py::gil_scoped_release released;
    setsavegraphichandler(std::move(run));
}

}  // namespace

void bindstart(py::module_& m) {
    bindprogramquit(m);
    m.def("runprogram", &pythonrunprogram, py::arg("program"), py::arg("argv") = py::none(),
          py::arg("name") = "", py::arg("version") = "", py::arg("description") = "");
    def<&frameworkversion, quick>(m, "frameworkversion");
    m.def("startprocess", &pythonstartprocess, py::arg("function"), py::arg("stacksize"));
    m.def("startasyncprocess", &pythonstartasyncprocess, py::arg("function"));
    m.def("t_QuitProgram", &quitprogram, py::arg("window"));
    def<&t_MainWindow, quick>(m, "t_MainWindow");
    def<&t_WindowRecord, waits>(m, "t_WindowRecord", py::arg("window"));
    m.def("setterminatehandler", &pythonsetterminatehandler, py::arg("handler"));
    m.def("setsavegraphichandler", &pythonsetsavegraphichandler, py::arg("handler"));
    def<&logline, waits>(m, "logline", py::arg("line"));
}
