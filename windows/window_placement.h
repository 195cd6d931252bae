// Window-level operations: they act on the host window of any number 0-12 (8 pasteboard,
// 9 printer, 10 console, 11 preferences, 12 main window) and print "op: Window does not exist."
// for a number without one.
#pragma once

#include <stangenspiel/stangenspiel.h>
