// Scripted headless runs: typing keys into the program as a person would, then writing what
// every visible window shows.
#pragma once

#include "host/host.h"

void startscriptedrun(const host::t_ScriptedRun& run);  // GUI thread, once the loop runs
