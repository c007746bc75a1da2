#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "VirtualRadio.h"
#include "link/CommPort.h"
#include "link/RadioProtocol.h"

namespace kx::test {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

// Long enough for a loaded machine under a sanitizer; a passing test never waits it out.
constexpr auto kPatience = 10s;

// The programmer's end of a virtual radio: a CCommPort on the radio's pseudo-terminal. Waits are
// for conditions, never fixed times.
class RadioLink {
 public:
  explicit RadioLink(sim::RadioSettings settings = {}) : radio(std::move(settings)) {
    std::string error;
    started = radio.Start(&error);
    EXPECT_TRUE(started) << error;
  }

  bool Open() { return port.Open(radio.SlavePath(), 4800, 0); }

  void Send(const Bytes& bytes) { ASSERT_EQ(port.Write(bytes), bytes.size()); }

  // Waits until at least count bytes are queued, then takes everything queued.
  Bytes Await(std::size_t count) {
    WaitUntil([&] { return static_cast<std::size_t>(port.m_QueueRead.Count()) >= count; });
    return Drain();
  }

  // The next count bytes from the radio, however they were split on the way; what came after
  // them is kept for the next call.
  Bytes Next(std::size_t count) {
    WaitUntil([&] {
      return leftover_.size() + static_cast<std::size_t>(port.m_QueueRead.Count()) >= count;
    });
    const Bytes more = Drain();
    leftover_.insert(leftover_.end(), more.begin(), more.end());
    const std::size_t n = std::min(count, leftover_.size());
    Bytes next(leftover_.begin(), leftover_.begin() + static_cast<std::ptrdiff_t>(n));
    leftover_.erase(leftover_.begin(), leftover_.begin() + static_cast<std::ptrdiff_t>(n));
    return next;
  }

  Bytes Drain() {
    Bytes bytes;
    std::uint8_t byte = 0;
    for (int n = port.m_QueueRead.Count(); n > 0 && port.m_QueueRead.Take(byte); --n)
      bytes.push_back(byte);
    return bytes;
  }

  template <typename Condition>
  bool WaitUntil(Condition condition) {
    return radio.WaitFor(condition,
                         std::chrono::duration_cast<std::chrono::milliseconds>(kPatience));
  }

  // Waits until the radio has logged a frame from the programmer whose note starts with note.
  bool Heard(const std::string& note) {
    return WaitUntil([&] {
      const auto log = radio.Log();
      return std::any_of(log.begin(), log.end(), [&](const sim::LogEntry& e) {
        return e.direction == sim::Direction::kToRadio && e.note.rfind(note, 0) == 0;
      });
    });
  }

  // Sends a service command frame and returns the answer of the given length.
  Bytes Command(std::uint8_t code, std::uint8_t argument, std::size_t answer = 1) {
    Send({code, argument, static_cast<std::uint8_t>(code + argument)});
    return Await(answer);
  }

  sim::VirtualRadio radio;
  CCommPort port;
  bool started = false;

 private:
  Bytes leftover_;
};

inline Bytes Frame(std::uint8_t code, std::uint8_t argument) {
  const auto frame = protocol::Frame({code, argument});
  return {frame.begin(), frame.end()};
}
inline Bytes CommandBytes(protocol::Command command) {
  return Frame(command.code, command.argument);
}

inline std::uint8_t CheckByte(const std::uint8_t* data) {
  return protocol::BlockCheck(data);
}

// A written block frame: header, 16 bytes of the image, check byte, FF 66.
inline Bytes WrittenBlock(int block, const image::Image& memory) {
  const auto at = static_cast<std::size_t>(block) * protocol::kBlockSize;
  Bytes frame(protocol::kWrittenFrameSize);
  std::copy(protocol::kBlockHeader.begin(), protocol::kBlockHeader.end(), frame.begin());
  frame[3] = static_cast<std::uint8_t>(at >> 8);
  frame[4] = static_cast<std::uint8_t>(at & 0xFF);
  std::copy_n(&memory[at], protocol::kBlockSize, frame.begin() + protocol::kBlockDataOffset);
  frame[protocol::kBlockCheckOffset] = protocol::BlockCheck(&memory[at]);
  std::copy(protocol::kWrittenTrailer.begin(), protocol::kWrittenTrailer.end(),
            frame.begin() + protocol::kReadFrameSize);
  return frame;
}

}  // namespace kx::test
