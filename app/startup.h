// Start-up of the application, the character tables, the program thread and its end.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

void initmxtools();  // builds the case and hex tables and seeds random(); logs Start/End

// Runs function on a new thread with the given stack size; one start at a time.
void startprocess(std::function<void()> function, int64_t stacksize);
// Runs function on a new background thread and returns at once.
void startasyncprocess(std::function<void()> function);

int64_t threadnumber();                 // the framework's number of the calling thread, 0 unknown
void namethread(const std::string& name);  // cut to the system's 15-byte limit

// Prints "(Programm Ende)" into the window and ends the calling thread; from a thread the
// framework did not start it prints a line and returns.
void t_QuitProgram(uint8_t window);

// What the launch sequence runs on the program thread; programmain unless replaced
// (the tests replace it with their runner). Set before the application starts.
void setprogramentry(std::function<void()> entry);
