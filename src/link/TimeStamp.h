#pragma once

#include <string>

namespace kx {

// The local time now, formatted with strftime, followed by the separator and the milliseconds:
// TimeStamp("%H:%M:%S", '.') gives "14:25:01.337".
std::string TimeStamp(const char* format, char separator);

}  // namespace kx
