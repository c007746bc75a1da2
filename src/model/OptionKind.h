#pragma once

#include <cstdint>

namespace kx {

// Signalling kind of a channel's receive or transmit side.
enum OptionKind : std::int32_t {
  kOptionNone = 0,
  kOptionCtcss = 1,
  kOptionDcs = 2,
  kOptionTwoTone = 3,  // receive only
};

}  // namespace kx
