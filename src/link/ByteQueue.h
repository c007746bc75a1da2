#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace kx {

// The receive queue between the port's watch thread (the only producer) and the user-interface
// thread (the only consumer): an 8192-byte ring without a lock that holds at most 8191 bytes,
// one slot always staying empty so that a full ring differs from an empty one. The producer
// stores a byte before it publishes the index that covers it (release), the consumer reads the
// index before the byte (acquire); a consumer that sees a stale count only sees fewer bytes.
class CByteQueue {
 public:
  static constexpr int kSize = 8192;
  static constexpr int kCapacity = kSize - 1;

  CByteQueue() { Clear(); }

  int Count() const;
  int FreeRoom() const { return kCapacity - Count(); }
  // Producer only. False, storing nothing, when the queue holds 8191 bytes.
  bool Put(std::uint8_t byte);
  // Consumer only. False, leaving byte untouched, when the queue is empty.
  bool Take(std::uint8_t& byte);
  // Construction only: nothing else ever empties the queue, so bytes left from one connection
  // are still there when the next one starts.
  void Clear();

 private:
  std::array<std::uint8_t, kSize> buffer_{};
  std::atomic<int> writeIndex_{0};
  std::atomic<int> readIndex_{0};
};

}  // namespace kx
