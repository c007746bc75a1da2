#include "textio/TextValues.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace kx::text_values {

namespace {

// Longer than any value a cell or key of these files holds; longer texts are no number.
constexpr std::size_t kLongestNumber = 40;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

struct FlagWord {
  std::string_view word;
  std::int32_t value;
};
constexpr std::array<FlagWord, 8> kFlagWords{
    {{"on", 1}, {"off", 0}, {"yes", 1}, {"no", 0}, {"true", 1}, {"false", 0}, {"1", 1}, {"0", 0}}};

}  // namespace

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

std::string Printable(std::string_view text) {
  constexpr std::size_t kLongestShown = 40;
  text = Trimmed(text);
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < kLongestShown; ++i) {
    const char c = text[i];
    shown += c >= ' ' && c <= '~' ? c : '?';
  }
  if (text.size() > kLongestShown) shown += "...";
  return shown;
}

std::string Quoted(std::string_view text) {
  return "'" + Printable(text) + "'";
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::optional<double> ParseNumber(std::string_view text) {
  text = Trimmed(text);
  if (text.empty() || text.size() > kLongestNumber) return std::nullopt;
  std::string plain;
  std::size_t i = 0;
  if (text[0] == '+' || text[0] == '-') {
    if (text[0] == '-') plain += '-';
    ++i;
  }
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) {
      digits = true;
      plain += c;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
      plain += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc{} || end != plain.data() + plain.size()) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ParseWhole(std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value || std::trunc(*value) != *value) return std::nullopt;
  if (*value < std::numeric_limits<std::int32_t>::min() ||
      *value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::string NumberText(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::string EditText(double value) {
  // ParseNumber takes at most 40 characters, so its numbers have at most 40 digits.
  std::array<char, 128> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  if (result.ec != std::errc{}) return NumberText(value);
  return std::string(buffer.data(), result.ptr);
}

std::optional<std::int32_t> ParseFlag(std::string_view text) {
  text = Trimmed(text);
  for (const FlagWord& w : kFlagWords) {
    if (EqualNoCase(text, w.word)) return w.value;
  }
  const auto raw = ParseWhole(text);
  if (raw && *raw >= 0) return raw;
  return std::nullopt;
}

std::string FlagText(std::int32_t flag) {
  if (flag == 0) return "OFF";
  if (flag > 1) return std::to_string(flag);
  return "ON";
}

}  // namespace kx::text_values
