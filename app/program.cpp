// runprogram, the whole main() of a program on the framework: its command line, its name, the
// application's run, and the watchdog that holds a scripted run to its time limit.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "windows/window_zoom.h"
#include "sound/sound_output.h"

namespace {

// Written once by runprogram before the application starts; read-only afterwards.
struct t_ProgramState {
    t_ProgramInfo Info{"Programm", "", ""};
};
t_ProgramState program;

// The last path component of argv[0]: how a person called the program.
std::string programfile(int argc, char** argv) {
    if (argc < 1 || argv[0] == nullptr) return "programm";
    const std::string path = argv[0];
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A scripted run ends by itself when its time is up; this thread ends the process when even that
// cannot happen (a deadlocked program or GUI thread), so a CI job never hangs. It gives the GUI
// thread's own ending a head start, so the pictures are written whenever that is still possible.
void startwatchdog(int64_t timeoutms) {
    constexpr int64_t headstartms = 3000;
    std::thread([timeoutms] {
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutms + headstartms));
        logline("Scripted run: No end " + std::to_string(headstartms) + " ms after the time limit of " +
                std::to_string(timeoutms) + " ms; the process is stopped.");
        std::fflush(stdout);
        std::_Exit(1);
    }).detach();
}

}  // namespace

std::string programname() { return program.Info.Name; }
void setprogramname(const std::string& name) { program.Info.Name = name; }

namespace hostcalls {
std::string programname() { return ::programname(); }
}  // namespace hostcalls

std::string frameworkversion() { return STANGENSPIEL_VERSION; }

int runprogram(int argc, char** argv, std::function<void()> entry) {
    return runprogram(argc, argv, t_ProgramInfo{}, std::move(entry));
}

int runprogram(int argc, char** argv, const t_ProgramInfo& info, std::function<void()> entry) {
    const std::string file = programfile(argc, argv);
    program.Info = info;
    if (program.Info.Name.empty()) program.Info.Name = file;
    if (program.Info.Version.empty()) program.Info.Version = frameworkversion();
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const t_CommandLine line = parsecommandline(arguments, file);
    switch (line.Result) {
        case t_CommandLine::Outcome::Help:
            std::fputs(helptext(file, program.Info.Description).c_str(), stdout);
            return 0;
        case t_CommandLine::Outcome::Version:
            std::puts(versiontext(file, program.Info.Version).c_str());
            return 0;
        case t_CommandLine::Outcome::Error:
            std::fprintf(stderr, "%s\n", line.Message.c_str());
            return 2;
        case t_CommandLine::Outcome::Run:
            break;
    }
    setprogramentry(std::move(entry));
    if (line.HasSeed) t_Randomize(line.Seed);
    setstartingzoom(line.Zoom);
    if (line.Scripted) {
        host::setscriptedrun({true, line.Keys, line.PaceMs, line.OutputFolder, line.TimeoutMs, line.RecordPath});
        startwatchdog(line.TimeoutMs);
        usesoundclock(line.AudioFile);
    }
    // Qt reads its own options from argv; the framework's are consumed above.
    int qtargc = argc > 0 ? 1 : 0;
    const int code = host::runapplication(qtargc, argv);
    // Threads the program started may still be running: leave without tearing down the state
    // they use.
    std::fflush(stdout);
    std::_Exit(code);
}

uint8_t t_MainWindow() { return framework.mainwindow; }

t_Window t_WindowRecord(uint8_t window) {
    if (window >= windowcount) return t_Window{};
    FrameworkLock lock;
    return framework.windows[window];
}

void setterminatehandler(std::function<void()> handler) {
    FrameworkLock lock;
    framework.terminatehandler = handler ? std::move(handler) : [] {};
}
