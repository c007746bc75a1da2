#include "link/ByteQueue.h"

namespace kx {

int CByteQueue::Count() const {
  const int write = writeIndex_.load(std::memory_order_acquire);
  const int read = readIndex_.load(std::memory_order_acquire);
  return (write - read + kSize) % kSize;
}

bool CByteQueue::Put(std::uint8_t byte) {
  const int write = writeIndex_.load(std::memory_order_relaxed);
  const int read = readIndex_.load(std::memory_order_acquire);
  if ((write - read + kSize) % kSize == kCapacity) return false;
  buffer_[static_cast<std::size_t>(write)] = byte;
  writeIndex_.store((write + 1) % kSize, std::memory_order_release);
  return true;
}

bool CByteQueue::Take(std::uint8_t& byte) {
  const int read = readIndex_.load(std::memory_order_relaxed);
  const int write = writeIndex_.load(std::memory_order_acquire);
  if (write == read) return false;
  byte = buffer_[static_cast<std::size_t>(read)];
  readIndex_.store((read + 1) % kSize, std::memory_order_release);
  return true;
}

void CByteQueue::Clear() {
  buffer_.fill(0);
  writeIndex_.store(0, std::memory_order_relaxed);
  readIndex_.store(0, std::memory_order_relaxed);
}

}  // namespace kx
