// Creating the numbered graphic windows and their blocks of video memory.
#pragma once

#include <stangenspiel/stangenspiel.h>
#include "core/window_record.h"
