// Text areas, header lines, output redirection and screen read-back.
#pragma once

#include <stangenspiel/stangenspiel.h>
