#include "rules/ChannelPage.h"

#include <algorithm>
#include <cmath>

#include "model/KX200Doc.h"
#include "model/ToneTables.h"
#include "model/ValueText.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {

constexpr const char* kFillFrequenciesFirst = "Fill Rx/Tx Freq. first";
constexpr int kTimeoutStepSec = 10;
constexpr int kHangStepMs = 10;
constexpr int kShortestHangMs = 180;
constexpr int kLongestHangMs = kShortestHangMs + (channel_page::kHangItems - 2) * kHangStepMs;

struct TimeRule {
  int step;
  int offset;
  int low, high;
  int fallback;
  const char* message;
};
constexpr TimeRule kRxOffTime{10, 0, 20, 400, 200, "Valid Settings 20 to 400"};
constexpr TimeRule kRxOnTime{20, 10, 30, 270, 50, "Valid Settings 30 to 260"};

TimeEdit validateTime(const TimeRule& rule, std::string_view text) {
  const double v = std::trunc(ParseDecimalText(text) / rule.step) * rule.step + rule.offset;
  TimeEdit edit;
  if (v >= rule.low && v <= rule.high) {
    edit.value = static_cast<int>(v);
  } else {
    edit.value = rule.fallback;
    edit.notice = Notice::stop(rule.message);
  }
  edit.text = std::to_string(edit.value);
  return edit;
}

OptionButtonLook ctcssLook(double hz) {
  return {value_text::CtcssTone(hz), CtcssClass(hz)};
}

bool bothFrequencies(const ChannelRecord& c) {
  return c.rxFreqMHz != 0 && c.txFreqMHz != 0;
}

}  // namespace

SignallingClass CtcssClass(double hz) {
  return IsNonStandardCtcss(hz) ? SignallingClass::kNonStandardCtcss
                                : SignallingClass::kStandardCtcss;
}

std::optional<std::uint32_t> BackgroundOf(SignallingClass colourClass) {
  switch (colourClass) {
    case SignallingClass::kStandardCtcss:
      return signalling_colour::kStandardCtcss;
    case SignallingClass::kNonStandardCtcss:
      return signalling_colour::kNonStandardCtcss;
    case SignallingClass::kDcs:
      return signalling_colour::kDcs;
    case SignallingClass::kTwoTone:
      return signalling_colour::kTwoTone;
    case SignallingClass::kNone:
      break;
  }
  return std::nullopt;
}

OptionButtonLook RxOptionLook(const ChannelRecord& c) {
  if (!bothFrequencies(c)) return {};
  switch (c.rxOption) {
    case kOptionCtcss:
      return ctcssLook(c.rxCtcssHz);
    case kOptionDcs:
      return {value_text::DcsCode(c.rxDcsCode), SignallingClass::kDcs};
    case kOptionTwoTone:
      return {value_text::TwoToneGroup(c.twoToneSelect), SignallingClass::kTwoTone};
    default:
      return {"NO", SignallingClass::kNone};
  }
}

OptionButtonLook TxOptionLook(const ChannelRecord& c) {
  if (!bothFrequencies(c)) return {};
  switch (c.txOption) {
    case kOptionCtcss:
      return ctcssLook(c.txCtcssHz);
    case kOptionDcs:
      return {value_text::DcsCode(c.txDcsCode), SignallingClass::kDcs};
    default:
      return {"NO", SignallingClass::kNone};
  }
}

std::optional<Notice> OptionDialogRefusal(const ChannelRecord& c) {
  if (bothFrequencies(c)) return std::nullopt;
  return Notice::stop(kFillFrequenciesFirst);
}

ChannelRowView RowView(const ChannelRecord& c) {
  ChannelRowView row;
  if (c.rxFreqMHz != 0) row.rxText = value_text::FrequencyMHz(c.rxFreqMHz);
  // A receive frequency alone shows its transmit side as 0.
  if (c.rxFreqMHz != 0 || c.txFreqMHz != 0) row.txText = value_text::FrequencyMHz(c.txFreqMHz);
  row.wide = c.wide != 0;
  row.highPower = c.highPower != 0;
  row.scan = c.scan != 0;
  row.rx = RxOptionLook(c);
  row.tx = TxOptionLook(c);
  return row;
}

std::string channel_page::TimeoutItemText(int item) {
  return item == 0 ? "No Timer" : std::to_string(item * kTimeoutStepSec);
}

std::string channel_page::HangItemText(int item) {
  return item == 0 ? "No Timer" : std::to_string(kShortestHangMs + (item - 1) * kHangStepMs);
}

void ChooseTimeout(CKX200Doc& doc, int item) {
  item = std::clamp(item, 0, channel_page::kTimeoutItems - 1);
  doc.txTimeoutSec = item * kTimeoutStepSec;
  doc.txTimeoutEnabled = item > 0 ? 1 : 0;
}

void ChooseHangTime(CKX200Doc& doc, int item) {
  item = std::clamp(item, 0, channel_page::kHangItems - 1);
  doc.hangOnTimeMs = item > 0 ? kShortestHangMs + (item - 1) * kHangStepMs : 0;
  doc.hangOnEnabled = item > 0 ? 1 : 0;
}

void SetBusyLockout(CKX200Doc& doc, bool on) {
  doc.busyLockoutEnabled = on ? 1 : 0;
  if (!on) doc.txMatchedSatEnabled = 0;
}

bool ApplyTxDelayRule(CKX200Doc& doc) {
  if (doc.ffsk && doc.modemEnabled) {
    doc.txDelayEnabled = 0;
    return false;
  }
  return true;
}

void SetPowerSave(CKX200Doc& doc, bool on) {
  doc.powerSaveEnabled = on ? 1 : 0;
}

void ShowPowerSave(const CKX200Doc& doc, ChannelPageView& view) {
  view.powerSave = doc.powerSaveEnabled != 0;
  view.powerSaveControlsEnabled = view.powerSave;
  if (view.powerSave) {
    view.delayItem = std::clamp(doc.powerSaveDelayIndex, 0, channel_page::kDelayItems - 1);
    view.rxOffText = std::to_string(doc.powerSaveOnMs);
    view.rxOnText = std::to_string(doc.powerSaveOffMs);
  } else {
    // The stored times stay; the page shows them as 0 while power save is off.
    view.delayItem = 0;
    view.rxOffText = view.rxOnText = "0";
  }
}

ChannelPageView LoadChannelPage(CKX200Doc& doc) {
  ChannelPageView view;
  for (std::size_t i = 0; i < view.rows.size(); ++i)
    view.rows[i] = RowView(doc.channels[i]);

  // A stored time outside the list (a damaged file) shows as the nearest item.
  if (doc.hangOnEnabled) {
    const int ms = std::clamp(doc.hangOnTimeMs, kShortestHangMs, kLongestHangMs);
    view.hangItem = (ms - kShortestHangMs) / kHangStepMs + 1;
  } else {
    doc.hangOnTimeMs = 0;
  }
  view.timeoutItem = doc.txTimeoutEnabled ? std::clamp(doc.txTimeoutSec / kTimeoutStepSec, 0,
                                                       channel_page::kTimeoutItems - 1)
                                          : 0;
  view.txDelayEnabled = ApplyTxDelayRule(doc);
  view.txDelay = doc.txDelayEnabled != 0;
  view.busyLockout = doc.busyLockoutEnabled != 0;
  SetBusyLockout(doc, view.busyLockout);
  view.txMatchedSat = doc.txMatchedSatEnabled != 0;
  view.txMatchedSatEnabled = view.busyLockout;
  ChooseTimeout(doc, view.timeoutItem);
  ShowPowerSave(doc, view);
  return view;
}

TimeEdit ValidateRxOffTime(std::string_view text) {
  return validateTime(kRxOffTime, text);
}

TimeEdit ValidateRxOnTime(std::string_view text) {
  return validateTime(kRxOnTime, text);
}

}  // namespace kx
