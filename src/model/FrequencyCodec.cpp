#include "model/FrequencyCodec.h"

#include <array>
#include <cmath>

#include "model/ChannelRecord.h"
#include "model/MemoryMap.h"
#include "model/ModelTraits.h"

namespace kx::frequency {

namespace {
constexpr int kNotUsed = -1;

struct StepRow {
  std::int32_t stepCode;
  std::uint32_t hz;
  int vhfBits;
  int uhfBits;
};
// Indexed by stepCode.
constexpr std::array<StepRow, 4> kSteps{{
    {kStep7500Hz, 7500, kNotUsed, 3},
    {kStep6250Hz, 6250, 2, 2},
    {kStep5000Hz, 5000, 1, 1},
    {kStep2500Hz, 2500, 0, kNotUsed},
}};
constexpr std::int32_t kFinestVhfStep = kStep2500Hz;
constexpr std::int32_t kFinestUhfStep = kStep5000Hz;

int bitsFor(const StepRow& row, ModelType type) {
  return Traits(type).uhf ? row.uhfBits : row.vhfBits;
}

// The integer part of a count taken to six decimal places, so that a count a hair below a whole
// number (439.99999999 MHz from a decimal entry) still lands on it.
std::uint32_t wholeCount(double count) {
  if (!(count > 0)) return 0;
  const long long micro = std::llround(count * 1e6);
  return static_cast<std::uint32_t>(micro / 1'000'000) % image::channel::kCountLimit;
}
}  // namespace

StepBits EncodeStep(ModelType type, std::int32_t stepCode) {
  if (stepCode >= 0 && stepCode < static_cast<std::int32_t>(kSteps.size())) {
    const StepRow& row = kSteps[static_cast<std::size_t>(stepCode)];
    if (bitsFor(row, type) != kNotUsed) return {static_cast<unsigned>(bitsFor(row, type)), row.hz};
  }
  const StepRow& finest = kSteps[Traits(type).uhf ? kFinestUhfStep : kFinestVhfStep];
  return {static_cast<unsigned>(bitsFor(finest, type)), finest.hz};
}

std::optional<DecodedStep> DecodeStep(ModelType type, unsigned bits) {
  for (const StepRow& row : kSteps) {
    if (bitsFor(row, type) == static_cast<int>(bits)) return DecodedStep{row.stepCode, row.hz};
  }
  return std::nullopt;
}

std::uint32_t RxCount(ModelType type, double rxFreqMHz, std::uint32_t stepHz) {
  const double offset = Traits(type).uhf ? -kIfOffsetHz : kIfOffsetHz;
  return wholeCount((rxFreqMHz * 1'000'000.0 + offset) / stepHz);
}

std::uint32_t TxCount(double txFreqMHz, std::uint32_t stepHz) {
  return wholeCount(txFreqMHz * 1'000'000.0 / stepHz);
}

double RxFreqMHz(ModelType type, std::uint32_t count, std::uint32_t stepHz) {
  const double hz = static_cast<double>(count) * stepHz;
  const double offset = Traits(type).uhf ? kIfOffsetHz : -kIfOffsetHz;
  return (hz + offset) / 1'000'000.0;
}

double TxFreqMHz(std::uint32_t count, std::uint32_t stepHz) {
  return static_cast<double>(count) * stepHz / 1'000'000.0;
}

}  // namespace kx::frequency
