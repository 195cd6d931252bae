// Runs an outside tool (compress, gzip) on bytes and measures its CPU time, for the baselines
// the coders are compared with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct t_ToolRun {
    double Seconds = 0;         // CPU time of the work itself: the least of five runs minus start-up
    double StartupSeconds = 0;  // the least CPU time of five runs on an empty input
    std::vector<uint8_t> Output;
    bool Ran = false;           // false when the tool could not be started
};

// `command < data`: user + system time of the child. The tool's start-up (loading, its tables)
// is measured on an empty input and taken off, so the ratios compare coding with coding.
t_ToolRun runtool(const std::vector<std::string>& command, const std::vector<uint8_t>& data);
