#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/MemoryMap.h"

namespace kx {

// The memory buffers that live as long as the program: the working image (built by encode,
// sent by a write, filled by a read, shown by the map page), the image a read receives block
// by block, the image as it was before the last encode (the map page marks what changed), and
// the bytes a technician patched by hand, laid over the working image before every write.
struct RadioMemory {
  image::Image working{};
  image::Image received{};
  image::Image shown{};
  std::array<std::uint8_t, image::kSize> pendingFlags{};  // 1: patched by hand
  image::Image pendingValues{};

  void clearPendingEdits() {
    pendingFlags.fill(0);
    pendingValues.fill(0);
  }
  // A byte patched by hand: it goes into the working image now and over every encoded image
  // until a read clears the patches, or the configuration they were made on is replaced (New,
  // a file opened, a whole configuration imported, a model chosen).
  void setPendingEdit(std::size_t address, std::uint8_t value) {
    working.at(address) = value;
    pendingFlags.at(address) = 1;
    pendingValues.at(address) = value;
  }
  std::size_t pendingCount() const {
    std::size_t n = 0;
    for (std::uint8_t flag : pendingFlags)
      n += flag != 0;
    return n;
  }
  // The addresses whose working byte differs from what the map last showed, in order.
  std::vector<std::size_t> changedSinceShown() const {
    std::vector<std::size_t> changed;
    for (std::size_t at = 0; at < image::kSize; ++at) {
      if (shown[at] != working[at]) changed.push_back(at);
    }
    return changed;
  }
  void markShown() { shown = working; }
  // The hand-patched bytes over the working image.
  void applyPendingEdits() {
    for (std::size_t at = 0; at < image::kSize; ++at) {
      if (pendingFlags[at]) working[at] = pendingValues[at];
    }
  }
};

}  // namespace kx
