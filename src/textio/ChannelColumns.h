#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/ChannelRecord.h"

namespace kx {

// The columns of a channel table, with the channel page's own names; a YAML configuration uses
// the same names in snake case.
enum class ChannelColumn : std::size_t {
  kChannel,
  kRxFreq,
  kRxOption,
  kTxFreq,
  kTxOption,
  kWidth,
  kPower,
  kScan,
  kToneAHz,
  kToneAMs,
  kToneBHz,
  kToneBMs,
};
constexpr std::size_t kChannelColumnCount = 12;

struct ChannelColumnName {
  ChannelColumn column;
  std::string_view header;  // "Rx Freq(MHz)"
  std::string_view key;     // "rx_freq_mhz"
};
extern const std::array<ChannelColumnName, kChannelColumnCount> kChannelColumns;

constexpr std::size_t ColumnIndex(ChannelColumn column) {
  return static_cast<std::size_t>(column);
}
std::string_view HeaderOf(ChannelColumn column);
std::string_view KeyOf(ChannelColumn column);

// One channel's cells as the exports write them (the channel number in the first). Frequencies
// as the page shows them, both empty for an empty channel (no receive frequency); every other
// value as stored, also for an empty channel, so nothing is lost on the way back.
using ChannelCells = std::array<std::string, kChannelColumnCount>;
ChannelCells CellsOf(const ChannelRecord& channel, int number);

// A channel's synthesizer step by its step code, in kHz ("6.25"); the code itself for a code
// no radio has. StepCodeOf goes back; nothing for a step no radio has.
std::string StepText(std::int32_t stepCode);
std::optional<std::int32_t> StepCodeOf(double khz);

// Width and power as cells, as the channel page shows them: "Wide"/"Narrow", "High"/"Low" (any
// non-zero value is wide or high). Scan is a flag (text_values::FlagText), which keeps a stored
// number above 1.
std::string WidthText(std::int32_t wide);
std::string PowerText(std::int32_t high);

}  // namespace kx
