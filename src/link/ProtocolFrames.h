#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/MemoryMap.h"

// The radio's serial programming protocol at 4800 baud: three-byte command frames, and the
// memory image in 26 framed blocks of 16 bytes.
namespace kx::protocol {

constexpr unsigned kBaudRate = 4800;

// A command to the radio: code, argument, and their sum as a check byte.
using CommandFrame = std::array<std::uint8_t, 3>;
constexpr CommandFrame command(std::uint8_t code, std::uint8_t argument) {
  return {code, argument, static_cast<std::uint8_t>(code + argument)};
}
constexpr CommandFrame kWakeUp = command(0x87, 0x00);
constexpr CommandFrame kWriteRequest = command(0x76, 0x57);  // "vW"
constexpr CommandFrame kReadRequest = command(0x71, 0x52);   // "qR"
constexpr CommandFrame kEndOfConnection = command(0x89, 0x00);

// The radio's answer to a request.
constexpr std::uint8_t kRefused = 0x55;
constexpr std::uint8_t kReady = 0xAA;  // followed by the firmware version, major.minor nibbles

// Block answers, in both directions.
constexpr std::uint8_t kBlockAccepted = 0xA1;
constexpr std::uint8_t kBlockRejected = 0x58;  // "X"

// A block frame: FF 99 14, address high and low, 16 image bytes, check byte; a written frame is
// followed by FF 66.
constexpr std::size_t kBlockSize = 16;
constexpr std::size_t kBlockCount = image::kSize / kBlockSize;
constexpr std::array<std::uint8_t, 3> kBlockHeader{0xFF, 0x99, 0x14};
constexpr std::size_t kHeaderSize = 5;
constexpr std::size_t kFrameSize = kHeaderSize + kBlockSize + 1;  // 22
constexpr std::size_t kCheckOffset = kHeaderSize + kBlockSize;
constexpr std::array<std::uint8_t, 2> kWriteTrailer{0xFF, 0x66};
static_assert(kBlockCount == 26);

// 0xFF less the sum of the data bytes, modulo 256.
inline std::uint8_t checkByte(std::span<const std::uint8_t> data) {
  unsigned sum = 0;
  for (std::uint8_t b : data)
    sum += b;
  return static_cast<std::uint8_t>(0xFF - sum % 256);
}

constexpr std::size_t blockAddress(std::size_t block) {
  return block * kBlockSize;
}

using BlockFrame = std::array<std::uint8_t, kFrameSize>;
inline BlockFrame blockFrame(const image::Image& img, std::size_t block) {
  BlockFrame frame{};
  const std::size_t address = blockAddress(block);
  frame[0] = kBlockHeader[0];
  frame[1] = kBlockHeader[1];
  frame[2] = kBlockHeader[2];
  frame[3] = static_cast<std::uint8_t>(address >> 8);
  frame[4] = static_cast<std::uint8_t>(address & 0xFF);
  for (std::size_t i = 0; i < kBlockSize; ++i)
    frame[kHeaderSize + i] = img[address + i];
  frame[kCheckOffset] = checkByte(std::span(frame).subspan(kHeaderSize, kBlockSize));
  return frame;
}

// The firmware version of a ready answer as the two numbers the radio means.
struct FirmwareVersion {
  int major = 0;
  int minor = 0;
};
constexpr FirmwareVersion versionOf(std::uint8_t byte) {
  return {byte >> 4, byte & 0x0F};
}

}  // namespace kx::protocol
