// The Python module's common ground: how bytes, window numbers and handlers cross into Python,
// and the policy every bound call follows. Built from the public header alone, like any program
// on the framework.
//
// The GIL. Python runs on the program thread, on the handlers' threads and on threads of its
// own, while the GUI thread runs Python only for the terminate and save-graphic handlers. A
// call that holds the GIL while it waits for another thread (the GUI thread above all) would
// stop every other Python thread, and deadlock the moment that thread wants to run Python. So:
//   quick     keeps the GIL: short calls that never wait for another thread (g_Plot and its
//             relatives, the queue counts, the pure text, number and byte functions);
//   waits     lets go of the GIL for the call: everything else, above all every call that can
//             wait for a key, a dialog, the GUI thread, a sleep or a long computation;
//   desktop   waits, and needs the application runprogram runs: without one such a call
//             would wait for a GUI thread that never comes, so it prints one line and does
//             nothing instead.
// Arguments are converted to C++ values (copies) before the GIL goes, so another Python thread
// cannot change them during the call.
#pragma once

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <stangenspiel/stangenspiel.h>

namespace py = pybind11;

// A window number from Python: any integer. One outside 0-255 becomes nowindow, which every
// operation refuses with its own line, as a C++ program's wrong number is refused.
struct windownumber {
    uint8_t value = nowindow;
};

// A handler from Python: a callable, or None for "do nothing" (the framework's default).
struct pythonhandler {
    py::object callable;
};

namespace pybind11::detail {

// Byte arrays are bytes in Python. Going in, anything with a contiguous byte buffer will do
// (bytes, bytearray, memoryview, a numpy array); str never does, so that text and byte
// overloads stay apart.
template <>
struct type_caster<std::vector<uint8_t>> {
    PYBIND11_TYPE_CASTER(std::vector<uint8_t>, const_name("bytes"));
    bool load(handle source, bool) {
        PyObject* object = source.ptr();
        if (PyUnicode_Check(object) || !PyObject_CheckBuffer(object)) return false;
        Py_buffer buffer;
        if (PyObject_GetBuffer(object, &buffer, PyBUF_SIMPLE) != 0) {
            PyErr_Clear();
            return false;
        }
        const auto* bytes = static_cast<const uint8_t*>(buffer.buf);
        value.assign(bytes, bytes + buffer.len);
        PyBuffer_Release(&buffer);
        return true;
    }
    static handle cast(const std::vector<uint8_t>& bytes, return_value_policy, handle) {
        return PyBytes_FromStringAndSize(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<Py_ssize_t>(bytes.size()));
    }
};

template <>
struct type_caster<windownumber> {
    PYBIND11_TYPE_CASTER(windownumber, const_name("int"));
    bool load(handle source, bool) {
        if (PyFloat_Check(source.ptr()) || !PyIndex_Check(source.ptr())) return false;
        object number = reinterpret_steal<object>(PyNumber_Index(source.ptr()));
        if (!number) {
            PyErr_Clear();
            return false;
        }
        int overflow = 0;
        const long long v = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
        value.value = overflow == 0 && v >= 0 && v <= 255 ? static_cast<uint8_t>(v) : nowindow;
        return true;
    }
    static handle cast(windownumber window, return_value_policy, handle) { return PyLong_FromLong(window.value); }
};

template <>
struct type_caster<pythonhandler> {
    PYBIND11_TYPE_CASTER(pythonhandler, const_name("Optional[Callable[[], object]]"));
    bool load(handle source, bool) {
        if (!source.is_none() && !PyCallable_Check(source.ptr())) return false;
        value.callable = reinterpret_borrow<object>(source);
        return true;
    }
    static handle cast(const pythonhandler& handler, return_value_policy, handle) {
        return handler.callable.inc_ref();
    }
};

}  // namespace pybind11::detail

// --- the application and the threads that run Python (python/runtime.cpp) -------------------

// Python is gone or going: a thread that asked for the GIL now would be ended inside Python.
inline bool pythonunavailable() {
#if PY_VERSION_HEX >= 0x030D0000
    return !Py_IsInitialized() || Py_IsFinalizing();
#else
    return !Py_IsInitialized() || _Py_IsFinalizing();
#endif
}

// True from runprogram's start of the application on; calls of the desktop policy need it.
bool applicationrunning();
void setapplicationrunning(bool running);
// The one line a desktop call prints without an application.
void reportnoapplication(const char* operation);

// Runs the Python callable that fetch answers (an empty object: nothing) on a thread the
// framework started (the program thread, a handler's or startprocess's), taking the GIL. t_QuitProgram inside it ends the thread the
// framework's way; another exception is written to the log with its traceback, and on the
// program thread it then ends the program as t_QuitProgram does, "(Programm Ende)" included.
void runonframeworkthread(const std::function<py::object()>& fetch, bool programthread);
// The same for a call on the GUI thread (terminate and save-graphic handlers): an exception is
// written to the log and the application carries on.
void runonguithread(const std::function<py::object()>& fetch);
// Lets go of a reference from any thread, with or without the GIL: the next thread that runs
// Python here releases it. A destructor never waits for the GIL this way.
void releaselater(PyObject* object);
// Writes a Python exception with its traceback to the log, as one entry.
void logpythonexception(py::error_already_set& error);
// Flushes Python's standard output and error, for the end of the process, which comes without
// Python's own exit.
void flushpythonstreams();

// The handlers a program replaces; each slot holds its Python callable (or none).
enum class t_HandlerSlot { Mouse, Menu, Terminate, SaveGraphic, Program, Count };
void sethandlerslot(t_HandlerSlot slot, const py::object& callable);
py::object handlerslot(t_HandlerSlot slot);  // empty when none; with the GIL

// t_QuitProgram for Python: ends the framework thread by the exception below, which every
// Python frame on the way lets through unless it catches BaseException itself.
void quitprogram(windownumber window);
void bindprogramquit(py::module_& m);

// --- the policies ------------------------------------------------------------------------

enum class t_Policy { Quick, Waits, Desktop };
constexpr t_Policy quick = t_Policy::Quick;
constexpr t_Policy waits = t_Policy::Waits;
constexpr t_Policy desktop = t_Policy::Desktop;

namespace bindingdetail {

template <typename Result, typename... Parameters>
constexpr size_t parametercount(Result (*)(Parameters...)) {
    return sizeof...(Parameters);
}

// A window number where an operation's first parameter is one; every other parameter is taken
// by value, so the call owns its copy while the GIL is away.
template <size_t Index, typename Parameter>
struct pythonparameter {
    using type = std::decay_t<Parameter>;
};
template <>
struct pythonparameter<0, uint8_t> {
    using type = windownumber;
};

inline uint8_t unwrap(windownumber window) { return window.value; }
template <typename Value>
Value&& unwrap(Value&& value) {
    return std::forward<Value>(value);
}

template <auto Function, t_Policy Policy, typename Result, typename... Parameters, size_t... Index>
auto makecall(Result (*)(Parameters...), std::index_sequence<Index...>, const char* name) {
    return [name](typename pythonparameter<Index, Parameters>::type... arguments) -> Result {
        if constexpr (Policy == t_Policy::Quick) {
            (void)name;
            return Function(unwrap(std::move(arguments))...);
        } else {
            if (Policy == t_Policy::Desktop && !applicationrunning()) {
                reportnoapplication(name);
                return Result();
            }
            py::gil_scoped_release released;
            return Function(unwrap(std::move(arguments))...);
        }
    };
}

}  // namespace bindingdetail

// Binds a public operation under its own name with the parameter names of the header:
//   def<&t_Htab, waits>(m, "t_Htab", py::arg("window"), py::arg("column"));
// A first parameter of type uint8_t is a window number (hex2, whose is not, is bound by hand).
template <auto Function, t_Policy Policy, typename... Extra>
void def(py::module_& m, const char* name, const Extra&... extra) {
    m.def(name,
          bindingdetail::makecall<Function, Policy>(
              Function, std::make_index_sequence<bindingdetail::parametercount(Function)>{}, name),
          extra...);
}

// One binding file per group of the header.
void bindrecords(py::module_& m);
void bindstart(py::module_& m);
void bindwindows(py::module_& m);
void bindtext(py::module_& m);
void bindkeys(py::module_& m);
void bindgraphics(py::module_& m);
void bindfiles(py::module_& m);
void bindevents(py::module_& m);
void bindprinter(py::module_& m);
void bindutilities(py::module_& m);
void bindconveniences(py::module_& m);
void bindsound(py::module_& m);
void bindzoom(py::module_& m);
void bindrecording(py::module_& m);
