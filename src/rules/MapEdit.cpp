#include "rules/MapEdit.h"

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/RadioMemory.h"
#include "rules/AccessCode.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {

constexpr const char* kInputHexa = "Input Hexa code!";
constexpr const char* kWrongHexa = "Wrong Hexa data input";
constexpr std::array<const char*, 4> kStepTexts{"2.50", "5.00", "6.25", "7.50"};

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

}  // namespace

std::string map_text::Label(int number) {
  return FormatText("%X", number);
}

std::string map_text::Byte(std::uint8_t value) {
  return FormatText("%02X", value);
}

std::string map_text::CellAddress(std::size_t address) {
  return FormatText("0x%x%x", static_cast<unsigned>(address / 16),
                    static_cast<unsigned>(address % 16));
}

HexEntry ParseHexEntry(std::string_view text) {
  if (text.empty()) return {std::nullopt, Notice::warning(kInputHexa), true};
  // A byte has two hex digits; a longer entry is no byte at all.
  if (text.size() > 2) return {std::nullopt, Notice::warning(kWrongHexa), false};
  int value = 0;
  for (char c : text) {
    const auto digit = hexDigit(c);
    if (!digit) return {std::nullopt, Notice::warning(kWrongHexa), false};
    value = value * 16 + *digit;
  }
  return {static_cast<std::uint8_t>(value), std::nullopt, false};
}

MapByteEditor::MapByteEditor(CKX200Doc& doc, const RadioMemory& memory, std::size_t address)
    : doc_(doc), address_(address), value_(memory.working.at(address)) {}

void MapByteEditor::TypeAccessCode(std::string_view text) {
  codeEntered_ = ParseDecimalInt(text);
}

std::optional<Notice> MapByteEditor::Input() {
  if (codeEntered_ != kAccessCode) return Notice::warning(kWrongPassword);
  unlocked_ = true;
  return std::nullopt;
}

HexEntry MapByteEditor::LeaveValue(std::string_view text) {
  const HexEntry entry = ParseHexEntry(text);
  if (!entry.value) return entry;
  value_ = *entry.value;
  // The document keeps its own copy of this byte, carried to the next write and the file.
  if (address_ == image::kRegB8) doc_.regB8 = value_;
  return entry;
}

void ApplyMapEdit(CKX200Doc& doc, RadioMemory& memory, std::size_t address, std::uint8_t value) {
  memory.setPendingEdit(address, value);
  doc.regB6 = memory.working[image::kRegB6];
}

std::array<ChannelStepLine, 16> ChannelSteps(const image::Image& working) {
  std::array<ChannelStepLine, 16> lines;
  for (int i = 0; i < 16; ++i) {
    const std::size_t at = image::channelRecord(i);
    const std::uint8_t first = working[at];
    lines[static_cast<std::size_t>(i)] = {kStepTexts[first >> image::channel::kStepShift],
                                          FormatText("0x%03zX: %02X", at, first)};
  }
  return lines;
}

std::string StepListText(const image::Image& working) {
  std::string text;
  for (const ChannelStepLine& line : ChannelSteps(working))
    text += line.step + "\r\n";
  return text;
}

}  // namespace kx
