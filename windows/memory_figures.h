// How sizes appear in the window-creation log lines (addresses use hex8).
#pragma once

#include <cstdint>
#include <string>

std::string kilobytes(int64_t bytes);  // bytes / 1024, grouped, two decimals cut: "3.000,00", "3,90"
