#pragma once

#include <cstdint>

namespace kx::two_tone {

// What one tone of a two-tone decode becomes in the radio's memory.
struct ToneCounts {
  std::uint16_t count;          // cycle count of n tone periods, in microsecond ticks
  std::uint16_t durationCount;  // duration in 2.048 ms ticks, less the decoder's latency
  std::uint8_t cycles;          // n: periods measured per detection
  std::uint8_t lowerTolerance;
  std::uint8_t upperTolerance;
};

// Frequencies outside 300..3000 Hz are brought to the nearest edge first, so every tone has a
// cycle number and a count. bothTones: the channel decodes tone A and tone B in sequence.
ToneCounts EncodeTone(double toneHz, double durationMs, bool bothTones);

// Back from the record. A count of 0 (no tone programmed) reads as 300 Hz; tones below 300 Hz
// and durations below 100 ms are raised to those limits.
double DecodeToneHz(std::uint8_t cycles, std::uint16_t count);
double DecodeDurationMs(std::uint16_t durationCount, bool bothTones);

// The radio firmware's rounding: x * 100 to the nearest integer, halves upward, after cutting x
// to three decimals.
long RoundHundredths(double x);

// Cycle number for a frequency within 300..3000 Hz.
int CycleNumber(double toneHz);

}  // namespace kx::two_tone
