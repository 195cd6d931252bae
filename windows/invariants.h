// A debugging aid for tests and fuzzers: the framework's memory invariants, checked in one call.
#pragma once

#include <string>

// "" when every initialised window's blocks are aligned, ordered, inside the video memory and
// above the reserved 64 KB, never overlap, form one unbroken stack down to highmemory, hold the
// window's pixels and text cells, and its text area lies on its text screen; else the first
// broken rule. Takes the framework lock.
std::string checkframeworkinvariants();
