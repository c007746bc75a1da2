#pragma once

#include <array>
#include <cstdint>

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
  // The hand-patched bytes over the working image.
  void applyPendingEdits() {
    for (std::size_t at = 0; at < image::kSize; ++at) {
      if (pendingFlags[at]) working[at] = pendingValues[at];
    }
  }
};

}  // namespace kx
