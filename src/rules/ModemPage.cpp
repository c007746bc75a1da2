#include "rules/ModemPage.h"

#include <algorithm>
#include <array>

#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ModemSteps.h"
#include "model/OptionKind.h"
#include "model/RadioOptions.h"
#include "rules/ChannelOption.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {

constexpr const char* kModemEnable = "Modem Enable";
constexpr const char* kModemDisable = "Modem Disable";
constexpr const char* kSelectModemType = "You should select GMSK, FFSK or AFSK!";
constexpr const char* kExternalModulation =
    "You cannot use Modem with External Modulation at the same time!\r\nYou should remove the "
    "check on the External Modulation on SYS/GPS tab.";
constexpr const char* kNotInDumbMode = "It is not used in Dumb Mode!";

using modem::kAutoMode;
using modem::kConditionEditable;
using modem::kConditionLocked;
using modem::kDumbMode;
constexpr int kFlowNone = 0;
constexpr int kFlowXonXoff = 1;
constexpr int kFlowRtsCts = 2;
// "400" in the Tx Delay Time 2 list.
constexpr int kTxDelay2Of400 =
    (400 - modem_steps::kTxDelay2Ms.first) / modem_steps::kTxDelay2Ms.step;

using Items = std::vector<std::string>;

// A list of words as the options' table writes them: entry n stands for value n, and a second
// word for a value (which the text forms also take) is not shown.
Items choices(OptionId option) {
  Items list;
  for (const OptionChoice& choice : Option(option).choices) {
    if (choice.value == static_cast<std::int32_t>(list.size())) list.emplace_back(choice.text);
  }
  return list;
}

// A baud list's rates.
template <std::size_t N>
Items rates(const std::array<int, N>& bps) {
  Items list;
  for (const int rate : bps)
    list.push_back(std::to_string(rate));
  return list;
}

// first, first + step, ... : the preamble, wait-for-busy, Tx delay and start bit lists.
Items stepped(const ValueSteps& steps) {
  Items list;
  for (int i = 0; i < steps.count; ++i)
    list.push_back(std::to_string(steps.valueAt(i)));
  return list;
}

// A stored index outside the list (a damaged file) selects nothing; the document keeps it.
void select(ModemList& list, int stored) {
  list.selected = stored >= 0 && stored < static_cast<int>(list.items.size()) ? stored : -1;
}

void showBaudLists(const CKX200Doc& doc, ModemView& v) {
  if (doc.gmsk) {
    v.sBand.items = rates(modem_rates::kGmskSBand);
    v.nBand.items = rates(modem_rates::kGmskNBand);
    select(v.sBand, doc.sBandBaudIndex);
    v.nBand.selected = 0;  // GMSK has one N - BAND rate, whatever index is stored
  } else if (doc.ffsk) {
    v.sBand.items = rates(modem_rates::kFfskSBand);
    v.nBand.items = rates(modem_rates::kFfskNBand);
    select(v.sBand, doc.sBandBaudIndex);
    select(v.nBand, doc.nBandBaudIndex);
  } else if (doc.afsk) {
    v.sBand.items = v.nBand.items = rates(modem_rates::kAfskBand);
    v.sBand.selected = v.nBand.selected = 0;
  }
}

void setBaudListsEnabled(ModemView& v, bool enabled) {
  v.sBand.enabled = v.nBand.enabled = enabled;
}

void showModemButton(ModemView& v, bool on) {
  v.modem.checked = on;
  v.modemCaption = on ? kModemEnable : kModemDisable;
}

// The modem is on: the button pressed, the baud lists usable, External Modulation taken away.
void showModemOn(ModemUpdate& u) {
  showModemButton(u.view, true);
  setBaudListsEnabled(u.view, true);
  u.modemSwitched = true;
}

// The modem is off: the button released, the baud lists out of use, the modem warnings of the
// channel option dialog armed again, External Modulation given back.
void showModemOff(CKX200Doc& doc, ModemUpdate& u) {
  showModemButton(u.view, false);
  setBaudListsEnabled(u.view, false);
  doc.gmskToneWarned = doc.ffskTwoToneWarned = 0;
  u.modemSwitched = false;
}

// Clearing the modem type switched the modem off (wasOn: it was on before).
void showOffWithType(CKX200Doc& doc, ModemUpdate& u, bool wasOn) {
  showModemOff(doc, u);
  if (!wasOn) u.modemSwitched.reset();
}

bool storedFlowControl(const CKX200Doc& doc) {
  return doc.flowControl >= kFlowNone && doc.flowControl <= kFlowRtsCts;
}

// Auto mode offers the three flow controls. Dumb mode offers no choice: its list holds the one
// the radio gets, which is the stored one (the encoder sends the field in either mode).
void showFlowControl(const CKX200Doc& doc, ModemView& v) {
  if (doc.modemMode != kDumbMode) {
    v.flowControl.items = choices(OptionId::kFlowControl);
    select(v.flowControl, doc.flowControl);
  } else if (storedFlowControl(doc)) {
    v.flowControl.items = {
        choices(OptionId::kFlowControl)[static_cast<std::size_t>(doc.flowControl)]};
    v.flowControl.selected = 0;
  } else {
    v.flowControl.items.clear();  // a damaged value: nothing to show
    v.flowControl.selected = -1;
  }
}

// "No flow control, no base block": the size list needs both the box and a flow control.
bool baseBlockSizeUsable(const CKX200Doc& doc) {
  return doc.modemMode == kAutoMode && doc.baseBlockEnabled && doc.flowControl != kFlowNone;
}

// Dumb mode has no flow control and no base block.
void decideDumbMode(CKX200Doc& doc) {
  doc.modemMode = kDumbMode;
  doc.flowControl = kFlowNone;
  doc.baseBlockEnabled = 0;
}

void applyDumbMode(CKX200Doc& doc, ModemView& v) {
  decideDumbMode(doc);
  v.mode = kDumbMode;
  showFlowControl(doc, v);
  v.baseBlock.checked = false;
  v.txDelay1.enabled = v.baseBlockSize.enabled = v.waitForBusy.enabled = false;
  v.baseBlock.enabled = false;
}

void decideAutoMode(CKX200Doc& doc) {
  doc.modemMode = kAutoMode;
  doc.flowControl = kFlowXonXoff;
}

void applyAutoMode(CKX200Doc& doc, ModemView& v) {
  decideAutoMode(doc);
  v.mode = kAutoMode;
  showFlowControl(doc, v);
  v.baseBlockSize.enabled = baseBlockSizeUsable(doc);
  v.txDelay1.enabled = v.waitForBusy.enabled = v.baseBlock.enabled = true;
}

// On the KX600 the AFSK flavour decides the mode: BELL 202 runs in Dumb mode only, V23 leaves
// the choice to the technician in Auto mode.
void applyFlavourMode(CKX200Doc& doc, ModemView& v) {
  if (doc.afskBell202) {
    applyDumbMode(doc, v);
    v.modeEnabled = false;
  } else {
    applyAutoMode(doc, v);
    v.modeEnabled = true;
  }
}

// Every list of the page: what it shows and the document field that holds its position.
struct ListBinding {
  ModemListId id;
  ModemList ModemView::*list;
  std::int32_t CKX200Doc::*field;
};
constexpr ListBinding kListBindings[] = {
    {ModemListId::kSBand, &ModemView::sBand, &CKX200Doc::sBandBaudIndex},
    {ModemListId::kNBand, &ModemView::nBand, &CKX200Doc::nBandBaudIndex},
    {ModemListId::kBaseBlockSize, &ModemView::baseBlockSize, &CKX200Doc::baseBlockSizeIndex},
    {ModemListId::kPreamble, &ModemView::preamble, &CKX200Doc::preambleSizeIndex},
    {ModemListId::kWaitForBusy, &ModemView::waitForBusy, &CKX200Doc::waitForBusyIndex},
    {ModemListId::kFlowControl, &ModemView::flowControl, &CKX200Doc::flowControl},
    {ModemListId::kTxDelay1, &ModemView::txDelay1, &CKX200Doc::txDelay1Index},
    {ModemListId::kTxDelay2, &ModemView::txDelay2, &CKX200Doc::txDelay2Index},
    {ModemListId::kStartBitErrors, &ModemView::startBitErrors, &CKX200Doc::startBitErrors},
};

const ListBinding* bindingOf(ModemListId id) {
  for (const ListBinding& binding : kListBindings) {
    if (binding.id == id) return &binding;
  }
  return nullptr;
}

ModemList* listOf(ModemView& v, ModemListId id) {
  const ListBinding* binding = bindingOf(id);
  return binding ? &(v.*binding->list) : nullptr;
}

std::int32_t* fieldOf(CKX200Doc& doc, ModemListId id) {
  const ListBinding* binding = bindingOf(id);
  return binding ? &(doc.*binding->field) : nullptr;
}

void decideFlowControl(CKX200Doc& doc, int position) {
  // Dumb mode's one entry is the flow control already stored: choosing it changes nothing.
  if (doc.modemMode == kDumbMode) return;
  doc.flowControl = position;
  // No flow control, no base block.
  if (position == kFlowNone) doc.baseBlockSizeIndex = 0;
}

void showChosenFlowControl(const CKX200Doc& doc, ModemView& v) {
  if (doc.modemMode == kDumbMode) return;
  if (doc.flowControl == kFlowNone) v.baseBlockSize.selected = 0;
  v.baseBlockSize.enabled = baseBlockSizeUsable(doc);
}

void showModeRadios(const CKX200Doc& doc, ModemView& v) {
  showFlowControl(doc, v);
  if (doc.modemMode == kDumbMode) {
    v.txDelay1.enabled = false;
    v.mode = kDumbMode;
  } else if (doc.modemMode == kAutoMode) {
    v.txDelay1.enabled = true;
    v.mode = kAutoMode;
  } else {
    v.mode = 0;
  }
}

void showModemType(const CKX200Doc& doc, ModemView& v) {
  const bool typeChosen = doc.gmsk || doc.ffsk || doc.afsk;
  if (!typeChosen) {
    v.gmsk.enabled = v.ffsk.enabled = true;
    v.preamble.enabled = true;
    setBaudListsEnabled(v, false);
    v.flavourEnabled = false;
    v.gmsk.checked = v.ffsk.checked = v.afsk.checked = false;
    showModemButton(v, false);
    return;
  }
  if (doc.gmsk) {
    v.gmsk.checked = true;
    v.ffsk = v.afsk = {false, false};
    v.flavourEnabled = false;
  } else if (doc.ffsk) {
    v.ffsk.checked = true;
    v.gmsk = v.afsk = {false, false};
    v.flavourEnabled = false;
  } else {
    v.afsk.checked = true;
    v.gmsk = v.ffsk = {false, false};
    v.flavourEnabled = true;
    v.flavour = doc.afskBell202 ? 1 : 0;
  }
  showBaudLists(doc, v);
  showModemButton(v, doc.modemEnabled != 0);
  setBaudListsEnabled(v, doc.modemEnabled != 0);
}

void showSystemOption2(const CKX200Doc& doc, ModemView& v) {
  v.txForcing.checked = doc.txForcingMode != 0;
  v.initDataForHt.checked = doc.initDataForHt != 0;
  select(v.startBitErrors, doc.startBitErrors);
  v.baseBlock.checked = doc.baseBlockEnabled != 0;
  select(v.baseBlockSize, doc.baseBlockSizeIndex);
  if (doc.modemMode == kDumbMode) {
    v.baseBlockSize.enabled = v.waitForBusy.enabled = v.baseBlock.enabled = false;
  } else if (doc.modemMode == kAutoMode) {
    v.baseBlockSize.enabled = baseBlockSizeUsable(doc);
    v.waitForBusy.enabled = v.baseBlock.enabled = true;
  } else {
    v.baseBlockSize.enabled = v.waitForBusy.enabled = v.baseBlock.enabled = false;
  }
}

ModemUpdate updateOf(ModemView view) {
  ModemUpdate u;
  u.view = std::move(view);
  return u;
}

struct DelayRule {
  OptionId option;  // its field and range (the radio counts in 2 ms)
  const char* message;
};
// The Tx On and Rx On messages name one more than the highest value taken.
constexpr DelayRule kTxOffDelay{OptionId::kTxOffDelay, "Valid Settings 0 - 16 ms"};
constexpr DelayRule kTxOnDelay{OptionId::kTxOnDelay, "Valid Settings 0 - 255 ms"};
constexpr DelayRule kRxOnDelay{OptionId::kRxOnDelay, "Valid Settings 0 - 127 ms"};
// What an empty delay reads as.
constexpr int kTxOnDelayDefault = 20;
constexpr int kRxOnDelayDefault = 6;

}  // namespace

std::string ModemList::Shown() const {
  return selected >= 0 && selected < static_cast<int>(items.size())
             ? items[static_cast<std::size_t>(selected)]
             : std::string();
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

void DecideModemType(CKX200Doc& doc, ModemType type, bool on) {
  std::int32_t& ticked = type == ModemType::kGmsk   ? doc.gmsk
                         : type == ModemType::kFfsk ? doc.ffsk
                                                    : doc.afsk;
  ticked = on ? 1 : 0;
  if (!on) {
    // Clearing the type switches the modem off; the channel dialog's modem warnings are armed
    // again.
    doc.modemEnabled = 0;
    doc.gmskToneWarned = doc.ffskTwoToneWarned = 0;
    return;
  }
  const BaudStart start = StartingBaudRates(type);
  doc.sBandBaudIndex = start.sBand;
  doc.nBandBaudIndex = start.nBand;
  if (type != ModemType::kAfsk) return;
  doc.gmsk = doc.ffsk = 0;
  if (Traits(doc.modelType).afskFlavourPicksMode) {
    if (doc.afskBell202)
      decideDumbMode(doc);
    else
      decideAutoMode(doc);
  }
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
    d.notices.push_back(Notice::warning(refusal));
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

ModemDecision DecideBaseBlock(CKX200Doc& doc, bool on) {
  ModemDecision d;
  if (on && doc.modemMode == kDumbMode) {
    d.notices.push_back(Notice::warning(kNotInDumbMode));
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
    d.notices.push_back(Notice::stop(refusal));
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
  if (std::int32_t* field = fieldOf(doc, list)) *field = position;
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

ModemView InitialModemView() {
  ModemView v;
  v.modemCaption = " Modem Disable";
  v.baseBlockSize.items = choices(OptionId::kBaseBlockSize);
  v.preamble.items = stepped(modem_steps::kPreambleBits);
  v.waitForBusy.items = stepped(modem_steps::kWaitForBusyMs);
  v.flowControl.items = choices(OptionId::kFlowControl);
  v.txDelay1.items = stepped(modem_steps::kTxDelay1Ms);
  v.txDelay2.items = stepped(modem_steps::kTxDelay2Ms);
  v.startBitErrors.items = stepped(modem_steps::kStartBitErrors);
  return v;
}

void LockModemControls(ModemView& v) {
  for (ModemToggle* t :
       {&v.gmsk, &v.ffsk, &v.afsk, &v.modem, &v.baseBlock, &v.txForcing, &v.initDataForHt})
    t->enabled = false;
  for (ModemList* l : {&v.sBand, &v.nBand, &v.baseBlockSize, &v.preamble, &v.waitForBusy,
                       &v.flowControl, &v.txDelay1, &v.txDelay2, &v.startBitErrors})
    l->enabled = false;
  for (ModemEdit* e : {&v.txOffDelay, &v.txOnDelay, &v.rxOnDelay})
    e->enabled = false;
  v.flavourEnabled = v.defaultEnabled = v.modeEnabled = false;
}

void UnlockModemControls(const CKX200Doc& doc, ModemView& v) {
  v.modem.enabled = v.modeEnabled = true;
  for (ModemEdit* e : {&v.txOffDelay, &v.txOnDelay, &v.rxOnDelay})
    e->enabled = true;
  v.baseBlock.enabled = true;
  for (ModemList* l :
       {&v.baseBlockSize, &v.waitForBusy, &v.flowControl, &v.txDelay2, &v.startBitErrors})
    l->enabled = true;
  v.defaultEnabled = true;
  v.txForcing.enabled = v.initDataForHt.enabled = v.afsk.enabled = true;
  if (doc.flowControl == kFlowNone) v.baseBlockSize.enabled = false;
  if (Traits(doc.modelType).modemAfskDumbOnly) v.txDelay2.enabled = false;
}

ModemView LoadModemPage(CKX200Doc& doc, ModemView v) {
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
  showModeRadios(doc, v);

  if (doc.txOnDelayMs == 0) doc.txOnDelayMs = kTxOnDelayDefault;
  if (doc.rxOnDelayMs == 0) doc.rxOnDelayMs = kRxOnDelayDefault;
  v.txOffDelay.text = std::to_string(doc.txOffDelayMs);
  v.txOnDelay.text = std::to_string(doc.txOnDelayMs);
  v.rxOnDelay.text = std::to_string(doc.rxOnDelayMs);

  for (const ModemListId id : {ModemListId::kPreamble, ModemListId::kWaitForBusy,
                               ModemListId::kTxDelay1, ModemListId::kTxDelay2})
    select(*listOf(v, id), *fieldOf(doc, id));

  if (doc.modemCondition == kConditionLocked) LockModemControls(v);
  if (doc.modemCondition == kConditionEditable) UnlockModemControls(doc, v);

  if (!traits.modemAfskDumbOnly) {
    v.gmsk.enabled = v.ffsk.enabled = v.afsk.enabled = true;
    v.modeEnabled = true;
  }
  showModemType(doc, v);
  showSystemOption2(doc, v);

  if (doc.gmsk) v.txDelay2.enabled = false;
  if (traits.modemAfskDumbOnly) {
    v.gmsk.enabled = v.ffsk.enabled = v.txDelay2.enabled = false;
    v.modeEnabled = false;
  }
  if (traits.afskFlavourPicksMode && doc.afsk) {
    // V23 runs in Auto mode, BELL 202 in Dumb mode only. A configuration already in its mode
    // is shown as it is (its flow control kept); only a change of mode sets the flow control.
    const int mode = doc.afskBell202 ? kDumbMode : kAutoMode;
    if (doc.modemMode != mode) {
      if (mode == kDumbMode)
        applyDumbMode(doc, v);
      else
        applyAutoMode(doc, v);
    }
    v.modeEnabled = mode == kAutoMode;
  }
  return v;
}

ModemUpdate ChooseGmsk(CKX200Doc& doc, ModemView view, bool on) {
  ModemUpdate u = updateOf(std::move(view));
  ModemView& v = u.view;
  const bool wasOn = doc.modemEnabled != 0;
  DecideModemType(doc, ModemType::kGmsk, on);
  v.gmsk.checked = on;
  if (on) {
    v.ffsk.enabled = v.afsk.enabled = false;
    // GMSK sends no tone, so Tx Delay Time 2 (tone only) has no use.
    v.txDelay2.enabled = false;
    v.preamble.enabled = true;
    showBaudLists(doc, v);
  } else {
    v.ffsk.enabled = v.afsk.enabled = v.txDelay2.enabled = true;
    showOffWithType(doc, u, wasOn);
  }
  if (Traits(doc.modelType).modemAfskDumbOnly) v.txDelay2.enabled = false;
  return u;
}

ModemUpdate ChooseFfsk(CKX200Doc& doc, ModemView view, bool on) {
  ModemUpdate u = updateOf(std::move(view));
  ModemView& v = u.view;
  const bool wasOn = doc.modemEnabled != 0;
  DecideModemType(doc, ModemType::kFfsk, on);
  v.ffsk.checked = on;
  if (on) {
    v.gmsk.enabled = v.afsk.enabled = false;
    showBaudLists(doc, v);
  } else {
    v.gmsk.enabled = v.afsk.enabled = true;
    showOffWithType(doc, u, wasOn);
  }
  return u;
}

ModemUpdate ChooseAfsk(CKX200Doc& doc, ModemView view, bool on) {
  ModemUpdate u = updateOf(std::move(view));
  ModemView& v = u.view;
  const bool wasOn = doc.modemEnabled != 0;
  DecideModemType(doc, ModemType::kAfsk, on);
  v.afsk.checked = on;
  const ModelTraits& traits = Traits(doc.modelType);
  if (on) {
    v.gmsk = v.ffsk = {false, false};
    v.flavourEnabled = true;
    // The radios show the flavour the document holds, which is the one the radio gets.
    v.flavour = doc.afskBell202 ? 1 : 0;
    showBaudLists(doc, v);
    if (traits.afskFlavourPicksMode) applyFlavourMode(doc, v);
  } else {
    v.gmsk.enabled = v.ffsk.enabled = true;
    v.flavourEnabled = false;
    // BELL 202 no longer holds the mode: the technician chooses it again.
    if (traits.afskFlavourPicksMode) v.modeEnabled = true;
    showOffWithType(doc, u, wasOn);
  }
  if (traits.modemAfskDumbOnly) v.gmsk.enabled = v.ffsk.enabled = false;
  return u;
}

ModemUpdate ChooseAfskFlavour(CKX200Doc& doc, ModemView view, bool bell202) {
  ModemUpdate u = updateOf(std::move(view));
  DecideAfskFlavour(doc, bell202);
  u.view.flavour = bell202 ? 1 : 0;
  if (Traits(doc.modelType).afskFlavourPicksMode && doc.afsk) {
    if (bell202)
      applyFlavourMode(doc, u.view);
    else
      u.view.modeEnabled = true;
  }
  return u;
}

ModemUpdate SwitchModem(CKX200Doc& doc, ModemView view, bool on) {
  ModemUpdate u = updateOf(std::move(view));
  if (!on) {
    doc.modemEnabled = 0;
    showModemOff(doc, u);
    return u;
  }
  ModemDecision d = DecideModemOn(doc);
  if (!doc.modemEnabled) {
    // Refused: the button springs back and the modem stays off.
    showModemButton(u.view, false);
    u.notices = std::move(d.notices);
    return u;
  }
  u.view.modem.checked = true;
  if (d.askScanWarning) {
    u.askScanWarning = true;
    return u;
  }
  return FinishModemSwitch(doc, std::move(u.view));
}

ModemUpdate FinishModemSwitch(CKX200Doc& doc, ModemView view) {
  ModemUpdate u = updateOf(std::move(view));
  if (!doc.modemEnabled) {
    showModemOff(doc, u);
    return u;
  }
  for (const ChannelRecord& c : doc.channels) {
    if (doc.gmsk && (c.rxOption != kOptionNone || c.txOption != kOptionNone))
      u.notices.push_back(Notice::warning(kGmskToneWarning));
    if (doc.ffsk && c.rxOption == kOptionTwoTone)
      u.notices.push_back(Notice::warning(kFfskTwoToneWarning));
  }
  showModemOn(u);
  return u;
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

ModemUpdate ChooseModemList(CKX200Doc& doc, ModemView view, ModemListId list, int position) {
  ModemUpdate u = updateOf(std::move(view));
  ModemList* shown = listOf(u.view, list);
  // Only an entry of the list can be chosen.
  if (!shown || position < 0 || position >= static_cast<int>(shown->items.size())) return u;
  shown->selected = position;
  u.notices = DecideModemList(doc, list, position).notices;
  if (list == ModemListId::kFlowControl) showChosenFlowControl(doc, u.view);
  if (list == ModemListId::kTxDelay2) u.view.txDelay2.selected = doc.txDelay2Index;
  return u;
}

ModemUpdate SetBaseBlock(CKX200Doc& doc, ModemView view, bool on) {
  ModemUpdate u = updateOf(std::move(view));
  ModemView& v = u.view;
  ModemDecision d = DecideBaseBlock(doc, on);
  const bool refused = !d.notices.empty();
  u.notices = std::move(d.notices);
  v.baseBlock.checked = doc.baseBlockEnabled != 0;
  v.baseBlockSize.enabled = baseBlockSizeUsable(doc);
  if (!on && !refused) v.baseBlockSize.selected = 0;
  return u;
}

ModemUpdate ChooseModemMode(CKX200Doc& doc, ModemView view, bool dumb) {
  ModemUpdate u = updateOf(std::move(view));
  if (dumb)
    applyDumbMode(doc, u.view);
  else
    applyAutoMode(doc, u.view);
  return u;
}

void SetTxForcing(CKX200Doc& doc, bool on) {
  doc.txForcingMode = on ? 1 : 0;
}

void SetInitDataForHt(CKX200Doc& doc, bool on) {
  doc.initDataForHt = on ? 1 : 0;
}

ModemUpdate RestoreModemDefaults(CKX200Doc& doc, ModemView view) {
  ModemUpdate u = updateOf(std::move(view));
  ModemView& v = u.view;
  DecideModemDefaults(doc);
  v.baseBlock.checked = false;
  select(v.baseBlockSize, doc.baseBlockSizeIndex);
  v.baseBlockSize.enabled = false;
  select(v.preamble, doc.preambleSizeIndex);
  select(v.waitForBusy, doc.waitForBusyIndex);
  showFlowControl(doc, v);
  select(v.txDelay1, doc.txDelay1Index);
  select(v.txDelay2, doc.txDelay2Index);
  select(v.startBitErrors, doc.startBitErrors);
  return u;
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

}  // namespace kx
