// Files as whole byte arrays. Synchronous, stateless, callable from any thread.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>
#include <vector>
