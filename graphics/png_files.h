// Pictures as PNG: a t_Graphic or a window out, a PNG into a t_Graphic or a window.
// A PNG shows what the window shows: opaque, the pixels' own alpha left out (as on screen).
#pragma once

#include <stangenspiel/stangenspiel.h>
#include "graphics/graphic_record.h"
