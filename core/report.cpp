#include "core/report.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace {
std::mutex logmutex;

void writeout(std::string_view text) {
    std::lock_guard<std::mutex> lock(logmutex);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
}  // namespace

void logline(std::string_view line) {
    std::string whole(line);
    whole += '\n';
    writeout(whole);
}

void logpart(std::string_view part) { writeout(part); }

void reportfailure(std::string_view operation, std::string_view message) {
    std::string whole(operation);
    whole += ": ";
    whole += message;
    logline(whole);
}
