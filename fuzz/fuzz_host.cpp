// Every fuzz target runs its inputs the way a user program runs: on the program thread of the
// real application (Qt's offscreen platform) while the GUI thread runs the event loop, so that
// operations which hand work to the GUI thread behave as they do in the program. libFuzzer is
// linked without its own main and its driver is started from the program entry.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "host/host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerRunDriver(int* argc, char*** argv, int (*callback)(const uint8_t*, size_t));

namespace {

// libFuzzer ends a finished run with exit(). The framework's threads (the refresh thread above
// all) still use the global state then, so the process leaves without destroying it. Findings
// never pass through here: the sanitizers and libFuzzer end those with _Exit and their own code,
// and libFuzzer's own exit handler (registered later, so run earlier) reports a target that
// calls exit().
void leavewithoutdestructors() {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Refused calls are logged on standard output, millions of lines in a run; libFuzzer
    // reports on standard error. STANGENSPIEL_FUZZ_LOG=1 keeps the log for a reproduction.
    if (std::getenv("STANGENSPIEL_FUZZ_LOG") == nullptr) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) ::dup2(null, STDOUT_FILENO);
    }
    int result = 1;
    setprogramentry([&] {
        std::atexit(leavewithoutdestructors);
        result = LLVMFuzzerRunDriver(&argc, &argv, LLVMFuzzerTestOneInput);
        host::quitapplication(result);
    });
    // Qt sees only the program name; the fuzzer's flags are libFuzzer's.
    char* hostargv[] = {argv[0], nullptr};
    host::runapplication(1, hostargv);
    std::fflush(stdout);
    std::_Exit(result);
}
