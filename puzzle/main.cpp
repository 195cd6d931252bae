// The puzzle's entry: the framework runs everything, the puzzle only names itself.
#include <cstdlib>
#include <string>

#include <stangenspiel/stangenspiel.h>

#include "echo_program.h"
#include "puzzle.h"

int main(int argc, char** argv) {
    // The end-to-end keyboard test runs a program that echoes what it reads.
    const char* echo = std::getenv("STANGENSPIEL_ECHO");
    const bool echoing = echo != nullptr && std::string(echo) == "1";
    const t_ProgramInfo info{"Stangenspiel", "", "The three-rod disk puzzle on its own window framework."};
    return runprogram(argc, argv, info, echoing ? echoprogram : programmain);
}
