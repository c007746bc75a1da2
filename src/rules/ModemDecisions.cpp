#include "rules/ModemDecisions.h"

#include <algorithm>
#include <iterator>

#include "model/ModelTraits.h"
#include "model/ModemSteps.h"
#include "model/OptionKind.h"
#include "model/RadioOptions.h"
#include "rules/ChannelOption.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {

constexpr const char* kSelectModemType = "You should select GMSK, FFSK or AFSK!";
constexpr const char* kExternalModulation =
    "You cannot use Modem with External Modulation at the same time!\r\nYou should remove the "
    "check on the External Modulation on SYS/GPS tab.";
constexpr const char* kNotInDumbMode = "It is not used in Dumb Mode!";

using modem::kAutoMode;
using modem::kDumbMode;
using modem::kFlowNone;
using modem::kFlowXonXoff;
// "400" in the Tx Delay Time 2 list.
constexpr int kTxDelay2Of400 =
    (400 - modem_steps::kTxDelay2Ms.first) / modem_steps::kTxDelay2Ms.step;
// What an empty delay reads as.
constexpr int kTxOnDelayDefault = 20;
constexpr int kRxOnDelayDefault = 6;

struct DelayRule {
  OptionId option;  // its field and range (the radio counts in 2 ms)
  const char* message;
};
// The Tx On and Rx On messages name one more than the highest value taken.
constexpr DelayRule kTxOffDelay{OptionId::kTxOffDelay, "Valid Settings 0 - 16 ms"};
constexpr DelayRule kTxOnDelay{OptionId::kTxOnDelay, "Valid Settings 0 - 255 ms"};
constexpr DelayRule kRxOnDelay{OptionId::kRxOnDelay, "Valid Settings 0 - 127 ms"};

// The page's lists, in ModemListId order.
constexpr OptionId kListOptions[] = {
    OptionId::kSBandBaud, OptionId::kNBandBaud,   OptionId::kBaseBlockSize,
    OptionId::kPreamble,  OptionId::kWaitForBusy, OptionId::kFlowControl,
    OptionId::kTxDelay1,  OptionId::kTxDelay2,    OptionId::kStartBitErrors,
};
static_assert(std::size(kListOptions) == kModemListCount);

// Dumb mode has no flow control and no base block.
void decideDumbMode(CKX200Doc& doc) {
  doc.modemMode = kDumbMode;
  doc.flowControl = kFlowNone;
  doc.baseBlockEnabled = 0;
}

void decideAutoMode(CKX200Doc& doc) {
  doc.modemMode = kAutoMode;
  doc.flowControl = kFlowXonXoff;
}

void decideFlowControl(CKX200Doc& doc, int position) {
  // Dumb mode's one entry is the flow control already stored: choosing it changes nothing.
  if (doc.modemMode == kDumbMode) return;
  doc.flowControl = position;
  // No flow control, no base block.
  if (position == kFlowNone) doc.baseBlockSizeIndex = 0;
}

void armModemWarnings(CKX200Doc& doc) {
  doc.gmskToneWarned = doc.ffskTwoToneWarned = 0;
}

}  // namespace

std::vector<Notice> ModemDecision::Notices() const {
  std::vector<Notice> all;
  if (refusal) all.push_back(*refusal);
  all.insert(all.end(), warnings.begin(), warnings.end());
  return all;
}

OptionId ModemListOption(ModemListId list) {
  return kListOptions[static_cast<std::size_t>(list)];
}

BaudStart StartingBaudRates(ModemType type) {
  switch (type) {
    case ModemType::kGmsk:
      return {1, 0};  // 9600, 4800 bps
    case ModemType::kFfsk:
      return {2, 1};  // 4800, 2400 bps
    case ModemType::kAfsk:
      break;
  }
  return {0, 0};  // 1200 bps, the one rate
}

bool DecideModemOnLoad(CKX200Doc& doc) {
  const ModelTraits& traits = Traits(doc.modelType);
  if (traits.modemAfskDumbOnly) {
    doc.modemMode = kDumbMode;
    if (doc.modemEnabled && (doc.ffsk || doc.gmsk)) {
      doc.ffsk = doc.gmsk = 0;
      doc.afsk = 1;
    }
    if (!doc.modemEnabled) doc.ffsk = doc.gmsk = 0;
  }
  // A modem with no type cannot be on: the page shows "Modem Disable", and the radio must not
  // get an enabled modem either (with neither GMSK nor AFSK set it would run FFSK).
  if (doc.modemEnabled && !doc.gmsk && !doc.ffsk && !doc.afsk) doc.modemEnabled = 0;
  if (doc.txOnDelayMs == 0) doc.txOnDelayMs = kTxOnDelayDefault;
  if (doc.rxOnDelayMs == 0) doc.rxOnDelayMs = kRxOnDelayDefault;

  if (!traits.afskFlavourPicksMode || !doc.afsk) return false;
  // V23 runs in Auto mode, BELL 202 in Dumb mode only. A configuration already in its mode
  // keeps its flow control; only a change of mode sets it.
  const int mode = doc.afskBell202 ? kDumbMode : kAutoMode;
  if (doc.modemMode == mode) return false;
  DecideModemMode(doc, mode == kDumbMode);
  return true;
}

void DecideModemType(CKX200Doc& doc, ModemType type, bool on) {
  std::int32_t& ticked = type == ModemType::kGmsk   ? doc.gmsk
                         : type == ModemType::kFfsk ? doc.ffsk
                                                    : doc.afsk;
  ticked = on ? 1 : 0;
  if (!on) {
    // Clearing the type switches the modem off.
    DecideModemOff(doc);
    return;
  }
  const BaudStart start = StartingBaudRates(type);
  doc.sBandBaudIndex = start.sBand;
  doc.nBandBaudIndex = start.nBand;
  if (type != ModemType::kAfsk) return;
  doc.gmsk = doc.ffsk = 0;
  if (Traits(doc.modelType).afskFlavourPicksMode) DecideModemMode(doc, doc.afskBell202 != 0);
}

void DecideAfskFlavour(CKX200Doc& doc, bool bell202) {
  doc.afskBell202 = bell202 ? 1 : 0;
  if (bell202 && doc.afsk && Traits(doc.modelType).afskFlavourPicksMode) decideDumbMode(doc);
}

ModemDecision DecideModemOn(CKX200Doc& doc) {
  ModemDecision d;
  const char* refusal = nullptr;
  if (!doc.gmsk && !doc.ffsk && !doc.afsk)
    refusal = kSelectModemType;
  else if (doc.externalModulation)
    refusal = kExternalModulation;
  if (refusal) {
    doc.modemEnabled = 0;
    d.refusal = Notice::warning(refusal);
    return d;
  }
  doc.modemEnabled = 1;
  // The radio cannot scan with the modem on: the technician says which of the two stays.
  if (std::ranges::any_of(doc.channels, [](const ChannelRecord& c) { return c.scan != 0; })) {
    doc.modemRequestPending = 1;
    d.askScanWarning = true;
  }
  return d;
}

void AnswerScanWarning(CKX200Doc& doc, bool yes) {
  if (doc.modemRequestPending) {
    if (yes) {
      for (ChannelRecord& c : doc.channels)
        c.scan = 0;
    } else {
      doc.modemEnabled = 0;
    }
  }
  doc.modemRequestPending = 0;
}

ModemDecision DecideModemSwitched(CKX200Doc& doc) {
  ModemDecision d;
  if (!doc.modemEnabled) {
    armModemWarnings(doc);
    return d;
  }
  for (const ChannelRecord& c : doc.channels) {
    if (doc.gmsk && (c.rxOption != kOptionNone || c.txOption != kOptionNone))
      d.warnings.push_back(Notice::warning(kGmskToneWarning));
    if (doc.ffsk && c.rxOption == kOptionTwoTone)
      d.warnings.push_back(Notice::warning(kFfskTwoToneWarning));
  }
  return d;
}

void DecideModemOff(CKX200Doc& doc) {
  doc.modemEnabled = 0;
  armModemWarnings(doc);
}

ModemDecision DecideBaseBlock(CKX200Doc& doc, bool on) {
  ModemDecision d;
  if (on && doc.modemMode == kDumbMode) {
    d.refusal = Notice::warning(kNotInDumbMode);
    doc.baseBlockEnabled = 0;
    return d;
  }
  doc.baseBlockEnabled = on ? 1 : 0;
  // Cleared, the list shows "NONE", and so does the document: ticking the box again must not
  // send a size the list does not show.
  if (!on) doc.baseBlockSizeIndex = 0;
  return d;
}

ModemDecision DecideTxDelay2(CKX200Doc& doc, int position) {
  ModemDecision d;
  doc.txDelay2Index = position;
  const char* refusal = Traits(doc.modelType).shortTxDelay2Refusal;
  if (refusal && position < kTxDelay2Of400) {
    d.refusal = Notice::stop(refusal);
    doc.txDelay2Index = kTxDelay2Of400;
  }
  return d;
}

ModemDecision DecideModemList(CKX200Doc& doc, ModemListId list, int position) {
  if (list == ModemListId::kFlowControl) {
    decideFlowControl(doc, position);
    return {};
  }
  if (list == ModemListId::kTxDelay2) return DecideTxDelay2(doc, position);
  // An id made by a cast from outside the page's lists stores nothing.
  if (static_cast<std::size_t>(list) < kModemListCount)
    Option(ModemListOption(list)).Store(doc, position);
  return {};
}

void DecideModemMode(CKX200Doc& doc, bool dumb) {
  if (dumb)
    decideDumbMode(doc);
  else
    decideAutoMode(doc);
}

void DecideModemDefaults(CKX200Doc& doc) {
  doc.baseBlockSizeIndex = 0;
  doc.preambleSizeIndex = 2;
  doc.waitForBusyIndex = 9;
  doc.byteCountIndex = 2;
  doc.flowControl = kFlowXonXoff;
  doc.txDelay1Index = 3;
  doc.txDelay2Index = Traits(doc.modelType).defaultButtonTxDelay2Index;
  doc.startBitErrors = 0;
  doc.baseBlockEnabled = 0;
}

TimeEdit ValidateModemDelay(CKX200Doc& doc, ModemDelay delay, std::string_view text) {
  const DelayRule& rule = delay == ModemDelay::kTxOff  ? kTxOffDelay
                          : delay == ModemDelay::kTxOn ? kTxOnDelay
                                                       : kRxOnDelay;
  // The typed value is checked, then floored to the step: 255 ms is refused, 253 ms is 252.
  const RadioOption& option = Option(rule.option);
  const ValueRange& range = option.range;
  const int typed = ParseDecimalInt(text);
  TimeEdit edit;
  if (typed < range.lowest || typed > range.highest) {
    edit.value = 0;
    edit.notice = Notice::stop(rule.message);
  } else {
    edit.value = typed / range.step * range.step;
  }
  option.Store(doc, edit.value);
  edit.text = std::to_string(edit.value);
  return edit;
}

void SetTxForcing(CKX200Doc& doc, bool on) {
  doc.txForcingMode = on ? 1 : 0;
}

void SetInitDataForHt(CKX200Doc& doc, bool on) {
  doc.initDataForHt = on ? 1 : 0;
}

}  // namespace kx
