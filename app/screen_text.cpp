// What a scripted run writes as a window's text screen.
#include "host/framework_calls.h"

namespace hostcalls {

std::string screentext(int /*window*/) { return ""; }

}  // namespace hostcalls
