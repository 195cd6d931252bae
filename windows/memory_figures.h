// How addresses and sizes appear in the window-creation log lines.
#pragma once

#include <cstdint>
#include <string>

std::string hexaddress(int64_t value);  // low 32 bits as eight capital hex digits: "00D12000"
std::string kilobytes(int64_t bytes);   // bytes / 1024, grouped, two decimals cut: "3.000,00"
