#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Outcome.h"

namespace kx {

class CKX200Doc;
struct ModelTraits;

// The edges of the sub-band a configuration's channels must lie in, MHz.
struct BandLimits {
  double lowMHz = 0;
  double highMHz = 0;
  double middleMHz() const { return (lowMHz + highMHz) / 2; }
};
BandLimits LimitsOf(const CKX200Doc& doc);

// The typing aid of a frequency edit: "150125" becomes "150.125", a point typed in the wrong
// place moves after the third digit, "1.5" of three characters loses its point. The text as it
// is when nothing changes.
std::string NormalizeFrequencyText(std::string_view text);

// Step arithmetic in whole hertz, so a value that lies on a step is recognised whatever binary
// floating point made of it. A frequency no channel can have (not finite, beyond 1 THz) has no
// whole-hertz value.
std::optional<std::int64_t> WholeHz(double mhz);
bool IsStepMultiple(std::int64_t hz, int stepHz);
// The count of steps, made even by rounding an odd count up: a receive frequency on 6.25 kHz
// lands on the 12.5 kHz grid.
std::int64_t EvenMultiple(std::int64_t hz, int stepHz);

// A frequency fitted to the synthesizer: its value, the channel's step code afterwards, and
// whether it lies outside the sub-band (0 never does).
struct SnappedFrequency {
  double mhz = 0;
  int stepCode = 0;
  bool outOfBand = false;
};
// The receive frequency: on a step the transmit frequency shares, else on the finest step.
SnappedFrequency SnapRxFrequency(const ModelTraits& traits, BandLimits limits, double rxMHz,
                                 double txMHz);
// The transmit frequency, cut down to the channel's step (stepCode), or to a step both
// frequencies share.
SnappedFrequency SnapTxFrequency(const ModelTraits& traits, BandLimits limits, double txMHz,
                                 double rxMHz, int stepCode);

// Where the focus goes after a frequency was refused.
enum class ChannelFocus { kStay, kRxOption, kTxOption };

// What leaving a frequency edit does: the channel's frequencies and step, the texts of both
// edits, the message to show and where the focus goes.
struct FrequencyEdit {
  double rxMHz = 0;
  double txMHz = 0;
  int stepCode = 0;
  std::string rxText;
  std::string txText;
  std::optional<Notice> notice;
  ChannelFocus focus = ChannelFocus::kStay;
};
// The RX or TX edit of channel index (0..15) lost the focus holding these texts.
FrequencyEdit ValidateRxFrequency(const CKX200Doc& doc, int index, std::string_view rxText,
                                  std::string_view txText);
FrequencyEdit ValidateTxFrequency(const CKX200Doc& doc, int index, std::string_view rxText,
                                  std::string_view txText);
void ApplyFrequencyEdit(CKX200Doc& doc, int index, const FrequencyEdit& edit);

}  // namespace kx
