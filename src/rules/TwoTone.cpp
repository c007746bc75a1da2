#include "rules/TwoTone.h"

#include <cmath>

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "rules/AccessCode.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {

constexpr double kToneStep = 10;

struct ToneRange {
  double low, high;
  const char* message;
};
constexpr ToneRange kFrequencyRange{300, 3000, "Valid Settings 300 - 3000 Hz"};
constexpr ToneRange kDurationRange{100, 10000, "Valid Settings 100 - 10000 ms"};

std::string wholeText(double value) {
  return FormatText("%4d", static_cast<int>(value));
}

bool inside(const ToneRange& range, double value) {
  return value >= range.low && value <= range.high;
}

ToneFieldEdit refused(const ToneRange& range, double stored) {
  return {std::nullopt, FormatText("%4.1f", stored), Notice::stop(range.message)};
}

double floored(double value) {
  return std::floor(value / kToneStep) * kToneStep;
}

}  // namespace

std::array<bool, 4> TwoToneEditsEnabled(int group) {
  const bool a = group == kToneA || group == kToneBoth;
  const bool b = group == kToneB || group == kToneBoth;
  return {a, a, b, b};
}

std::string TwoToneOpeningText(double value) {
  return FormatText("%4.0f", value);
}

ToneFieldEdit ValidateToneFrequency(std::string_view text, double stored) {
  // The range is tested before the value is floored: 3001 is refused, 2999 becomes 2990.
  const double hz = ParseDecimalText(text);
  if (!inside(kFrequencyRange, hz)) return refused(kFrequencyRange, stored);
  const double value = floored(hz);
  return {value, wholeText(value), std::nullopt};
}

ToneFieldEdit ValidateToneDuration(std::string_view text, double stored) {
  // The duration is floored first: 10009 becomes 10000 and is accepted, 99 is refused.
  const double ms = floored(ParseDecimalText(text));
  if (!inside(kDurationRange, ms)) return refused(kDurationRange, stored);
  return {ms, wholeText(ms), std::nullopt};
}

ConditionResult EnableTwoTone(CKX200Doc& doc, std::string_view code) {
  doc.twoToneCodeEntered = ParseDecimalInt(code);
  if (doc.twoToneCodeEntered != kAccessCode) return {true, Notice::warning(kWrongPassword)};
  doc.twoToneLocked = 0;
  return {true, std::nullopt};
}

ConditionResult DisableTwoTone(CKX200Doc& doc, std::string_view code) {
  doc.twoToneCodeEntered = ParseDecimalInt(code);
  if (doc.twoToneCodeEntered != kAccessCode) return {false, Notice::warning(kWrongPassword)};
  doc.twoToneLocked = 1;
  for (ChannelRecord& c : doc.channels) {
    if (c.rxOption == kOptionTwoTone) c.rxOption = kOptionNone;
  }
  return {false, std::nullopt};
}

}  // namespace kx
