#pragma once

#include <string>

namespace kx {

// printf into a string: the radio software's own formats ("%.5f", "%03d", "%5.1f", ...).
// Texts longer than 255 characters are cut.
// The compiler checks every call's arguments against its pattern. MinGW's "printf" is msvcrt's
// dialect (no %zu); ours is the standard one on every system.
#if defined(__MINGW32__)
#define KX_PRINTF_CHECKED __attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
#define KX_PRINTF_CHECKED __attribute__((format(printf, 1, 2)))
#else
#define KX_PRINTF_CHECKED
#endif
std::string FormatText(const char* pattern, ...) KX_PRINTF_CHECKED;

}  // namespace kx
