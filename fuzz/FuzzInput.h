#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kx::fuzz {

// The fuzzer's bytes read from the front, a choice or a piece at a time, so a seed can be
// written by hand: [choice] [length, bytes...] ... Past the end every choice is 0 and every
// piece empty.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool empty() const { return at_ >= bytes_.size(); }
  std::uint8_t Byte() { return empty() ? 0 : bytes_[at_++]; }
  // A choice among count (1..256) possibilities.
  int Choice(int count) { return Byte() % count; }
  // A piece: a length byte, then up to that many bytes.
  std::span<const std::uint8_t> Piece() {
    const std::size_t length = Byte();
    const std::size_t n = length < bytes_.size() - at_ ? length : bytes_.size() - at_;
    const auto piece = bytes_.subspan(at_, n);
    at_ += n;
    return piece;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

}  // namespace kx::fuzz
