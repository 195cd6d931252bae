// Video memory and framework initialisation.
#pragma once

void t_InitMemory();  // once; later calls return at once
