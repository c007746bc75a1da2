#pragma once

#include <cstdint>
#include <optional>

#include "model/ModelType.h"

namespace kx::frequency {

// The radio's receive synthesizer runs 45.1 MHz from the channel: above it on VHF radios, below
// it on UHF radios. The transmit synthesizer runs on the channel itself.
constexpr double kIfOffsetHz = 45'100'000.0;

// How a channel's step travels in the top two bits of its record; the bands use different codes.
struct StepBits {
  unsigned bits;  // record byte 0, b7..b6
  std::uint32_t hz;
};

// The step bits and divisor an encode uses for a channel's stepCode. A step the band has no
// code for goes out as the band's finest one (2.5 kHz on VHF, which divides every 7.5 kHz
// channel exactly; 5 kHz on UHF), so a count is always divided by a real step.
StepBits EncodeStep(ModelType type, std::int32_t stepCode);

// The stepCode and step of a channel's step bits, or nothing for bits the band does not list.
struct DecodedStep {
  std::int32_t stepCode;
  std::uint32_t hz;
};
std::optional<DecodedStep> DecodeStep(ModelType type, unsigned bits);

// The 17-bit synthesizer counts of a channel. Frequencies below the count's range give 0;
// counts that do not fit keep their low 17 bits.
std::uint32_t RxCount(ModelType type, double rxFreqMHz, std::uint32_t stepHz);
std::uint32_t TxCount(double txFreqMHz, std::uint32_t stepHz);
// stepHz 1 is how a channel with unknown step bits decodes: the count taken as Hz.
double RxFreqMHz(ModelType type, std::uint32_t count, std::uint32_t stepHz);
double TxFreqMHz(std::uint32_t count, std::uint32_t stepHz);

}  // namespace kx::frequency
