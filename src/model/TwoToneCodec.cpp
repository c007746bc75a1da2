#include "model/TwoToneCodec.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace kx::two_tone {

namespace {
constexpr double kLowestHz = 300.0;
constexpr double kHighestHz = 3000.0;
constexpr double kShortestMs = 100.0;
constexpr double kTickMs = 2.048;
// The two-tone dialog stores frequencies and durations on these steps.
constexpr double kEditStep = 10;
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

std::uint16_t durationCountOf(double durationMs, bool bothTones) {
  return toU16(durationMs / kTickMs - latency(bothTones));
}

bool sameTone(const ToneCounts& a, const ToneCounts& b, bool tolerances) {
  return a.cycles == b.cycles && a.count == b.count &&
         (!tolerances ||
          (a.lowerTolerance == b.lowerTolerance && a.upperTolerance == b.upperTolerance));
}

// The radio software's decode: n periods of count microseconds, truncated to two decimals, in
// integers so that no rounding of the division creeps in.
std::uint64_t hundredthsOf(const ToneCounts& stored) {
  return std::uint64_t{stored.cycles} * 100'000'000u / stored.count;
}

bool gives(double hz, const ToneCounts& stored, bool tolerances) {
  return hz >= kLowestHz && hz <= kHighestHz &&
         sameTone(EncodeTone(hz, 0, false), stored, tolerances);
}

std::optional<double> toneGiving(const ToneCounts& stored, bool tolerances) {
  const auto hundredths = static_cast<double>(hundredthsOf(stored));
  const double tens = std::floor(hundredths / (100 * kEditStep));
  for (double hz : {tens * kEditStep, (tens + 1) * kEditStep}) {
    if (gives(hz, stored, tolerances)) return hz;
  }
  // Every frequency within half a count of the stored one encodes to it; the tolerance bytes
  // split that span further. Hundredths outward from the truncated value, across the span.
  const double n = stored.cycles, count = stored.count;
  const int span = static_cast<int>(std::min(n * 1e8 / (count * count - 0.25), 500.0)) + 2;
  for (int d = 0; d <= span; ++d) {
    for (double hz : {(hundredths + d) / 100, (hundredths - d) / 100}) {
      if (gives(hz, stored, tolerances)) return hz;
    }
  }
  return std::nullopt;
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
  counts.durationCount = durationCountOf(durationMs, bothTones);
  return counts;
}

double DecodeToneHz(const ToneCounts& stored) {
  if (stored.count == 0) return kLowestHz;
  for (bool tolerances : {true, false}) {
    if (const auto hz = toneGiving(stored, tolerances)) return *hz;
  }
  return std::max(static_cast<double>(hundredthsOf(stored)) / 100.0, kLowestHz);
}

double DecodeToneHz(std::uint8_t cycles, std::uint16_t count) {
  ToneCounts stored{};
  stored.cycles = cycles;
  stored.count = count;
  return DecodeToneHz(stored);
}

double DecodeDurationMs(std::uint16_t durationCount, bool bothTones) {
  const double ms = (durationCount + latency(bothTones)) * kTickMs;
  const double tens = std::floor(ms / kEditStep);
  // The editors' steps either side, then whole milliseconds within the tick (a tick is longer
  // than a millisecond, so one of them is inside it).
  for (double candidate :
       {tens * kEditStep, (tens + 1) * kEditStep, std::ceil(ms), std::ceil(ms) + 1}) {
    if (candidate >= kShortestMs && durationCountOf(candidate, bothTones) == durationCount)
      return candidate;
  }
  return std::max((tens + 1) * kEditStep, kShortestMs);
}

}  // namespace kx::two_tone
