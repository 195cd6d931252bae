// CPU time of a whole process (all its threads), read from /proc, so that a measuring program can
// count the X server's work beside its own: drawing that a program leaves to the server is not free.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// Seconds of user and system time of process `pid`; -1 when it cannot be read.
inline double processcpuseconds(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr) return -1;
    char text[2048] = {};
    const size_t got = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    text[got] = '\0';
    // The command name may hold blanks and parentheses: the fields count from its last ')'.
    const char* field = std::strrchr(text, ')');
    if (field == nullptr) return -1;
    unsigned long utime = 0, stime = 0;
    if (std::sscanf(field + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2) return -1;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The X server the measuring script named in STANGENSPIEL_XSERVER_PID, 0 when none.
inline pid_t xserverpid() {
    const char* named = std::getenv("STANGENSPIEL_XSERVER_PID");
    return named ? static_cast<pid_t>(std::atol(named)) : 0;
}
