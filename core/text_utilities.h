// Conversions between strings, byte arrays and numbers in the manner of a BASIC interpreter's
// string functions: positions count from 1, out-of-range arguments give an empty result.
// Strings are UTF-8; a "character" is an extended grapheme cluster. All are pure functions,
// safe on any thread, and print nothing.
#pragma once

#include <stangenspiel/stangenspiel.h>
