#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/ModemSteps.h"

namespace kx {

class CKX200Doc;

namespace option_steps {
// The channel page's power-save delay list, "1" .. "5" seconds.
constexpr ValueSteps kPowerSaveDelaySec{1, 1, 5};
}  // namespace option_steps

// The radio-wide options, in the order of the table below.
enum class OptionId {
  kModel,
  kSubBand,
  // The channel page's radio-wide controls.
  kTimeoutTimer,
  kHangTimer,
  kBusyLockout,
  kTxMatchedSat,
  kTxDelay,
  kPowerSave,
  kPowerSaveDelay,
  kRxOffTime,
  kRxOnTime,
  // The system option page and its GPS part.
  kSquelch,
  kSquelchCheck,
  kBeepOnHangOn,
  kTxToneForDataInput,
  kExternalModulation,
  kScanDelay,
  kScanSpeed,
  kGps,
  kGpsCycle,
  kGpsDataTime,
  kGpsDataDelay,
  // The modem page.
  kModemType,
  kAfskFlavour,
  kModem,
  kSBandBaud,
  kNBandBaud,
  kBaseBlock,
  kBaseBlockSize,
  kPreamble,
  kWaitForBusy,
  kFlowControl,
  kTxDelay1,
  kTxDelay2,
  kStartBitErrors,
  kByteCount,
  kModemMode,
  kTxForcing,
  kInitDataForHt,
  kTxOffDelay,
  kTxOnDelay,
  kRxOnDelay,
  // Bytes of the radio's memory the configuration file carries.
  kRegB8,
  kRegB6,
};

// A document field an option keeps, and the name an undo step takes when it changes: the label
// of the control that edits it, as the page shows it and a screen reader speaks it ("" for a
// field no control edits: its change is a configuration change). A pair of radios, and the
// modem button whose caption follows its state, name the one the field now stands at: name
// while the field holds offValue, onName otherwise.
struct OptionMember {
  bool (*differs)(const CKX200Doc&, const CKX200Doc&) = nullptr;
  std::int32_t (*value)(const CKX200Doc&) = nullptr;
  void (*store)(CKX200Doc&, std::int32_t) = nullptr;
  std::string_view name{};
  std::int32_t offValue = 0;
  std::string_view onName{};  // "" where the name does not follow the value

  std::string_view NameAfter(const CKX200Doc& after) const {
    return !onName.empty() && value(after) != offValue ? onName : name;
  }
};

// How an option's value is written as text.
enum class OptionForm {
  kFlag,    // ON or OFF
  kSteps,   // a number of a stepped list; the document keeps its position
  kChoice,  // a word of a list
  kNumber,  // a number a page's rule checks
  kByte,    // 0 .. 255
  kOwn,     // written and read by a rule of its own (the timers, the modem type, the baud rates)
};

// A word of a list and the value it stands for. Several words may name one value; the first
// is the one written.
struct OptionChoice {
  std::string_view text;
  std::int32_t value;
};

// A range an edit takes: lowest .. highest in steps (the radio counts the modem delays in 2 ms).
struct ValueRange {
  int lowest = 0;
  int highest = 0;
  int step = 1;
};

// One radio-wide option: the document fields it keeps, its names (the page's label as undo
// names it, and in the text forms its group, key, label and unit), the values it takes and the
// value text of its data sheet line. Generic consumers (the YAML form, the comparison, the undo
// names, the data sheet) read this table and keep none of their own.
struct RadioOption {
  OptionId id;
  // The text forms: a YAML configuration's group and key (the unit in the key), and how a
  // comparison and kxtool name it; group "" where the text forms do not carry it.
  std::string_view group{}, key{}, label{}, unit{};
  std::array<OptionMember, 3> members;  // the first is the one a generic form writes
  OptionForm form;
  ValueSteps steps{};                       // kSteps
  std::span<const OptionChoice> choices{};  // kChoice
  ValueRange range{};                       // kNumber, where the page shows its range
  // The value text of its data sheet line; nullptr where the sheet prints none of its own (the
  // hang time is in every channel row, the squelch check in the squelch line).
  std::string (*sheetValue)(const CKX200Doc&) = nullptr;
  // A control that changes other options too names an undo step that changes them: the higher
  // the rank, the earlier it is asked (a model choice, the modem type, the AFSK flavour that sets
  // the mode, the mode that resets the flow control, the flow control that clears the block).
  int namedFirst = 0;

  std::span<const OptionMember> Members() const;
  // The label of the control that edits it, as the page shows it and a screen reader speaks it.
  std::string_view PageName() const { return members[0].name; }
  std::int32_t Value(const CKX200Doc& doc) const { return members[0].value(doc); }
  void Store(CKX200Doc& doc, std::int32_t value) const { members[0].store(doc, value); }
};

std::span<const RadioOption> RadioOptions();
const RadioOption& Option(OptionId id);

}  // namespace kx
