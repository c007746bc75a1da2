#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

// Little-endian field access for files and radio frames. Every boundary of the program is
// written and read through these, byte by byte, never by copying a struct.
namespace kx::le {

inline void putU8(std::span<std::uint8_t> out, std::size_t at, std::uint8_t value) {
  out[at] = value;
}

inline void putU16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void putU32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline void putI32(std::span<std::uint8_t> out, std::size_t at, std::int32_t value) {
  putU32(out, at, static_cast<std::uint32_t>(value));
}

inline void putF64(std::span<std::uint8_t> out, std::size_t at, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < 8; ++i)
    out[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

inline std::uint16_t getU16(std::span<const std::uint8_t> in, std::size_t at) {
  return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

inline std::uint32_t getU32(std::span<const std::uint8_t> in, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value |= std::uint32_t{in[at + i]} << (8 * i);
  return value;
}

inline std::int32_t getI32(std::span<const std::uint8_t> in, std::size_t at) {
  return static_cast<std::int32_t>(getU32(in, at));
}

inline double getF64(std::span<const std::uint8_t> in, std::size_t at) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8; ++i)
    bits |= std::uint64_t{in[at + i]} << (8 * i);
  return std::bit_cast<double>(bits);
}

}  // namespace kx::le
