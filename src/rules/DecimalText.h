#pragma once

#include <string_view>

namespace kx {

// How every editor turns a control's text into a number: at most the first nine characters,
// copied into a zero-filled 10-byte buffer, converted as the C library does (leading blanks and
// a sign allowed, conversion stops at the first character that does not fit, no digits give 0).
double ParseDecimalText(std::string_view text);
int ParseDecimalInt(std::string_view text);

}  // namespace kx
