#include "textio/OptionFields.h"

#include <array>
#include <cstdint>
#include <vector>

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ModemSteps.h"
#include "model/RadioOptions.h"
#include "rules/ChannelPage.h"
#include "rules/ModemDecisions.h"
#include "rules/SystemPage.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

using text_values::EqualNoCase;
using text_values::Trimmed;

constexpr const char* kNoTimer = "No Timer";
constexpr const char* kAfskDumbOnly = "this model runs AFSK in Dumb Mode only";
constexpr std::string_view kNoModem = "none";

FieldTake refused(std::string text) {
  return {std::move(text), false};
}
std::string quoted(std::string_view text) {
  return text_values::Quoted(text);
}

// ---- the forms of the options' table

std::string flagText(const RadioOption& o, const CKX200Doc& d) {
  return text_values::FlagText(o.Value(d));
}
FieldTake takeFlag(const RadioOption& o, CKX200Doc& d, std::string_view text) {
  const auto flag = text_values::ParseFlag(text);
  if (!flag) return refused(quoted(text) + " is not ON or OFF");
  o.Store(d, *flag);
  return {};
}

// List entries that are numbers: first, first + step, ... (count entries).
using Steps = ValueSteps;

std::string stepsText(const Steps& s) {
  const int last = s.last();
  if (s.step == 1) return FormatText("one of %d .. %d", s.first, last);
  return FormatText("one of %d .. %d in steps of %d", s.first, last, s.step);
}

// In 64 bits: a written number may be anything a 32-bit field holds.
std::optional<int> positionIn(const Steps& s, std::string_view text) {
  const auto v = text_values::ParseWhole(text);
  if (!v) return std::nullopt;
  const std::int64_t offset = std::int64_t{*v} - s.first;
  if (offset % s.step != 0 || offset < 0 || offset / s.step >= s.count) return std::nullopt;
  return static_cast<int>(offset / s.step);
}

// A position outside the list (a damaged file holds any 32-bit value) is written as it is,
// before any arithmetic, and refused on the way back.
std::string stepText(const RadioOption& o, const CKX200Doc& d) {
  const std::int32_t position = o.Value(d);
  if (position < 0 || position >= o.steps.count) return "index " + std::to_string(position);
  return std::to_string(o.steps.valueAt(position));
}
FieldTake takeStep(const RadioOption& o, CKX200Doc& d, std::string_view text) {
  const auto position = positionIn(o.steps, text);
  if (!position) return refused(quoted(text) + " is not " + stepsText(o.steps));
  o.Store(d, *position);
  return {};
}

// List entries that are words; several words may name one value, the first is written.
using Choices = std::span<const OptionChoice>;

std::string choicesText(Choices choices) {
  std::string list;
  for (const OptionChoice& c : choices) {
    if (list.find(std::string(c.text)) == std::string::npos)
      list += (list.empty() ? "" : ", ") + std::string(c.text);
  }
  return list;
}
std::optional<std::int32_t> valueNamed(Choices choices, std::string_view text) {
  for (const OptionChoice& c : choices) {
    if (EqualNoCase(Trimmed(text), c.text)) return c.value;
  }
  return std::nullopt;
}
std::string choiceText(const RadioOption& o, const CKX200Doc& d) {
  const std::int32_t value = o.Value(d);
  for (const OptionChoice& c : o.choices) {
    if (c.value == value) return std::string(c.text);
  }
  return std::to_string(value);  // no entry has it (a damaged file): refused on the way back
}
FieldTake takeChoice(const RadioOption& o, CKX200Doc& d, std::string_view text) {
  const auto value = valueNamed(o.choices, text);
  if (!value) return refused(quoted(text) + " is not one of " + choicesText(o.choices));
  o.Store(d, *value);
  return {};
}

std::string numberText(const RadioOption& o, const CKX200Doc& d) {
  return std::to_string(o.Value(d));
}
FieldTake takeWhole(const RadioOption& o, CKX200Doc& d, std::string_view text) {
  const auto v = text_values::ParseWhole(text);
  if (!v) return refused(quoted(text) + " is not a number");
  o.Store(d, *v);
  return {};
}
FieldTake takeByte(const RadioOption& o, CKX200Doc& d, std::string_view text) {
  const auto v = text_values::ParseWhole(text);
  if (!v || *v < 0 || *v > 255) return refused(quoted(text) + " is not a byte 0 .. 255");
  o.Store(d, *v);
  return {};
}

// ---- the timers' lists: "No Timer" or a time of the list

struct TimerList {
  int first, step, items;  // items counts "No Timer" too
};
constexpr TimerList kTimeoutList{10, 10, channel_page::kTimeoutItems};
constexpr TimerList kHangList{180, 10, channel_page::kHangItems};

template <const TimerList& L>
std::optional<int> timerItem(std::string_view text) {
  const std::string_view t = Trimmed(text);
  if (EqualNoCase(t, kNoTimer) || EqualNoCase(t, "OFF") || t == "0") return 0;
  const auto position = positionIn({L.first, L.step, L.items - 1}, t);
  if (!position) return std::nullopt;
  return *position + 1;
}
template <const TimerList& L>
std::string timerRange() {
  return FormatText("%s or %d .. %d in steps of %d", kNoTimer, L.first,
                    L.first + (L.items - 2) * L.step, L.step);
}

std::string showTimeout(const CKX200Doc& d) {
  return d.txTimeoutEnabled ? std::to_string(d.txTimeoutSec) : kNoTimer;
}
FieldTake takeTimeout(CKX200Doc& d, std::string_view text) {
  const auto item = timerItem<kTimeoutList>(text);
  if (!item) return refused(quoted(text) + " is not " + timerRange<kTimeoutList>());
  ChooseTimeout(d, *item);
  return {};
}
std::string showHang(const CKX200Doc& d) {
  return d.hangOnEnabled ? std::to_string(d.hangOnTimeMs) : kNoTimer;
}
FieldTake takeHang(CKX200Doc& d, std::string_view text) {
  const auto item = timerItem<kHangList>(text);
  if (!item) return refused(quoted(text) + " is not " + timerRange<kHangList>());
  ChooseHangTime(d, *item);
  return {};
}

// ---- edits checked when they are left: the page's own rule and message

// The edit's text for a written number, which must be one. A number too large for the field
// keeps all its digits, so the page's rule refuses it with its own message.
std::optional<std::string> editText(std::string_view text) {
  const auto v = text_values::ParseNumber(text);
  if (!v) return std::nullopt;
  return text_values::EditText(*v);
}

template <OptionId O, typename Edit>
FieldTake stored(CKX200Doc& d, std::string_view text, const Edit& edit) {
  if (edit.notice) return refused(edit.notice->text);
  Option(O).Store(d, edit.value);
  return {std::nullopt, *text_values::ParseNumber(text) != edit.value};
}

template <OptionId O, TimeEdit (*Validate)(std::string_view)>
FieldTake takeTime(CKX200Doc& d, std::string_view text) {
  const auto edit = editText(text);
  if (!edit) return refused(quoted(text) + " is not a number");
  return stored<O>(d, text, Validate(*edit));
}
template <OptionId O, SystemEdit (*Validate)(std::string_view, int)>
FieldTake takeSystemEdit(CKX200Doc& d, std::string_view text) {
  const auto edit = editText(text);
  if (!edit) return refused(quoted(text) + " is not a number");
  return stored<O>(d, text, Validate(*edit, Option(O).Value(d)));
}
SystemEdit scanSpeed(std::string_view text, int) {
  return ValidateScanSpeed(text);
}
template <OptionId O, ModemDelay D>
FieldTake takeModemDelay(CKX200Doc& d, std::string_view text) {
  const auto edit = editText(text);
  if (!edit) return refused(quoted(text) + " is not a number");
  return stored<O>(d, text, ValidateModemDelay(d, D, *edit));
}

// ---- the modem type and its baud lists

std::string_view modemType(const CKX200Doc& d) {
  if (d.gmsk) return "GMSK";
  if (d.ffsk) return "FFSK";
  if (d.afsk) return "AFSK";
  return kNoModem;
}
std::string showModemType(const CKX200Doc& d) {
  return std::string(modemType(d));
}
FieldTake takeModemType(CKX200Doc& d, std::string_view text) {
  const std::string_view t = Trimmed(text);
  const bool none = EqualNoCase(t, kNoModem) || EqualNoCase(t, "NO");
  const bool gmsk = EqualNoCase(t, "GMSK"), ffsk = EqualNoCase(t, "FFSK");
  const bool afsk = EqualNoCase(t, "AFSK");
  if (!none && !gmsk && !ffsk && !afsk)
    return refused(quoted(text) + " is not one of none, GMSK, FFSK, AFSK");
  if ((gmsk || ffsk) && Traits(d.modelType).modemAfskDumbOnly) return refused(kAfskDumbOnly);
  // Ticking the type's box starts its baud lists at the page's rates; the rates the file names
  // come next.
  if (gmsk || ffsk || afsk) {
    const BaudStart start = StartingBaudRates(gmsk   ? ModemType::kGmsk
                                              : ffsk ? ModemType::kFfsk
                                                     : ModemType::kAfsk);
    d.sBandBaudIndex = start.sBand;
    d.nBandBaudIndex = start.nBand;
  }
  d.gmsk = gmsk;
  d.ffsk = ffsk;
  d.afsk = afsk;
  return {};
}

// The rates a list shows for the modem type, in list order; one fixed rate where the list has
// only one entry, whatever position is stored.
struct BaudList {
  std::span<const int> rates;
  bool followsIndex;
};

std::optional<BaudList> baudList(const CKX200Doc& d, bool sBand) {
  using namespace modem_rates;
  if (d.gmsk) return sBand ? BaudList{kGmskSBand, true} : BaudList{kGmskNBand, false};
  if (d.ffsk) return sBand ? BaudList{kFfskSBand, true} : BaudList{kFfskNBand, true};
  if (d.afsk) return BaudList{kAfskBand, false};
  return std::nullopt;
}

template <bool SBand>
std::string showBaud(const CKX200Doc& d) {
  const auto list = baudList(d, SBand);
  if (!list) return {};
  if (!list->followsIndex) return std::to_string(list->rates.front());
  const std::int32_t index = SBand ? d.sBandBaudIndex : d.nBandBaudIndex;
  if (index < 0 || index >= static_cast<int>(list->rates.size()))
    return "index " + std::to_string(index);
  return std::to_string(list->rates[static_cast<std::size_t>(index)]);
}
template <bool SBand>
FieldTake takeBaud(CKX200Doc& d, std::string_view text) {
  const auto list = baudList(d, SBand);
  if (!list) return refused("there is no baud rate without a modem type");
  std::string rates;
  for (std::size_t i = 0; i < list->rates.size(); ++i) {
    const std::string rate = std::to_string(list->rates[i]);
    rates += (i ? ", " : "") + rate;
    if (Trimmed(text) != rate) continue;
    if (list->followsIndex) (SBand ? d.sBandBaudIndex : d.nBandBaudIndex) = static_cast<int>(i);
    return {};
  }
  return refused(quoted(text) + " is not one of " + rates);
}

FieldTake takeFlavour(CKX200Doc& d, std::string_view text) {
  FieldTake took = takeChoice(Option(OptionId::kAfskFlavour), d, text);
  // With AFSK the flavour's radio sets the mode as on the page (BELL 202 runs in Dumb mode);
  // the mode, flow control and base block the file names come next.
  if (!took.refusal) DecideAfskFlavour(d, d.afskBell202 != 0);
  return took;
}

FieldTake takeModemMode(CKX200Doc& d, std::string_view text) {
  const RadioOption& mode = Option(OptionId::kModemMode);
  const auto value = valueNamed(mode.choices, text);
  if (value && *value != modem::kDumbMode && Traits(d.modelType).modemAfskDumbOnly)
    return refused(kAfskDumbOnly);
  return takeChoice(mode, d, text);
}

constexpr Steps kTxDelay2 = modem_steps::kTxDelay2Ms;
FieldTake takeTxDelay2(CKX200Doc& d, std::string_view text) {
  const auto position = positionIn(kTxDelay2, text);
  if (!position) return refused(quoted(text) + " is not " + stepsText(kTxDelay2));
  // The list's own rule: some models refuse the times under 400 ms.
  const ModemDecision decided = DecideTxDelay2(d, *position);
  if (decided.refusal) return refused(decided.refusal->text);
  return {};
}

// The options whose text goes through a rule of their page.
struct OwnRule {
  OptionId id;
  std::string (*show)(const CKX200Doc&);
  FieldTake (*take)(CKX200Doc&, std::string_view);
};
constexpr OwnRule kOwnRules[] = {
    {OptionId::kTimeoutTimer, showTimeout, takeTimeout},
    {OptionId::kHangTimer, showHang, takeHang},
    {OptionId::kRxOffTime, nullptr, takeTime<OptionId::kRxOffTime, ValidateRxOffTime>},
    {OptionId::kRxOnTime, nullptr, takeTime<OptionId::kRxOnTime, ValidateRxOnTime>},
    {OptionId::kScanSpeed, nullptr, takeSystemEdit<OptionId::kScanSpeed, scanSpeed>},
    {OptionId::kGpsDataTime, nullptr, takeSystemEdit<OptionId::kGpsDataTime, ValidateGpsDataTime>},
    {OptionId::kGpsDataDelay, nullptr,
     takeSystemEdit<OptionId::kGpsDataDelay, ValidateGpsDataDelay>},
    {OptionId::kModemType, showModemType, takeModemType},
    {OptionId::kAfskFlavour, nullptr, takeFlavour},
    {OptionId::kSBandBaud, showBaud<true>, takeBaud<true>},
    {OptionId::kNBandBaud, showBaud<false>, takeBaud<false>},
    {OptionId::kTxDelay2, nullptr, takeTxDelay2},
    {OptionId::kModemMode, nullptr, takeModemMode},
    {OptionId::kTxOffDelay, nullptr, takeModemDelay<OptionId::kTxOffDelay, ModemDelay::kTxOff>},
    {OptionId::kTxOnDelay, nullptr, takeModemDelay<OptionId::kTxOnDelay, ModemDelay::kTxOn>},
    {OptionId::kRxOnDelay, nullptr, takeModemDelay<OptionId::kRxOnDelay, ModemDelay::kRxOn>},
};

// Every option the text forms carry, in the table's order.
std::vector<OptionField> buildFields() {
  std::vector<OptionField> fields;
  for (const RadioOption& o : RadioOptions()) {
    if (o.group.empty()) continue;
    OptionField f{&o, o.group, o.key, o.label, o.unit};
    for (const OwnRule& rule : kOwnRules) {
      if (rule.id != o.id) continue;
      f.ownShow = rule.show;
      f.ownTake = rule.take;
    }
    fields.push_back(f);
  }
  return fields;
}
const std::vector<OptionField>& fields() {
  static const std::vector<OptionField> built = buildFields();
  return built;
}

}  // namespace

std::string OptionField::show(const CKX200Doc& doc) const {
  if (ownShow) return ownShow(doc);
  switch (option->form) {
    case OptionForm::kFlag:
      return flagText(*option, doc);
    case OptionForm::kSteps:
      return stepText(*option, doc);
    case OptionForm::kChoice:
      return choiceText(*option, doc);
    case OptionForm::kNumber:
    case OptionForm::kByte:
    case OptionForm::kOwn:
      break;
  }
  return numberText(*option, doc);
}

FieldTake OptionField::take(CKX200Doc& doc, std::string_view text) const {
  if (ownTake) return ownTake(doc, text);
  switch (option->form) {
    case OptionForm::kFlag:
      return takeFlag(*option, doc, text);
    case OptionForm::kSteps:
      return takeStep(*option, doc, text);
    case OptionForm::kChoice:
      return takeChoice(*option, doc, text);
    case OptionForm::kNumber:
    case OptionForm::kByte:
    case OptionForm::kOwn:
      break;
  }
  return option->form == OptionForm::kByte ? takeByte(*option, doc, text)
                                           : takeWhole(*option, doc, text);
}

std::span<const OptionField> OptionFields() {
  return fields();
}

const OptionField* FindOptionField(std::string_view group, std::string_view key) {
  for (const OptionField& f : fields()) {
    if (f.group == group && f.key == key) return &f;
  }
  return nullptr;
}

}  // namespace kx
