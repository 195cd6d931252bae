// The entry of every thread the framework starts: where t_QuitProgram's unwinding ends.
#pragma once

#include <functional>

void runframeworkthread(const std::function<void()>& function);
bool inframeworkthread();  // the calling thread was started by startprocess or startasyncprocess
[[noreturn]] void endframeworkthread();  // unwinds the calling framework thread to its entry
