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
    bool HasSeed = false;         // --seed given: the random numbers start from Seed
    int64_t Seed = 0;
    int64_t Zoom = 1;             // the factor every window starts at, 1-8
    std::string RecordPath;       // the main window's animation goes into this GIF
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
// Names are taken in any case and in their short forms, and come out as the names below.
bool parsetypedkeys(const std::string& notation, std::vector<t_TypedKey>& keys, std::string& message);
const std::vector<std::string>& typedkeynames();  // every name the notation knows, in --help's order
