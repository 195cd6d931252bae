// The drawing colour and the border colour of a graphic window.
#pragma once

#include <stangenspiel/stangenspiel.h>
