// The log: standard output, one whole line per call, flushed at once, from any thread.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <string_view>

void logpart(std::string_view part);                              // writes part, no line end
void reportfailure(std::string_view operation, std::string_view message);  // "op: message"
