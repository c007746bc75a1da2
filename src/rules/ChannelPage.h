#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/ChannelRecord.h"
#include "model/Outcome.h"
#include "model/RadioOptions.h"

namespace kx {

class CKX200Doc;

// The colour class of an option button; its background comes from the signalling colours.
enum class SignallingClass { kNone, kStandardCtcss, kNonStandardCtcss, kDcs, kTwoTone };
// The background of a class, 0x00BBGGRR; nothing for kNone (the button's own background).
std::optional<std::uint32_t> BackgroundOf(SignallingClass colourClass);

// The class of a CTCSS tone: standard, or one of the non-standard tones.
SignallingClass CtcssClass(double hz);

// What an option button of the channel page shows.
struct OptionButtonLook {
  std::string caption;
  SignallingClass colourClass = SignallingClass::kNone;
};
// Empty for a channel without both frequencies; otherwise "NO", the tone, the code, or the
// two-tone group.
OptionButtonLook RxOptionLook(const ChannelRecord& channel);
OptionButtonLook TxOptionLook(const ChannelRecord& channel);

// Captions of the row check boxes.
inline const char* WidthCaption(bool wide) {
  return wide ? "Wide" : "Narrow";
}
inline const char* PowerCaption(bool high) {
  return high ? "High" : "Low";
}

// "Fill Rx/Tx Freq. first" for a channel without both frequencies; nothing when its option
// dialog may open.
std::optional<Notice> OptionDialogRefusal(const ChannelRecord& channel);

// One row as the page shows it.
struct ChannelRowView {
  std::string rxText, txText;
  bool wide = false, highPower = false, scan = false;
  OptionButtonLook rx, tx;
};
ChannelRowView RowView(const ChannelRecord& channel);

// The radio-wide controls of the page.
namespace channel_page {
constexpr int kTimeoutItems = 100;                                   // "No Timer", "10" .. "990"
constexpr int kHangItems = 184;                                      // "No Timer", "180" .. "2000"
constexpr int kDelayItems = option_steps::kPowerSaveDelaySec.count;  // "1" .. "5" seconds
std::string TimeoutItemText(int item);
std::string HangItemText(int item);
}  // namespace channel_page

struct ChannelPageView {
  std::array<ChannelRowView, 16> rows;
  int timeoutItem = 0;
  int hangItem = 0;
  bool busyLockout = false;
  bool txMatchedSat = false, txMatchedSatEnabled = false;
  bool txDelay = false, txDelayEnabled = true;
  bool powerSave = false, powerSaveControlsEnabled = false;
  int delayItem = 0;
  std::string rxOffText, rxOnText;  // Rx Off Time (powerSaveOnMs), Rx On Time (powerSaveOffMs)
};
// The whole page from the document. Loading also applies the page's rules to the document: a
// hang time that is off reads 0, Tx matched SAT goes with busy channel lockout, Tx Delay is off
// while the FFSK modem is on, the time-out follows its list item.
ChannelPageView LoadChannelPage(CKX200Doc& doc);

// The radio-wide controls changed. Each writes the document and says what the page now shows.
void ChooseTimeout(CKX200Doc& doc, int item);
void ChooseHangTime(CKX200Doc& doc, int item);
void SetBusyLockout(CKX200Doc& doc, bool on);  // off also clears Tx matched SAT
// Tx Delay cannot be used with the FFSK modem on: cleared and disabled then. Returns whether
// the box is enabled.
bool ApplyTxDelayRule(CKX200Doc& doc);
void SetPowerSave(CKX200Doc& doc, bool on);
// The power-save part of the page view (list item, texts, enabling) for the document.
void ShowPowerSave(const CKX200Doc& doc, ChannelPageView& view);

// A power-save time edit lost the focus: the value stored, its text, and the message when it
// was refused.
struct TimeEdit {
  int value = 0;
  std::string text;
  std::optional<Notice> notice;
};
TimeEdit ValidateRxOffTime(std::string_view text);  // powerSaveOnMs: 20..400, step 10
TimeEdit ValidateRxOnTime(std::string_view text);   // powerSaveOffMs: 30..270, 20 apart from 30

}  // namespace kx
