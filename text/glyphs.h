// Glyph rendering: the one place where text reaches the pixels of a window.
#pragma once

#include <stangenspiel/stangenspiel.h>
