// The user program: the three-rod disk puzzle.
#pragma once

void programmain();  // the program thread's main routine
