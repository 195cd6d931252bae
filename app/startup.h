// Start-up of the application, the character tables, the program thread and its end.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <functional>
#include <string>

void initmxtools();  // builds the case and hex tables and seeds random(); logs Start/End

int64_t threadnumber();                 // the framework's number of the calling thread, 0 unknown
void namethread(const std::string& name);  // cut to the system's 15-byte limit

// What the launch sequence runs on the program thread: the program runprogram was given, or a
// test's runner. Set before the application starts.
void setprogramentry(std::function<void()> entry);
// The program's name as it presents itself (window titles, the "Über" item); "Programm" before
// runprogram names it.
std::string programname();
void setprogramname(const std::string& name);  // what runprogram does with the program's name
