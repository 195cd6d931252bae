#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/startup.h"
#include "host/host.h"
#include "puzzle/echo_program.h"

int main(int argc, char** argv) {
    const t_CommandLine line = parsecommandline(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.Result) {
        case t_CommandLine::Outcome::Help:
            std::fputs(helptext().c_str(), stdout);
            return 0;
        case t_CommandLine::Outcome::Version:
            std::puts(versiontext().c_str());
            return 0;
        case t_CommandLine::Outcome::Error:
            std::fprintf(stderr, "%s\n", line.Message.c_str());
            return 2;
        case t_CommandLine::Outcome::Run:
            break;
    }
    // The end-to-end keyboard test runs a program that echoes what it reads.
    const char* echo = std::getenv("STANGENSPIEL_ECHO");
    if (echo != nullptr && std::string(echo) == "1") setprogramentry(echoprogram);
    if (line.Scripted) host::setscriptedrun({true, line.Keys, line.PaceMs, line.OutputFolder, line.TimeoutMs});
    // Qt reads its own options from argv; ours are consumed above.
    int qtargc = 1;
    const int code = host::runapplication(qtargc, argv);
    // Threads the program started may still be running: leave without tearing down the
    // state they use.
    std::fflush(stdout);
    std::_Exit(code);
}
