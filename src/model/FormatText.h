#pragma once

#include <string>

namespace kx {

// printf into a string: the radio software's own formats ("%.5f", "%03d", "%5.1f", ...).
// Texts longer than 255 characters are cut.
std::string FormatText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kx
