// Taking a window's pixels out of video memory as a t_Graphic, and putting a picture back.
#pragma once

#include <stangenspiel/stangenspiel.h>
#include "graphics/graphic_record.h"
