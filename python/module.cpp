// The module stangenspiel: every public operation of the framework under its own name, for
// programs written in Python. `from stangenspiel import *`, then runprogram(program).
#include "python/binding.h"

PYBIND11_MODULE(stangenspiel, m) {
    m.doc() = "Stangenspiel: a window framework with the working conditions of a classic home computer.";
    bindrecords(m);
    bindstart(m);
    bindwindows(m);
    bindtext(m);
    bindkeys(m);
    bindgraphics(m);
    bindfiles(m);
    bindevents(m);
    bindprinter(m);
    bindutilities(m);
    bindconveniences(m);
    bindsound(m);
    bindzoom(m);
    bindrecording(m);
}
