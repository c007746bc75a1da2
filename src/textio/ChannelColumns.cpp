#include "textio/ChannelColumns.h"

#include <cmath>

#include "model/ValueText.h"
#include "rules/ChannelPage.h"
#include "textio/SignallingText.h"
#include "textio/TextValues.h"

namespace kx {

const std::array<ChannelColumnName, kChannelColumnCount> kChannelColumns{{
    {ChannelColumn::kChannel, "CH", "ch"},
    {ChannelColumn::kRxFreq, "Rx Freq(MHz)", "rx_freq_mhz"},
    {ChannelColumn::kRxOption, "RxOption", "rx_option"},
    {ChannelColumn::kTxFreq, "Tx Freq(MHz)", "tx_freq_mhz"},
    {ChannelColumn::kTxOption, "TxOption", "tx_option"},
    {ChannelColumn::kWidth, "BW", "bw"},
    {ChannelColumn::kPower, "Tx Power", "tx_power"},
    {ChannelColumn::kScan, "Scan", "scan"},
    {ChannelColumn::kToneAHz, "Tone A(Hz)", "tone_a_hz"},
    {ChannelColumn::kToneAMs, "Tone A(ms)", "tone_a_ms"},
    {ChannelColumn::kToneBHz, "Tone B(Hz)", "tone_b_hz"},
    {ChannelColumn::kToneBMs, "Tone B(ms)", "tone_b_ms"},
}};

std::string_view HeaderOf(ChannelColumn column) {
  return kChannelColumns[ColumnIndex(column)].header;
}

std::string_view KeyOf(ChannelColumn column) {
  return kChannelColumns[ColumnIndex(column)].key;
}

namespace {
// By step code: 7.5 kHz only ever comes from a radio.
constexpr std::array<double, 4> kStepKhz{7.5, 6.25, 5, 2.5};
}  // namespace

std::string StepText(std::int32_t stepCode) {
  if (stepCode < 0 || stepCode >= static_cast<int>(kStepKhz.size()))
    return std::to_string(stepCode);
  return text_values::NumberText(kStepKhz[static_cast<std::size_t>(stepCode)]);
}

std::optional<std::int32_t> StepCodeOf(double khz) {
  for (std::size_t code = 0; code < kStepKhz.size(); ++code) {
    if (std::fabs(kStepKhz[code] - khz) < 1e-9) return static_cast<std::int32_t>(code);
  }
  return std::nullopt;
}

std::string WidthText(std::int32_t wide) {
  return WidthCaption(wide != 0);
}

std::string PowerText(std::int32_t high) {
  return PowerCaption(high != 0);
}

ChannelCells CellsOf(const ChannelRecord& c, int number) {
  const ChannelRowView row = RowView(c);
  ChannelCells cells;
  auto cell = [&cells](ChannelColumn column) -> std::string& { return cells[ColumnIndex(column)]; };
  cell(ChannelColumn::kChannel) = std::to_string(number);
  cell(ChannelColumn::kRxFreq) = row.rxText;
  cell(ChannelColumn::kRxOption) = RxSignallingText(c);
  // Without a receive frequency the channel is empty, whatever its TX edit held.
  cell(ChannelColumn::kTxFreq) = c.rxFreqMHz != 0 ? row.txText : std::string();
  cell(ChannelColumn::kTxOption) = TxSignallingText(c);
  cell(ChannelColumn::kWidth) = WidthText(c.wide);
  cell(ChannelColumn::kPower) = PowerText(c.highPower);
  cell(ChannelColumn::kScan) = text_values::FlagText(c.scan);
  cell(ChannelColumn::kToneAHz) = text_values::NumberText(c.toneAHz);
  cell(ChannelColumn::kToneAMs) = text_values::NumberText(c.toneAMs);
  cell(ChannelColumn::kToneBHz) = text_values::NumberText(c.toneBHz);
  cell(ChannelColumn::kToneBMs) = text_values::NumberText(c.toneBMs);
  return cells;
}

}  // namespace kx
