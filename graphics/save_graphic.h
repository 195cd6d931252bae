// The save-graphic command: the front window's picture, fully coded, into a ".gr" file.
#pragma once

#include <stangenspiel/stangenspiel.h>
