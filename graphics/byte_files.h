// Files as whole byte arrays. Synchronous, stateless, callable from any thread.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>
#include <vector>

// Writing beside the target, for every file the framework writes: a new file is made next to
// it, filled, and renamed over it, so that a failure leaves the old file as it was.
std::string writetarget(const std::string& path);  // a link's target, so that the link stays a link
// Creates a new, empty file next to target under a name no one else uses; 0 or an errno.
int createbeside(const std::string& target, std::string& temporary, int& fd);
