// Python on the framework's threads: the program and the handlers run as Python callables on
// threads the framework started, t_QuitProgram ends them, exceptions go to the log.
//
// The interpreter is never finalised while the application runs: runprogram ends the process
// when the application quits (the framework's threads may still be inside Python then), so no
// Python object here is released at exit, and nothing waits for a thread to leave Python. A
// script that never calls runprogram may end while a thread it started runs Python: Python
// itself ends that thread, and callpython stays out of its way.
#include <cxxabi.h>

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "python/binding.h"

namespace {

std::atomic<bool> applicationstarted{false};  // set by runprogram on the main thread

// The Python callables the framework's threads call. Guarded by the GIL; strong references that
// live as long as the process.
PyObject* handlerslots[static_cast<size_t>(t_HandlerSlot::Count)] = {};

// What t_QuitProgram threw, held while the Python frames above the thread's entry unwind, and
// thrown again below them so that the framework ends its thread itself.
thread_local std::exception_ptr pendingquit;

PyObject* programquit = nullptr;  // the class ProgramQuit, created at import

// References let go of on threads without the GIL, released by the next thread that holds it.
struct t_ReleaseQueue {
    std::mutex Mutex;
    std::vector<PyObject*> Objects;
};
t_ReleaseQueue releasequeue;

void releasepending() {
    std::vector<PyObject*> objects;
    {
        std::lock_guard<std::mutex> lock(releasequeue.Mutex);
        objects.swap(releasequeue.Objects);
    }
    for (PyObject* object : objects) Py_DECREF(object);
}

enum class t_Ending { Returned, Quit, Failed };

// Calls the callable with the GIL; answers how it ended and keeps a thrown quit. When Python
// exits while the call runs (a script that never called runprogram), Python ends the thread the
// moment it asks for the GIL again, by an unwinding that nothing here may stop or touch Python
// during: no Python object and no thread state is let go of then.
t_Ending callpython(const std::function<py::object()>& fetch, std::exception_ptr& quit) {
    const PyGILState_STATE gil = PyGILState_Ensure();
    releasepending();
    t_Ending ending = t_Ending::Returned;
    py::object callable;
    try {
        try {
            callable = fetch();
            if (callable) callable();
        } catch (py::error_already_set& error) {
            if (error.matches(programquit)) {
                quit = std::exchange(pendingquit, nullptr);
                ending = t_Ending::Quit;
            } else if (error.matches(PyExc_SystemExit)) {
                ending = t_Ending::Quit;  // sys.exit() ends the program as t_QuitProgram does
            } else {
                logpythonexception(error);
                ending = t_Ending::Failed;
            }
        }
        // Python's standard output stays as it is: its finished lines are out already, and a
        // flush here would break another thread's line in two, with log lines in between.
        callable = py::object();
    } catch (abi::__forced_unwind&) {
        callable.release();
        throw;
    }
    PyGILState_Release(gil);
    return ending;
}

}  // namespace

bool applicationrunning() { return applicationstarted.load(std::memory_order_acquire); }
void setapplicationrunning(bool running) { applicationstarted.store(running, std::memory_order_release); }

void reportnoapplication(const char* operation) {
    logline(std::string(operation) + ": No application is running; runprogram starts it.");
}

void sethandlerslot(t_HandlerSlot slot, const py::object& callable) {
    PyObject*& held = handlerslots[static_cast<size_t>(slot)];
    PyObject* old = held;
    held = callable && !callable.is_none() ? callable.inc_ref().ptr() : nullptr;
    Py_XDECREF(old);  // last: a finaliser it runs may set the slot again
}

py::object handlerslot(t_HandlerSlot slot) {
    return py::reinterpret_borrow<py::object>(handlerslots[static_cast<size_t>(slot)]);
}

void releaselater(PyObject* object) {
    std::lock_guard<std::mutex> lock(releasequeue.Mutex);
    releasequeue.Objects.push_back(object);
}

void runonframeworkthread(const std::function<py::object()>& fetch, bool programthread) {
    if (pythonunavailable()) return;
    std::exception_ptr quit;
    const t_Ending ending = callpython(fetch, quit);  // without the GIL again
    if (quit) std::rethrow_exception(quit);
    // The program ends as every program ends: "(Programm Ende)" in its first window.
    if (programthread && ending != t_Ending::Returned) t_QuitProgram(t_MainWindow());
}

void runonguithread(const std::function<py::object()>& fetch) {
    if (pythonunavailable()) return;
    std::exception_ptr quit;  // t_QuitProgram refuses the GUI thread, so it stays empty
    callpython(fetch, quit);
}

void logpythonexception(py::error_already_set& error) {
    std::string text;
    try {
        py::object format = py::module_::import("traceback").attr("format_exception");
        for (py::handle line : format(error.type(), error.value(), error.trace())) text += line.cast<std::string>();
    } catch (py::error_already_set&) {
        text = error.what();
    }
    while (!text.empty() && text.back() == '\n') text.pop_back();
    logline(text);  // one entry: no other thread's line lands inside the traceback
}

void flushpythonstreams() {
    for (const char* name : {"stdout", "stderr"}) {
        PyObject* stream = PySys_GetObject(name);  // borrowed
        if (stream == nullptr || stream == Py_None) continue;
        PyObject* result = PyObject_CallMethod(stream, "flush", nullptr);
        if (result == nullptr) PyErr_Clear();
        Py_XDECREF(result);
    }
}

void quitprogram(windownumber window) {
    std::exception_ptr quit;
    {
        py::gil_scoped_release released;  // it redraws on the GUI thread and sleeps
        try {
            t_QuitProgram(window.value);
        } catch (abi::__forced_unwind&) {
            throw;  // a thread cancellation is not ours to keep
        } catch (...) {
            quit = std::current_exception();  // thrown again at the thread's entry
        }
    }
    if (!quit) return;  // refused: the thread was not the framework's
    pendingquit = quit;
    PyErr_SetString(programquit, "t_QuitProgram");
    throw py::error_already_set();
}

void bindprogramquit(py::module_& m) {
    programquit = PyErr_NewExceptionWithDoc(
        "stangenspiel.ProgramQuit",
        "Raised by t_QuitProgram to end the thread; derived from BaseException, so that "
        "'except Exception' lets it pass.",
        PyExc_BaseException, nullptr);
    if (programquit == nullptr) throw py::error_already_set();
    m.attr("ProgramQuit") = py::handle(programquit);  // the module keeps its own reference
}
