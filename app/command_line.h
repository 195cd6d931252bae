// The program's command line: help, version and scripted headless runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct t_CommandLine {
    enum class Outcome { Run, Help, Version, Error };
    Outcome Result = Outcome::Run;
    std::string Message;          // the one-line error for Outcome::Error
    bool Scripted = false;        // keys, output or time limit given: run headless
    std::string Keys;             // keys to type, with {Name} for special keys
    int64_t PaceMs = 50;          // pause between two typed keys
    std::string OutputFolder;     // where window pictures and screens are written
    int64_t TimeoutMs = 60000;    // a scripted run ends after this even if the program has not
    std::string AudioFile;        // where everything played is written as a WAV file
};

// Without argv[0]; messages begin with the program file's name.
t_CommandLine parsecommandline(const std::vector<std::string>& arguments, const std::string& programfile);
std::string helptext(const std::string& programfile, const std::string& description);
std::string versiontext(const std::string& programfile, const std::string& version);

// One key of the typing notation: "a", "ä", or a named key such as Left, F1, Return.
struct t_TypedKey {
    std::string Name;    // the named key without braces, empty for a plain character
    std::string Text;    // the plain character (UTF-8), empty for a named key
    bool Control = false;  // "^x" stands for Control+x
};

// Splits the notation into keys; answers false with a message for an unknown name or brace.
bool parsetypedkeys(const std::string& notation, std::vector<t_TypedKey>& keys, std::string& message);
