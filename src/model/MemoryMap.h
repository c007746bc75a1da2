#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The radio's 416-byte configuration memory (EEPROM), address by address. The codec reads and
// writes the image only through these names.
namespace kx::image {

constexpr std::size_t kSize = 416;
using Image = std::array<std::uint8_t, kSize>;

struct Bit {
  std::size_t address;
  unsigned bit;
  constexpr std::uint8_t mask() const { return static_cast<std::uint8_t>(1u << bit); }
};
// A run of bits inside one byte, lowest bit first.
struct Field {
  std::size_t address;
  unsigned shift;
  unsigned width;
  constexpr std::uint8_t mask() const {
    return static_cast<std::uint8_t>(((1u << width) - 1u) << shift);
  }
};

// 0x00: system flags.
constexpr Bit kBusyPortSquelch{0x00, 7};
constexpr Bit kHangOnEnabled{0x00, 6};
constexpr Bit kTxTimeoutEnabled{0x00, 5};
constexpr Bit kTxDelayEnabled{0x00, 4};
constexpr Bit kBusyLockout{0x00, 3};
constexpr Bit kTxMatchedSat{0x00, 2};
constexpr Bit kGpsEnabledCopy{0x00, 1};  // the radio reads GPS from 0x04; this is a copy
constexpr Bit kAnyChannelScans{0x00, 0};
constexpr std::size_t kTxTimeout = 0x01;     // seconds / 10
constexpr std::size_t kScanMaskLow = 0x02;   // b0..b7 = channels 1..8
constexpr std::size_t kScanMaskHigh = 0x03;  // b0..b7 = channels 9..16
// 0x04: scan delay and hardware bits.
constexpr Field kScanDelay{0x04, 4, 4};  // seconds
constexpr Bit kAlwaysSet04{0x04, 3};
constexpr Bit kUhfBand{0x04, 2};
constexpr Bit kGpsEnabled{0x04, 1};
constexpr Bit kPllIc{0x04, 0};            // set: MB15E03SL
constexpr std::size_t kScanSpeed = 0x05;  // (ms - 10) / 10
// 0x06: power save.
constexpr Bit kPowerSaveEnabled{0x06, 7};
constexpr Field kPowerSaveDelay{0x06, 4, 3};    // seconds - 1
constexpr Field kPowerSaveOffTime{0x06, 0, 4};  // (ms - 30) / 20
constexpr std::size_t kPowerSaveOnTime = 0x07;  // (ms - 20) / 10
constexpr std::size_t kEmptyMaskLow = 0x08;     // b0..b7 = channels 1..8 empty
constexpr std::size_t kEmptyMaskHigh = 0x09;
constexpr Field kFirstChannel{0x0A, 0, 4};  // 0-based index of the first programmed channel
constexpr Field kLastChannel{0x0A, 4, 4};
constexpr Bit kTxToneForDataInput{0x0B, 7};
constexpr Field kReg0B{0x0B, 0, 7};
constexpr std::size_t kConst0C = 0x0C;  // always 0x23
constexpr std::size_t kReg0D = 0x0D;    // written as 0x1D
constexpr std::size_t kReg0E = 0x0E;
constexpr std::size_t kReg0F = 0x0F;
constexpr std::size_t kReg10 = 0x10;       // 3 for firmware 1.1, else 2 (set by a write)
constexpr std::size_t kHangOnTime = 0x11;  // (ms - 180) / 10
constexpr Bit kBeepOnHangOn{0x12, 7};
constexpr Field kReg12{0x12, 0, 7};
// 0x13: modem.
constexpr Bit kGmsk{0x13, 7};
constexpr Bit kTxForcingMode{0x13, 6};
constexpr Bit kDumbMode{0x13, 5};
constexpr Bit kModemEnabled{0x13, 4};
constexpr Field kBaudCode{0x13, 0, 4};
constexpr std::size_t kTxOnDelay = 0x14;     // ms / 2
constexpr std::size_t kTxOffDelay = 0x15;    // ms / 2
constexpr std::size_t kRxOnDelay = 0x16;     // ms / 2
constexpr std::size_t kGpsDataDelay = 0x17;  // (s - 50) / 10
constexpr std::size_t kReg18 = 0x18;         // written as 0x11
constexpr std::size_t kReg19 = 0x19;         // written as 0x0F
constexpr std::size_t kReg1A = 0x1A;
constexpr std::size_t kReg1B = 0x1B;
constexpr std::size_t kReg1C = 0x1C;
constexpr std::size_t kReg1D = 0x1D;
constexpr std::size_t kGpsDataTime = 0x1E;  // seconds
constexpr std::size_t kGpsCycle = 0x1F;     // hours

// Channel records: 16 of 9 bytes from 0x20.
constexpr std::size_t kChannelBase = 0x20;
constexpr std::size_t kChannelRecordSize = 9;
constexpr std::size_t channelRecord(int index) {
  return kChannelBase + kChannelRecordSize * index;
}
namespace channel {
constexpr std::size_t kRxHigh = 0;  // b7..b6 step, b5 narrow, b4 high power, b2..b0 count 16..14
constexpr std::size_t kRxMid = 1;   // count bits 13..6
constexpr std::size_t kRxLow = 2;   // b5..b0 count bits 5..0
constexpr std::size_t kRxTone = 3;
constexpr std::size_t kTxHigh = 4;  // b7 rx DCS, b6 rx CTCSS, b4 narrow, b2..b0 count 16..14
constexpr std::size_t kTxMid = 5;
constexpr std::size_t kTxLow = 6;
constexpr std::size_t kTxTone = 7;
constexpr std::size_t kChecksum = 8;
constexpr unsigned kStepShift = 6;
constexpr std::uint8_t kNarrow = 0x20;
constexpr std::uint8_t kHighPower = 0x10;
constexpr std::uint8_t kRxDcsMarker = 0x80;
constexpr std::uint8_t kRxCtcssMarker = 0x40;
constexpr std::uint8_t kTxNarrowMarker = 0x10;
constexpr std::uint8_t kCountTopBits = 0x07;
constexpr std::uint8_t kCountLowBits = 0x3F;
constexpr std::uint32_t kCountLimit = 1u << 17;
}  // namespace channel

// Tone codes of record bytes 3 and 7.
namespace tone_code {
constexpr std::uint8_t kNone = 0;
constexpr std::uint8_t kFirstCtcss = 1;      // 1..49: CTCSS table position
constexpr std::uint8_t kFirstDcs = 50;       // 50..153: 50 + 0-based DCS table position
constexpr std::uint8_t kFirstTwoTone = 154;  // 154 Tone A, 155 Tone B, 156 Both
}  // namespace tone_code

// 0xB0..0xBF: modem link options, squelch, model.
constexpr Field kPreambleSize{0xB0, 4, 4};
constexpr Field kBaseBlockSize{0xB0, 0, 4};  // 0 none, else index + 1
constexpr Bit kAfskBell202{0xB1, 7};
constexpr Bit kAfsk{0xB1, 6};
constexpr Field kStartBitErrors{0xB1, 4, 2};
constexpr Field kWaitForBusy{0xB1, 0, 4};
constexpr Field kTxDelay1{0xB2, 4, 4};
constexpr Bit kUhfKx400Family{0xB2, 3};  // set for model types 1 and 3
constexpr Bit kInitDataForHt{0xB2, 2};
constexpr Field kFlowControl{0xB2, 0, 2};
constexpr Field kTxDelay2{0xB3, 5, 3};
constexpr std::size_t kConstB4 = 0xB4;  // always 0x40
constexpr Bit kBaseBlockEnabled{0xB5, 7};
constexpr std::uint8_t kAlwaysSetB5 = 0x64;  // b6, b5, b2
constexpr Bit kSquelchDisabled{0xB5, 1};
constexpr Bit kOlderModel{0xB5, 0};  // set for model types 0..3
constexpr std::size_t kRegB6 = 0xB6;
constexpr std::uint8_t kRegB6AlwaysSet = 0x20;
constexpr std::size_t kVhfMarker = 0xB7;  // 0xFF for VHF radios, 0x00 for UHF
constexpr std::size_t kRegB8 = 0xB8;
constexpr Bit kExternalModulation{0xBA, 0};
constexpr Field kModelCode{0xBF, 0, 4};  // model type + 1; 0 is read as a KX400 UHF
constexpr Field kSubBand{0xBF, 4, 4};

// Two-tone tolerance bytes (lower side, upper side) and records, per channel.
constexpr std::size_t kToneATolerance = 0xC0;
constexpr std::size_t kToneBTolerance = 0xE0;
constexpr std::size_t toneATolerance(int index) {
  return kToneATolerance + 2 * index;
}
constexpr std::size_t toneBTolerance(int index) {
  return kToneBTolerance + 2 * index;
}
constexpr std::size_t kTwoToneBase = 0x100;
constexpr std::size_t kTwoToneRecordSize = 10;
constexpr std::size_t twoToneRecord(int index) {
  return kTwoToneBase + kTwoToneRecordSize * index;
}
namespace two_tone {
constexpr std::size_t kToneACount = 0;  // 16-bit little-endian
constexpr std::size_t kToneADuration = 2;
constexpr std::size_t kToneBCount = 4;
constexpr std::size_t kToneBDuration = 6;
constexpr std::size_t kToneACycles = 8;  // b5..b0
constexpr std::size_t kToneBCycles = 9;
constexpr std::uint8_t kCycleBits = 0x3F;
}  // namespace two_tone

static_assert(channelRecord(16) == 0xB0);
static_assert(twoToneRecord(16) == kSize);

// Bit and field access.
inline bool get(const Image& image, Bit b) {
  return (image[b.address] & b.mask()) != 0;
}
inline void set(Image& image, Bit b, bool on) {
  if (on)
    image[b.address] |= b.mask();
  else
    image[b.address] &= static_cast<std::uint8_t>(~b.mask());
}
inline unsigned get(const Image& image, Field f) {
  return (image[f.address] & f.mask()) >> f.shift;
}
// Replaces a field's bits and leaves the rest of its byte alone; bits of the value beyond the
// field's width are dropped.
inline void set(Image& image, Field f, unsigned value) {
  image[f.address] =
      static_cast<std::uint8_t>((image[f.address] & ~f.mask()) | ((value << f.shift) & f.mask()));
}

}  // namespace kx::image
