#include "app/thread_entry.h"

namespace {
// Thrown by t_QuitProgram and caught only at the thread's entry, so destructors run on the way.
struct t_ThreadQuit {};
thread_local bool frameworkthread = false;
}  // namespace

void runframeworkthread(const std::function<void()>& function) {
    frameworkthread = true;
    try {
        function();
    } catch (const t_ThreadQuit&) {
        // the thread ends here, as t_QuitProgram asked
    }
}

bool inframeworkthread() { return frameworkthread; }

void endframeworkthread() { throw t_ThreadQuit{}; }
