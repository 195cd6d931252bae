// The window record, its colour and font records: plain values owned by the window table.
// Their definitions are public; this header adds what only the framework uses.
#pragma once

#include <stangenspiel/stangenspiel.h>

// Host objects are named by window number; the record only remembers whether it is bound.
using t_HostRef = int;  // -1 none, else the framework number whose host object it is
constexpr t_HostRef nohostref = -1;

inline t_Font emptyfont() { return t_Font{}; }
