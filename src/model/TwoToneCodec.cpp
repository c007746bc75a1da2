#include "model/TwoToneCodec.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kx::two_tone {

namespace {
constexpr double kLowestHz = 300.0;
constexpr double kHighestHz = 3000.0;
constexpr double kShortestMs = 100.0;
constexpr double kTickMs = 2.048;
// The decoder needs this many ticks to recognise a tone: more when it waits for two.
constexpr int kLatencyOneTone = 20;
constexpr int kLatencyBothTones = 25;

// Open intervals (low, high) of the cycle numbers. The intervals overlap by one hertz at their
// edges; there the lower band wins.
struct CycleBand {
  double low;
  double high;
  int cycles;
};
constexpr std::array<CycleBand, 11> kCycleBands{{
    {299, 400, 1},
    {399, 600, 2},
    {599, 800, 3},
    {799, 1000, 4},
    {999, 1350, 5},
    {1349, 1750, 8},
    {1749, 2150, 9},
    {2149, 2401, 11},
    {2400, 2700, 13},
    {2699, 2901, 15},
    {2900, 3001, 16},
}};

double toleranceFraction(double toneHz) {
  if (toneHz < 500) return 0.04;
  if (toneHz >= 2000 && toneHz <= 3000) return 0.03;
  return 0.035;
}

int latency(bool bothTones) {
  return bothTones ? kLatencyBothTones : kLatencyOneTone;
}

std::uint16_t toU16(double value) {
  if (!(value > 0)) return 0;
  return static_cast<std::uint16_t>(std::min(std::trunc(value), 65535.0));
}
}  // namespace

long RoundHundredths(double x) {
  const long m = static_cast<long>(x * 1000);
  return m / 10 + (m % 10 >= 5 ? 1 : 0);
}

int CycleNumber(double toneHz) {
  for (const CycleBand& band : kCycleBands) {
    if (toneHz > band.low && toneHz < band.high) return band.cycles;
  }
  return 0;
}

ToneCounts EncodeTone(double toneHz, double durationMs, bool bothTones) {
  const double f = std::isnan(toneHz) ? kLowestHz : std::clamp(toneHz, kLowestHz, kHighestHz);
  const int n = CycleNumber(f);
  const double period = n * 10'000.0 / f;
  const double e = toleranceFraction(f);

  ToneCounts counts{};
  counts.cycles = static_cast<std::uint8_t>(n);
  counts.count = static_cast<std::uint16_t>(RoundHundredths(period));
  counts.upperTolerance =
      static_cast<std::uint8_t>(RoundHundredths(period - n * 10'000.0 / (f * (1 + e))));
  counts.lowerTolerance =
      static_cast<std::uint8_t>(RoundHundredths(n * 10'000.0 / (f * (1 - e)) - period));
  counts.durationCount = toU16(durationMs / kTickMs - latency(bothTones));
  return counts;
}

double DecodeToneHz(std::uint8_t cycles, std::uint16_t count) {
  if (count == 0) return kLowestHz;
  // Truncated to two decimals, in integers so that no rounding of the division creeps in.
  const std::uint64_t hundredths = std::uint64_t{cycles} * 100'000'000u / count;
  return std::max(static_cast<double>(hundredths) / 100.0, kLowestHz);
}

double DecodeDurationMs(std::uint16_t durationCount, bool bothTones) {
  const double ms = (durationCount + latency(bothTones)) * kTickMs;
  const double tens = std::floor(ms / 10) + 1;
  return std::max(tens * 10, kShortestMs);
}

}  // namespace kx::two_tone
