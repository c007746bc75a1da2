#include "textio/ConfigDiff.h"

#include "model/BandTable.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "textio/ChannelColumns.h"
#include "textio/OptionFields.h"
#include "textio/PagesShown.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

std::string modelText(const CKX200Doc& doc) {
  const std::string_view caption = doc.band().caption;
  return caption.empty() ? "type " + std::to_string(doc.modelType) : std::string(caption);
}

std::string subBandText(const CKX200Doc& doc) {
  const std::string_view name = SubBandName(doc.modelType, doc.subBandIndex);
  return name.empty() ? "index " + std::to_string(doc.subBandIndex) : std::string(name);
}

// The step of an empty channel is nothing the radio gets.
std::string stepText(const ChannelRecord& c) {
  return c.isEmpty() ? std::string() : StepText(c.stepCode);
}

// A row as the channel page shows it: the option buttons are blank until both frequencies are
// there, the two-tone values belong to a two-tone receive option.
void addChannel(std::vector<ShownValue>& values, const ChannelRecord& c, int number) {
  ChannelCells cells = CellsOf(c, number);
  const bool both = c.rxFreqMHz != 0 && c.txFreqMHz != 0;
  if (!both) cells[ColumnIndex(ChannelColumn::kRxOption)].clear();
  if (!both) cells[ColumnIndex(ChannelColumn::kTxOption)].clear();
  if (!both || c.rxOption != kOptionTwoTone) {
    for (ChannelColumn tone : {ChannelColumn::kToneAHz, ChannelColumn::kToneAMs,
                               ChannelColumn::kToneBHz, ChannelColumn::kToneBMs})
      cells[ColumnIndex(tone)].clear();
  }
  const std::string prefix = "channel " + std::to_string(number) + " ";
  for (const auto& column : kChannelColumns) {
    if (column.column == ChannelColumn::kChannel) continue;
    values.push_back({prefix + std::string(column.header), cells[ColumnIndex(column.column)], ""});
  }
  values.push_back({prefix + "step", stepText(c), "kHz"});
}

std::string shown(const ShownValue& v) {
  if (v.text.empty()) return "-";
  if (!v.unit.empty() && text_values::ParseNumber(v.text))
    return v.text + " " + std::string(v.unit);
  return v.text;
}

}  // namespace

std::vector<ShownValue> ShownValues(const CKX200Doc& doc) {
  std::vector<ShownValue> values{{"model", modelText(doc), ""}, {"sub-band", subBandText(doc), ""}};
  for (int i = 0; i < kChannelCount; ++i)
    addChannel(values, doc.channels[static_cast<std::size_t>(i)], i + 1);
  for (const OptionField& f : OptionFields())
    values.push_back({std::string(f.label), f.show(doc), f.unit});
  return values;
}

std::vector<std::string> DiffConfigurations(const CKX200Doc& a, const CKX200Doc& b) {
  // Both as the pages would show them once opened.
  CKX200Doc shownA = a, shownB = b;
  ShowOnPages(shownA);
  ShowOnPages(shownB);
  const auto left = ShownValues(shownA);
  const auto right = ShownValues(shownB);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
    if (left[i].text != right[i].text)
      lines.push_back(left[i].label + ": " + shown(left[i]) + " -> " + shown(right[i]));
  }
  return lines;
}

std::vector<std::string> DiffRadioContents(const CKX200Doc& a, const CKX200Doc& b) {
  CKX200Doc encodedA = a, encodedB = b;
  // Only a model type no file or image gets past encodes to an image that does not decode.
  return DiffImages(a, BuildImage(encodedA), BuildImage(encodedB))
      .value_or(DiffConfigurations(a, b));
}

std::optional<std::vector<std::string>> DiffImages(const CKX200Doc& base, const image::Image& a,
                                                   const image::Image& b) {
  CKX200Doc heldA = base, heldB = base;
  if (!DecodeImage(heldA, a).ok || !DecodeImage(heldB, b).ok) return std::nullopt;
  return DiffConfigurations(heldA, heldB);
}

}  // namespace kx
