#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The bytes on the wire between the programmer and a radio: three-byte command frames, the
// radio's one-byte answers, and the framed 16-byte blocks of the memory image. The programmer
// and the virtual radio both speak through these names.
namespace kx::protocol {

// Every command is code, argument, (code + argument) mod 256.
struct Command {
  std::uint8_t code;
  std::uint8_t argument;
};
using CommandFrame = std::array<std::uint8_t, 3>;
constexpr CommandFrame Frame(Command c) {
  return {c.code, c.argument, static_cast<std::uint8_t>(c.code + c.argument)};
}

namespace code {
constexpr std::uint8_t kWakeUp = 0x87;
constexpr std::uint8_t kEnd = 0x89;
constexpr std::uint8_t kWriteRequest = 0x76;     // argument 'W'
constexpr std::uint8_t kReadRequest = 0x71;      // argument 'R'
constexpr std::uint8_t kServiceEntry = 0x88;     // argument 0x66
constexpr std::uint8_t kIdentify = 0x53;         // argument 0x66
constexpr std::uint8_t kChannel = 0x64;          // argument channel - 1
constexpr std::uint8_t kRtxMode = 0x61;          // argument kReceive or kTransmit
constexpr std::uint8_t kScan = 0x62;             // argument kScanStop, kScanStart or kScanDelete
constexpr std::uint8_t kGpsData = 0x63;          // 0 disable, 1 external output, 2 RF transmission
constexpr std::uint8_t kGpsPower = 0x6A;         // 0 off, 1 on
constexpr std::uint8_t kTestData = 0x75;         // argument kTestDataOn or kTestDataOff
constexpr std::uint8_t kMarkTone = 0x7C;         // 0 off, 1 on
constexpr std::uint8_t kSpaceTone = 0x7E;        // 0 off, 1 on
constexpr std::uint8_t kGmskTransmit = 0x7A;     // 0 off, 1 on
constexpr std::uint8_t kUpgradeTransmit = 0x85;  // 0 off, 1 on
constexpr std::uint8_t kSquelchOpen = 0x50;      // argument 1
constexpr std::uint8_t kSquelchClose = 0x51;     // argument 2
constexpr std::uint8_t kSquelchDefault = 0x52;   // argument 3
constexpr std::uint8_t kSquelchSave = 0x56;      // argument 4
}  // namespace code

namespace argument {
constexpr std::uint8_t kWrite = 0x57;
constexpr std::uint8_t kRead = 0x52;
constexpr std::uint8_t kService = 0x66;
constexpr std::uint8_t kReceive = 0x72;
constexpr std::uint8_t kTransmit = 0x74;
constexpr std::uint8_t kScanStop = 0x46;
constexpr std::uint8_t kScanStart = 0x73;
constexpr std::uint8_t kScanDelete = 0x4F;
constexpr std::uint8_t kTestDataOn = 0x78;
constexpr std::uint8_t kTestDataOff = 0x79;
}  // namespace argument

namespace command {
constexpr Command kWakeUp{code::kWakeUp, 0x00};
constexpr Command kEnd{code::kEnd, 0x00};
constexpr Command kWriteRequest{code::kWriteRequest, argument::kWrite};
constexpr Command kReadRequest{code::kReadRequest, argument::kRead};
constexpr Command kServiceEntry{code::kServiceEntry, argument::kService};
constexpr Command kIdentify{code::kIdentify, argument::kService};
constexpr Command ChangeChannel(int channel) {
  return {code::kChannel, static_cast<std::uint8_t>(channel - 1)};
}
constexpr Command kReceiveMode{code::kRtxMode, argument::kReceive};
constexpr Command kTransmitMode{code::kRtxMode, argument::kTransmit};
constexpr Command kSquelchOpen{code::kSquelchOpen, 1};
constexpr Command kSquelchClose{code::kSquelchClose, 2};
constexpr Command kSquelchDefault{code::kSquelchDefault, 3};
constexpr Command kSquelchSave{code::kSquelchSave, 4};
}  // namespace command

// What a radio answers.
namespace answer {
constexpr std::uint8_t kReady = 0xAA;    // then the version byte (or a 4-byte identification)
constexpr std::uint8_t kRefused = 0x55;  // also: invalid serial command
constexpr std::uint8_t kNotAllowed = 0x65;
constexpr std::uint8_t kAccepted = 0xA1;  // a block (both ways), a service command
constexpr std::uint8_t kRejected = 0x58;  // a block, which then comes again
}  // namespace answer

// The modem byte of the identification record.
namespace modem_byte {
constexpr std::uint8_t kNone = 0xA0;
constexpr std::uint8_t kGmsk = 0xA1;
constexpr std::uint8_t kFfsk = 0xA2;
}  // namespace modem_byte

// Block frames: FF 99 14, address high, address low, 16 image bytes, check byte; a written
// block has FF 66 after it.
constexpr int kBlockCount = 26;
constexpr std::size_t kBlockSize = 16;
constexpr std::array<std::uint8_t, 3> kBlockHeader{0xFF, 0x99, 0x14};
constexpr std::size_t kBlockDataOffset = 5;
constexpr std::size_t kBlockCheckOffset = kBlockDataOffset + kBlockSize;
constexpr std::size_t kReadFrameSize = kBlockCheckOffset + 1;  // 22, radio to programmer
constexpr std::array<std::uint8_t, 2> kWrittenTrailer{0xFF, 0x66};
constexpr std::size_t kWrittenFrameSize = kReadFrameSize + 2;  // 24, programmer to radio

// 0xFF minus the sum of the 16 data bytes, mod 256.
constexpr std::uint8_t BlockCheck(const std::uint8_t* data) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kBlockSize; ++i)
    sum += data[i];
  return static_cast<std::uint8_t>(0xFF - sum % 256);
}

constexpr std::size_t BlockAddress(int block) {
  return kBlockSize * static_cast<std::size_t>(block);
}

// The frame of one block of a memory image (the 22 bytes both sides send; a written block adds
// kWrittenTrailer).
using BlockFrame = std::array<std::uint8_t, kReadFrameSize>;
constexpr BlockFrame MakeBlockFrame(const std::uint8_t* image, int block) {
  const std::size_t address = BlockAddress(block);
  BlockFrame frame{kBlockHeader[0], kBlockHeader[1], kBlockHeader[2],
                   static_cast<std::uint8_t>(address >> 8),
                   static_cast<std::uint8_t>(address & 0xFF)};
  for (std::size_t i = 0; i < kBlockSize; ++i)
    frame[kBlockDataOffset + i] = image[address + i];
  frame[kBlockCheckOffset] = BlockCheck(image + address);
  return frame;
}

// The line speed of the programming protocol.
constexpr unsigned kBaudRate = 4800;

// The programmer's pauses in a read or write, in milliseconds: it writes, pauses this long and
// takes whatever has arrived, so a radio has to fit every answer into the pause after what it
// answers.
namespace pause_ms {
constexpr int kSettle = 100;   // after opening the port, before the wake-up
constexpr int kWakeUp = 1000;  // the radio wakes up
constexpr int kAnswer = 100;   // a request, a block or an acknowledgement is answered
constexpr int kLatch = 50;     // the radio latches a written block before its check byte
}  // namespace pause_ms

// The firmware version byte of a ready answer: major in the high nibble, minor in the low one.
struct FirmwareVersion {
  int major = 0;
  int minor = 0;
};
constexpr FirmwareVersion VersionOf(std::uint8_t byte) {
  return {byte >> 4, byte & 0x0F};
}

}  // namespace kx::protocol
