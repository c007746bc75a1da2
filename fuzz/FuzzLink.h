#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "FuzzInput.h"
#include "link/ByteQueue.h"
#include "link/SerialLink.h"

namespace kx::fuzz {

// A serial link whose radio is the fuzzer: at every pause of the host the next piece of the
// input arrives, as a radio might put any bytes at all on the line.
// The queue is bounded as the serial port's is; the rest of a piece is lost, as there.
class FuzzLink : public SerialLink {
 public:
  explicit FuzzLink(FuzzInput& input) : input_(input) {}

  void Pause(int) {
    if (!open_) return;
    for (const std::uint8_t byte : input_.Piece()) {
      if (queue_.size() < static_cast<std::size_t>(CByteQueue::kCapacity)) queue_.push_back(byte);
    }
  }

  bool Open(const std::string&, unsigned, std::uint16_t) override {
    ++opens;
    open_ = true;
    return true;
  }
  void Close() override {
    ++closes;
    open_ = false;
  }
  std::size_t Write(const std::uint8_t*, std::size_t count) override { return open_ ? count : 0; }
  void SetDtr() override {}
  void ClearDtr() override {}
  void ClearRts() override {}
  int Count() override { return static_cast<int>(queue_.size()); }
  bool Take(std::uint8_t& byte) override {
    if (queue_.empty()) return false;
    byte = queue_.front();
    queue_.pop_front();
    return true;
  }
  std::string LastError() const override { return {}; }

  bool IsOpen() const { return open_; }
  int opens = 0;
  int closes = 0;

 private:
  FuzzInput& input_;
  std::deque<std::uint8_t> queue_;
  bool open_ = false;
};

}  // namespace kx::fuzz
