#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// " TWO TONE DATA": which of the four edits (tone A frequency and duration, tone B frequency
// and duration) the group radio leaves usable: 0 tone A, 1 tone B, 2 both.
std::array<bool, 4> TwoToneEditsEnabled(int group);
// How the dialog shows a stored frequency or duration when it opens: "%4.0f".
std::string TwoToneOpeningText(double value);

// A frequency or duration edit lost the focus: the value to store (nothing when refused), the
// edit's new text, and the message of a refusal.
struct ToneFieldEdit {
  std::optional<double> value;
  std::string text;
  std::optional<Notice> notice;
};
// 300..3000 Hz, floored to 10 Hz.
ToneFieldEdit ValidateToneFrequency(std::string_view text, double stored);
// 100..10000 ms after flooring to 10 ms.
ToneFieldEdit ValidateToneDuration(std::string_view text, double stored);

// "CHANGE TWO TONE CONDITION": ENABLE unlocks two-tone with the access code, DISABLE (and
// Escape) locks it and takes two-tone receive off every channel. Either stores the number
// entered; a wrong one gives "Wrong password!". accepted: the dialog ends with OK (ENABLE) or
// Cancel (DISABLE), whatever the code.
struct ConditionResult {
  bool accepted = false;
  std::optional<Notice> notice;
};
ConditionResult EnableTwoTone(CKX200Doc& doc, std::string_view code);
ConditionResult DisableTwoTone(CKX200Doc& doc, std::string_view code);

}  // namespace kx
