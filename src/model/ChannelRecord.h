#pragma once

#include <cstdint>

#include "model/OptionKind.h"

namespace kx {

// Synthesizer step of a channel.
enum StepCode : std::int32_t {
  kStep7500Hz = 0,
  kStep6250Hz = 1,
  kStep5000Hz = 2,
  kStep2500Hz = 3,
};

// One of the sixteen channels. Flags are 32-bit integers (0 off, non-zero on) as the
// configuration file stores them.
struct ChannelRecord {
  double rxFreqMHz = 0;  // 0: the channel is empty
  double txFreqMHz = 0;
  std::int32_t scan = 0;
  std::int32_t stepCode = kStep5000Hz;
  std::int32_t wide = 0;
  std::int32_t rxOption = 0;  // OptionKind: none, CTCSS, DCS, two-tone
  std::int32_t txOption = 0;  // OptionKind: none, CTCSS, DCS
  double rxCtcssHz = 67.0;
  double txCtcssHz = 67.0;
  std::int32_t rxDcsCode = 23;
  std::int32_t txDcsCode = 23;
  std::int32_t twoToneSelect = 2;  // 0 "Tone A", 1 "Tone B", 2 "Both"
  double toneAHz = 300.0;
  double toneAMs = 300.0;
  double toneBHz = 300.0;
  double toneBMs = 300.0;
  std::int32_t highPower = 0;

  bool isEmpty() const { return rxFreqMHz == 0; }
  bool operator==(const ChannelRecord&) const = default;
};

enum TwoToneSelect : std::int32_t { kToneA = 0, kToneB = 1, kToneBoth = 2 };

}  // namespace kx
