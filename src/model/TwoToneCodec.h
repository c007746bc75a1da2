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

// Back from the record: the value that encodes to the very counts stored, so that a read and a
// write change nothing. Where one of the editors' values (10 Hz, 10 ms steps) does, that is the
// value; otherwise the nearest one in hundredths of a hertz or whole milliseconds. Counts no
// value within the editors' ranges gives fall back to the radio software's own decode: a count
// of 0 (no tone programmed) reads as 300 Hz, tones below 300 Hz and durations below 100 ms are
// raised to those limits. The tone's decode also matches the tolerance bytes (durationCount is
// not used); without them only the cycle number and count must match.
double DecodeToneHz(const ToneCounts& stored);
double DecodeToneHz(std::uint8_t cycles, std::uint16_t count);
double DecodeDurationMs(std::uint16_t durationCount, bool bothTones);

// The radio firmware's rounding: x * 100 to the nearest integer, halves upward, after cutting x
// to three decimals.
long RoundHundredths(double x);

// Cycle number for a frequency within 300..3000 Hz.
int CycleNumber(double toneHz);

}  // namespace kx::two_tone
