#include "rules/DecimalText.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kx {

namespace {
constexpr std::size_t kBufferSize = 10;

std::array<char, kBufferSize> bufferOf(std::string_view text) {
  std::array<char, kBufferSize> buffer{};
  std::copy_n(text.begin(), std::min(text.size(), kBufferSize - 1), buffer.begin());
  return buffer;
}
}  // namespace

double ParseDecimalText(std::string_view text) {
  return std::atof(bufferOf(text).data());
}

int ParseDecimalInt(std::string_view text) {
  // atoi of nine digits always fits an int; strtol keeps a longer run from overflowing.
  return static_cast<int>(std::strtol(bufferOf(text).data(), nullptr, 10));
}

}  // namespace kx
