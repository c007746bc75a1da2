#include "rules/ChannelOption.h"

#include <algorithm>

#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ValueText.h"
#include "rules/AccessCode.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {
constexpr const char* kOutOfRangeChannel = "Out of range channel";

// A kind as the radio group shows it. The KX600 shows what is stored; the other models know no
// two-tone, so anything past CTCSS shows as DCS. A value no kind has shows as none.
int shownKind(const ModelTraits& traits, std::int32_t stored, int lastKind) {
  if (stored < kOptionNone || stored > lastKind) return kOptionNone;
  if (traits.storedKindsShown) return stored;
  return stored <= kOptionCtcss ? stored : kOptionDcs;
}
}  // namespace

ChannelOptionEditor::ChannelOptionEditor(CKX200Doc& doc) : doc_(doc) {
  view_.channel = std::clamp(doc.currentChannel, 1, kChannelCount);
  savedChannel_ = view_.channel;
  saved_ = working();
  load();
}

ChannelRecord& ChannelOptionEditor::working() {
  return doc_.channels.at(static_cast<std::size_t>(view_.channel - 1));
}

void ChannelOptionEditor::load() {
  const ChannelRecord& c = working();
  const ModelTraits& traits = Traits(doc_.modelType);
  view_.captions = {value_text::CtcssTone(c.rxCtcssHz), value_text::DcsCode(c.rxDcsCode),
                    value_text::TwoToneGroup(c.twoToneSelect), value_text::CtcssTone(c.txCtcssHz),
                    value_text::DcsCode(c.txDcsCode)};
  view_.rxKind = shownKind(traits, c.rxOption, kOptionTwoTone);
  view_.txKind = shownKind(traits, c.txOption, kOptionDcs);
  view_.rxDcsAvailable = true;
  view_.txDcsAvailable = true;
  // The lock keeps the two-tone values shut, not the radio: choosing "Two Tone" is how the
  // technician reaches the access code that lifts the lock.
  view_.twoToneAvailable = traits.twoToneChoice;
  enableValues();
}

void ChannelOptionEditor::enableValues() {
  auto& on = view_.valueEnabled;
  on[index(OptionValue::kRxCtcss)] = view_.rxKind == kOptionCtcss;
  on[index(OptionValue::kRxDcs)] = view_.rxKind == kOptionDcs;
  on[index(OptionValue::kTwoTone)] =
      view_.rxKind == kOptionTwoTone && Traits(doc_.modelType).twoToneChoice && !doc_.twoToneLocked;
  on[index(OptionValue::kTxCtcss)] = view_.txKind == kOptionCtcss;
  on[index(OptionValue::kTxDcs)] = view_.txKind == kOptionDcs;
}

std::vector<Notice> ChannelOptionEditor::toneWarning() {
  if (!doc_.gmsk || !doc_.modemEnabled || doc_.gmskToneWarned) return {};
  doc_.gmskToneWarned = 1;
  return {Notice::warning(kGmskToneWarning)};
}

std::vector<Notice> ChannelOptionEditor::ChooseRxKind(int kind) {
  kind = std::clamp(kind, static_cast<int>(kOptionNone), static_cast<int>(kOptionDcs));
  std::vector<Notice> warnings = kind == kOptionNone ? std::vector<Notice>{} : toneWarning();
  working().rxOption = kind;
  view_.rxKind = kind;
  enableValues();
  return warnings;
}

std::vector<Notice> ChannelOptionEditor::ChooseTxKind(int kind) {
  kind = std::clamp(kind, static_cast<int>(kOptionNone), static_cast<int>(kOptionDcs));
  std::vector<Notice> warnings = kind == kOptionCtcss ? toneWarning() : std::vector<Notice>{};
  working().txOption = kind;
  view_.txKind = kind;
  enableValues();
  return warnings;
}

ChannelOptionEditor::TwoToneStart ChannelOptionEditor::ChooseTwoTone() {
  TwoToneStart start{toneWarning(), false};
  if (doc_.ffsk && doc_.modemEnabled && !doc_.ffskTwoToneWarned) {
    doc_.ffskTwoToneWarned = 1;
    start.warnings.push_back(Notice::warning(kFfskTwoToneWarning));
  }
  if (doc_.twoToneUnlocked) {
    FinishTwoTone(true);
  } else {
    start.needsCondition = true;
  }
  return start;
}

void ChannelOptionEditor::FinishTwoTone(bool conditionAccepted) {
  if (!conditionAccepted) {
    // Nothing was chosen; the condition dialog may have locked two-tone and taken it off every
    // channel, so the dialog shows the document again.
    load();
    return;
  }
  const bool unlocked = doc_.twoToneUnlocked || doc_.twoToneCodeEntered == kAccessCode;
  if (!unlocked && doc_.twoToneLocked) {
    // A wrong or empty code while the lock is on changes nothing: the channel keeps its
    // signalling, so a write never sends a two-tone receive the access code did not allow.
    load();
    return;
  }
  doc_.twoToneUnlocked = unlocked ? 1 : 0;
  working().rxOption = kOptionTwoTone;
  working().twoToneSelect = kToneBoth;
  view_.rxKind = kOptionTwoTone;
  view_.captions[index(OptionValue::kTwoTone)] = value_text::TwoToneGroup(kToneBoth);
  enableValues();
  // With the lock already off, a wrong code leaves two-tone chosen but without a value to set.
  if (!unlocked) view_.valueEnabled[index(OptionValue::kTwoTone)] = false;
}

void ChannelOptionEditor::PickCtcss(bool rx, std::string_view text) {
  const double hz = ParseDecimalText(text);
  (rx ? working().rxCtcssHz : working().txCtcssHz) = hz;
  view_.captions[index(rx ? OptionValue::kRxCtcss : OptionValue::kTxCtcss)] = std::string(text);
}

void ChannelOptionEditor::PickDcs(bool rx, std::string_view text) {
  const int code = ParseDecimalInt(text);
  (rx ? working().rxDcsCode : working().txDcsCode) = code;
  view_.captions[index(rx ? OptionValue::kRxDcs : OptionValue::kTxDcs)] = std::string(text);
}

void ChannelOptionEditor::SetTwoToneCaption(std::string caption) {
  view_.captions[index(OptionValue::kTwoTone)] = std::move(caption);
}

std::optional<Notice> ChannelOptionEditor::Advance() {
  std::optional<Notice> notice;
  if (++view_.channel > kChannelCount) {
    notice = Notice::warning(kOutOfRangeChannel);
    view_.channel = 1;
  }
  doc_.currentChannel = view_.channel;
  load();
  return notice;
}

void ChannelOptionEditor::Cancel() {
  ChannelRecord& c = doc_.channels.at(static_cast<std::size_t>(savedChannel_ - 1));
  c.rxCtcssHz = saved_.rxCtcssHz;
  c.txCtcssHz = saved_.txCtcssHz;
  c.rxDcsCode = saved_.rxDcsCode;
  c.txDcsCode = saved_.txDcsCode;
  c.twoToneSelect = saved_.twoToneSelect;
  c.rxOption = saved_.rxOption;
  c.txOption = saved_.txOption;
}

}  // namespace kx
