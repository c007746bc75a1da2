#include "model/FormatText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <type_traits>

namespace kx {

namespace {

constexpr std::size_t kLongestText = 255;

// One conversion of a pattern: "%-08.3f" is flags "-0", width 8, precision 3, conversion 'f'.
struct Conversion {
  std::string flags;
  int width = 0;
  int precision = -1;  // none given
  std::string length;  // "", "h", "hh", "l", "ll", "z", "j", "t", "L"
  char kind = 0;
  bool has(char flag) const { return flags.find(flag) != std::string::npos; }
};

bool isFlag(char c) {
  return c == '-' || c == '+' || c == ' ' || c == '#' || c == '0';
}

int numberAt(const char*& p) {
  int n = 0;
  while (std::isdigit(static_cast<unsigned char>(*p)) && n < 100000)
    n = n * 10 + (*p++ - '0');
  return n;
}

Conversion readConversion(const char*& p, va_list& args) {
  Conversion c;
  while (isFlag(*p))
    c.flags += *p++;
  if (*p == '*') {
    ++p;
    c.width = va_arg(args, int);
    if (c.width < 0) c.flags += '-', c.width = -c.width;
  } else {
    c.width = numberAt(p);
  }
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      ++p;
      c.precision = std::max(-1, va_arg(args, int));
    } else {
      c.precision = numberAt(p);
    }
  }
  while (*p == 'h' || *p == 'l' || *p == 'z' || *p == 'j' || *p == 't' || *p == 'L')
    c.length += *p++;
  c.kind = *p ? *p++ : 0;
  return c;
}

// The conversion again as a printf pattern with every '*' already filled in.
std::string patternOf(const Conversion& c) {
  std::string pattern = "%" + c.flags;
  if (c.width > 0) pattern += std::to_string(c.width);
  if (c.precision >= 0) pattern += "." + std::to_string(c.precision);
  return pattern + c.length + c.kind;
}

template <typename T>
void appendPrinted(std::string& out, const Conversion& c, T value) {
  const std::string pattern = patternOf(c);
  char text[kLongestText + 1];
  const int written = std::snprintf(text, sizeof text, pattern.c_str(), value);
  if (written > 0) out.append(text, std::min<std::size_t>(written, kLongestText));
}

void appendPadded(std::string& out, const Conversion& c, std::string sign, std::string digits) {
  const std::size_t used = sign.size() + digits.size();
  const std::size_t pad =
      c.width > 0 && used < static_cast<std::size_t>(c.width) ? c.width - used : 0;
  if (c.has('-')) {
    out += sign + digits + std::string(pad, ' ');
  } else if (c.has('0') && std::isdigit(static_cast<unsigned char>(digits.front()))) {
    out += sign + std::string(pad, '0') + digits;
  } else {
    out += std::string(pad, ' ') + sign + digits;
  }
}

// Floating conversions in the radio's own notation ('.' decimal point) whatever the locale the
// desktop set: std::to_chars is defined as printf in the "C" locale.
void appendFloating(std::string& out, const Conversion& c, double value) {
  const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(c.kind)));
  const std::chars_format format = kind == 'f'   ? std::chars_format::fixed
                                   : kind == 'e' ? std::chars_format::scientific
                                   : kind == 'g' ? std::chars_format::general
                                                 : std::chars_format::hex;
  char text[640];  // the longest: "%.255f" of the largest double, 309 digits before the point
  const double magnitude = std::fabs(value);
  const auto [end, error] =
      c.precision < 0 && kind == 'a'
          ? std::to_chars(text, text + sizeof text, magnitude, format)
          : std::to_chars(
                text, text + sizeof text, magnitude, format,
                c.precision < 0 ? 6 : std::min(c.precision, static_cast<int>(kLongestText)));
  std::string digits = error == std::errc{} ? std::string(text, end) : std::string("inf");
  if (kind == 'a' && std::isfinite(value)) digits = "0x" + digits;
  if (std::isupper(static_cast<unsigned char>(c.kind)))
    std::transform(digits.begin(), digits.end(), digits.begin(), [](char ch) {
      return static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    });
  const std::string sign = std::signbit(value) ? "-" : c.has('+') ? "+" : c.has(' ') ? " " : "";
  appendPadded(out, c, sign, digits);
}

template <typename Signed, typename Unsigned>
void appendInteger(std::string& out, const Conversion& c, va_list& args) {
  const bool isSigned = c.kind == 'd' || c.kind == 'i';
  if (isSigned) {
    appendPrinted(out, c, va_arg(args, Signed));
  } else {
    appendPrinted(out, c, va_arg(args, Unsigned));
  }
}

void appendInteger(std::string& out, const Conversion& c, va_list& args) {
  using SignedSize = std::make_signed_t<std::size_t>;
  if (c.length == "l") return appendInteger<long, unsigned long>(out, c, args);
  if (c.length == "ll") return appendInteger<long long, unsigned long long>(out, c, args);
  if (c.length == "z") return appendInteger<SignedSize, std::size_t>(out, c, args);
  if (c.length == "j") return appendInteger<std::intmax_t, std::uintmax_t>(out, c, args);
  if (c.length == "t") return appendInteger<std::ptrdiff_t, std::size_t>(out, c, args);
  // char and short arrive promoted to int; printf narrows them again for "hh" and "h".
  appendInteger<int, unsigned>(out, c, args);
}

void appendConversion(std::string& out, const Conversion& c, va_list& args) {
  switch (c.kind) {
    case 'd':
    case 'i':
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      return appendInteger(out, c, args);
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
      return appendFloating(
          out, c,
          c.length == "L" ? static_cast<double>(va_arg(args, long double)) : va_arg(args, double));
    case 'c':
      return appendPrinted(out, c, va_arg(args, int));
    case 's':
      return appendPrinted(out, c, va_arg(args, const char*));
    case 'p':
      return appendPrinted(out, c, va_arg(args, void*));
    case '%':
      out += '%';
      return;
    default:
      return;  // not a conversion the program uses ("%n" among them): nothing is printed
  }
}

}  // namespace

std::string FormatText(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  std::string text;
  for (const char* p = pattern; *p && text.size() < kLongestText;) {
    if (*p != '%') {
      text += *p++;
      continue;
    }
    ++p;
    appendConversion(text, readConversion(p, args), args);
  }
  va_end(args);
  if (text.size() > kLongestText) text.resize(kLongestText);
  return text;
}

}  // namespace kx
