#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/MemoryMap.h"

namespace kx {

// One byte the radio holds otherwise than it was sent.
struct ByteDifference {
  std::size_t address;
  std::uint8_t wrote;
  std::uint8_t read;

  bool operator==(const ByteDifference&) const = default;
};

// At most this many addresses are named in a verification's message.
constexpr std::size_t kDifferencesNamed = 8;

// The bytes of the image read back that differ from the image sent, in address order.
//
// No byte of the memory is known to change by itself: the radio stores the 26 blocks as they
// arrive, and the bytes it keeps for itself (0x00B, 0x00D..0x00F, 0x012, 0x018..0x01D, 0x0B6,
// 0x0B8) are carried from a read to the next write, so they come back as they were sent. Byte
// 0x010 is set by the programmer from the firmware version before the blocks go out, so it is
// part of what was sent. Every byte is therefore compared.
std::vector<ByteDifference> CompareImages(const image::Image& sent, const image::Image& stored);

// "Verify failed: 3 bytes differ (0x029: wrote 47, read 46; ...)": the first kDifferencesNamed
// addresses, values in hex. Empty when there is no difference.
std::string VerifyFailureText(const std::vector<ByteDifference>& differences);

// The same addresses with the EEPROM map's name of each, one line a piece:
// "0x029: channel 2: step, narrow, high power, receive count bits 16..14: wrote 47, read 46".
std::string VerifyFailureDetail(const std::vector<ByteDifference>& differences);

}  // namespace kx
