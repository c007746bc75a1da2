#pragma once

#include <string>

namespace kx {

// printf into a string: the radio software's own formats ("%.5f", "%03d", "%5.1f", ...).
// Texts longer than 255 characters are cut.
#ifdef __MINGW32__
// MinGW's "printf" is msvcrt's dialect (no %zu); ours is the standard one on every system.
#define KX_PRINTF_STYLE gnu_printf
#else
#define KX_PRINTF_STYLE printf
#endif
std::string FormatText(const char* pattern, ...) __attribute__((format(KX_PRINTF_STYLE, 1, 2)));

}  // namespace kx
