// Text colours and inverse video.
#pragma once

#include <cstdint>

void t_Normal(uint8_t window);  // inverse video off
