#include "rules/DecimalText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kx {

namespace {
constexpr std::size_t kBufferSize = 10;

std::array<char, kBufferSize> bufferOf(std::string_view text) {
  std::array<char, kBufferSize> buffer{};
  std::copy_n(text.begin(), std::min(text.size(), kBufferSize - 1), buffer.begin());
  return buffer;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isSign(char c) {
  return c == '+' || c == '-';
}

// A number too large or too small for a double: the C library gives infinity or zero. Nine
// characters can only get there through their exponent, so its sign tells which.
double outOfRange(std::string_view parsed, const char* exponentMarks) {
  const std::size_t mark = parsed.find_first_of(exponentMarks);
  const bool tiny =
      mark != std::string_view::npos && mark + 1 < parsed.size() && parsed[mark + 1] == '-';
  return tiny ? 0.0 : HUGE_VAL;
}

double parseUnsigned(std::string_view text) {
  const bool hex = text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string_view digits = hex ? text.substr(2) : text;
  if (digits.empty() || isSign(digits.front())) return 0.0;  // "0x" alone and "--1" end early
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value,
                      hex ? std::chars_format::hex : std::chars_format::general);
  if (error == std::errc::result_out_of_range)
    return outOfRange(std::string_view(digits.data(), end - digits.data()), hex ? "pP" : "eE");
  return error == std::errc{} ? value : 0.0;
}
}  // namespace

// atof, but always with the radio's '.' decimal point: the desktop's locale may make the C
// library's own conversion stop at the point, so "150.125" would be taken as 150.
double ParseDecimalText(std::string_view text) {
  const auto buffer = bufferOf(text);
  std::string_view rest(buffer.data());
  while (!rest.empty() && isBlank(rest.front()))
    rest.remove_prefix(1);
  const bool negative = !rest.empty() && rest.front() == '-';
  if (!rest.empty() && isSign(rest.front())) rest.remove_prefix(1);
  const double value = parseUnsigned(rest);
  return negative ? -value : value;
}

int ParseDecimalInt(std::string_view text) {
  // atoi of nine digits always fits an int; strtol keeps a longer run from overflowing.
  return static_cast<int>(std::strtol(bufferOf(text).data(), nullptr, 10));
}

}  // namespace kx
