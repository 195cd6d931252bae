// Text colours and inverse video.
#pragma once

#include <stangenspiel/stangenspiel.h>
