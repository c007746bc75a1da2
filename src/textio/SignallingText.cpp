#include "textio/SignallingText.h"

#include <array>
#include <cmath>

#include "model/FormatText.h"
#include "model/ToneTables.h"
#include "model/ValueText.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

using text_values::EqualNoCase;
using text_values::Trimmed;

constexpr std::array<std::string_view, 3> kNoneWords{"NO", "NONE", "OFF"};
constexpr std::size_t kLongestDcsDigits = 3;

std::string quoted(std::string_view text) {
  return text_values::Quoted(text);
}

std::string sideText(std::int32_t kind, double ctcssHz, std::int32_t dcsCode, std::int32_t group) {
  switch (kind) {
    case kOptionCtcss:
      return CtcssText(ctcssHz);
    case kOptionDcs:
      return DcsText(dcsCode);
    case kOptionTwoTone:
      return value_text::TwoToneGroup(group);
    case kOptionNone:
      return "NO";
    default:
      // A kind no channel can have (a damaged file) is written as it is, and refused on import.
      return std::to_string(kind);
  }
}

}  // namespace

std::string CtcssText(double hz) {
  return CtcssPosition(hz) ? FormatText("%.1f", hz) : text_values::NumberText(hz);
}

std::string DcsText(std::int32_t code) {
  return "D" + value_text::DcsCode(code);
}

std::string RxSignallingText(const ChannelRecord& c) {
  return sideText(c.rxOption, c.rxCtcssHz, c.rxDcsCode, c.twoToneSelect);
}

std::string TxSignallingText(const ChannelRecord& c) {
  return sideText(c.txOption, c.txCtcssHz, c.txDcsCode, c.twoToneSelect);
}

std::variant<double, std::string> ParseCtcss(std::string_view text) {
  const auto hz = text_values::ParseNumber(text);
  if (!hz) return quoted(Trimmed(text)) + " is not a CTCSS tone";
  for (double tone : CtcssToneTable) {
    // A tone written with more or fewer decimals is still the tone of the table.
    if (std::fabs(tone - *hz) < 1e-9) return tone;
  }
  return std::string(Trimmed(text)) + " is not a CTCSS tone of the table";
}

std::variant<std::int32_t, std::string> ParseDcs(std::string_view text) {
  text = Trimmed(text);
  const std::string_view digits = text.empty() ? text : text.substr(1);
  const bool shaped = !text.empty() && (text[0] == 'D' || text[0] == 'd') && !digits.empty() &&
                      digits.size() <= kLongestDcsDigits &&
                      digits.find_first_not_of("0123456789") == std::string_view::npos;
  if (!shaped) return quoted(text) + " is not a DCS code (D023)";
  // The code's octal digits read as a decimal number, as the table holds them.
  const std::int32_t code = *text_values::ParseWhole(digits);
  if (!DcsPosition(code)) return std::string(text) + " is not a DCS code of the table";
  return code;
}

std::variant<std::int32_t, std::string> ParseTwoToneGroup(std::string_view text) {
  text = Trimmed(text);
  for (std::int32_t group : {kToneA, kToneB, kToneBoth}) {
    if (EqualNoCase(text, value_text::TwoToneGroup(group))) return group;
  }
  return quoted(text) + " is not a two-tone group (Tone A, Tone B or Both)";
}

std::variant<Signalling, std::string> ParseSignalling(std::string_view text) {
  text = Trimmed(text);
  for (std::string_view word : kNoneWords) {
    if (EqualNoCase(text, word)) return Signalling{};
  }
  if (const auto group = ParseTwoToneGroup(text); std::holds_alternative<std::int32_t>(group))
    return Signalling{kOptionTwoTone, 0, 0, std::get<std::int32_t>(group)};
  if (!text.empty() && (text[0] == 'D' || text[0] == 'd')) {
    const auto dcs = ParseDcs(text);
    if (const auto* error = std::get_if<std::string>(&dcs)) return *error;
    return Signalling{kOptionDcs, 0, std::get<std::int32_t>(dcs), kToneBoth};
  }
  if (!text_values::ParseNumber(text))
    return quoted(text) +
           " is not a signalling (NO, a CTCSS tone such as 67.0, a DCS code such as D023, or "
           "Tone A, Tone B, Both)";
  const auto ctcss = ParseCtcss(text);
  if (const auto* error = std::get_if<std::string>(&ctcss)) {
    const auto whole = text_values::ParseWhole(text);
    if (whole && DcsPosition(*whole))
      return *error + "; a DCS code is written D" + std::string(text);
    return *error;
  }
  return Signalling{kOptionCtcss, std::get<double>(ctcss), 0, kToneBoth};
}

}  // namespace kx
