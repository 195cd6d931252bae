// Where fonts and sounds are found: the program's own resource folder first (a program may
// ship fonts of its own), then the library's installed resources, then the build tree's.
// Modules (code loaded only when needed) are found beside the library.
#pragma once

#include <string>
#include <vector>

// The folders searched, in order, each with a final '/'.
std::vector<std::string> resourcefolders();
// The first existing file of that name in those folders; when none has it, the path it would
// have in the library's installed folder (so that a message names a sensible place).
std::string resourcepath(const std::string& name);
// The module file of that name beside the library, in the build tree or installed; empty when
// there is none.
std::string modulepath(const std::string& name);
