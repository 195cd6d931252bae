#include "puzzle/puzzle.h"

#include "core/report.h"

void programmain() { logline("programmain: Placeholder, nothing to run yet."); }
