#include "rules/ModemPage.h"

#include <array>

#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ModemSteps.h"
#include "model/RadioOptions.h"

namespace kx {

namespace {

constexpr const char* kModemEnable = "Modem Enable";
constexpr const char* kModemDisable = "Modem Disable";

using modem::kAutoMode;
using modem::kConditionEditable;
using modem::kConditionLocked;
using modem::kDumbMode;
using modem::kFlowNone;
using modem::kFlowRtsCts;

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

// The modem is off: the button released, the baud lists out of use, External Modulation given
// back.
void showModemOff(ModemUpdate& u) {
  showModemButton(u.view, false);
  setBaudListsEnabled(u.view, false);
  u.modemSwitched = false;
}

// Clearing the modem type switched the modem off (wasOn: it was on before).
void showOffWithType(ModemUpdate& u, bool wasOn) {
  showModemOff(u);
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

// The mode just decided: Dumb mode has no flow control and no base block.
void showDumbMode(const CKX200Doc& doc, ModemView& v) {
  v.mode = kDumbMode;
  showFlowControl(doc, v);
  v.baseBlock.checked = false;
  v.txDelay1.enabled = v.baseBlockSize.enabled = v.waitForBusy.enabled = false;
  v.baseBlock.enabled = false;
}

void showAutoMode(const CKX200Doc& doc, ModemView& v) {
  v.mode = kAutoMode;
  showFlowControl(doc, v);
  v.baseBlockSize.enabled = baseBlockSizeUsable(doc);
  v.txDelay1.enabled = v.waitForBusy.enabled = v.baseBlock.enabled = true;
}

void showMode(const CKX200Doc& doc, ModemView& v) {
  if (doc.modemMode == kDumbMode)
    showDumbMode(doc, v);
  else
    showAutoMode(doc, v);
}

// On the KX600 the AFSK flavour decides the mode: BELL 202 runs in Dumb mode only, V23 leaves
// the choice to the technician in Auto mode.
void showFlavourMode(const CKX200Doc& doc, ModemView& v) {
  showMode(doc, v);
  v.modeEnabled = !doc.afskBell202;
}

// The page's lists, in ModemListId order.
constexpr ModemList ModemView::*kLists[] = {
    &ModemView::sBand,    &ModemView::nBand,       &ModemView::baseBlockSize,
    &ModemView::preamble, &ModemView::waitForBusy, &ModemView::flowControl,
    &ModemView::txDelay1, &ModemView::txDelay2,    &ModemView::startBitErrors,
};
static_assert(std::size(kLists) == kModemListCount);

// A list by an id that may come from a cast: nothing for one outside the page.
ModemList* listOf(ModemView& v, ModemListId id) {
  const auto at = static_cast<std::size_t>(id);
  return at < std::size(kLists) ? &(v.*kLists[at]) : nullptr;
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

}  // namespace

std::string ModemList::Shown() const {
  return selected >= 0 && selected < static_cast<int>(items.size())
             ? items[static_cast<std::size_t>(selected)]
             : std::string();
}

ModemList& ModemView::List(ModemListId id) {
  return this->*kLists[static_cast<std::size_t>(id)];
}

const ModemList& ModemView::List(ModemListId id) const {
  return this->*kLists[static_cast<std::size_t>(id)];
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
  const bool flavourChangedMode = DecideModemOnLoad(doc);
  const ModelTraits& traits = Traits(doc.modelType);
  showModeRadios(doc, v);
  v.txOffDelay.text = std::to_string(doc.txOffDelayMs);
  v.txOnDelay.text = std::to_string(doc.txOnDelayMs);
  v.rxOnDelay.text = std::to_string(doc.rxOnDelayMs);
  for (const ModemListId id : {ModemListId::kPreamble, ModemListId::kWaitForBusy,
                               ModemListId::kTxDelay1, ModemListId::kTxDelay2})
    select(v.List(id), Option(ModemListOption(id)).Value(doc));

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
    // The flavour holds the mode. A configuration already in its mode is shown as it is, the
    // controls as the condition left them.
    if (flavourChangedMode) showMode(doc, v);
    v.modeEnabled = !doc.afskBell202;
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
    showOffWithType(u, wasOn);
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
    showOffWithType(u, wasOn);
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
    if (traits.afskFlavourPicksMode) showFlavourMode(doc, v);
  } else {
    v.gmsk.enabled = v.ffsk.enabled = true;
    v.flavourEnabled = false;
    // BELL 202 no longer holds the mode: the technician chooses it again.
    if (traits.afskFlavourPicksMode) v.modeEnabled = true;
    showOffWithType(u, wasOn);
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
      showFlavourMode(doc, u.view);
    else
      u.view.modeEnabled = true;
  }
  return u;
}

ModemUpdate SwitchModem(CKX200Doc& doc, ModemView view, bool on) {
  ModemUpdate u = updateOf(std::move(view));
  if (!on) {
    DecideModemOff(doc);
    showModemOff(u);
    return u;
  }
  const ModemDecision d = DecideModemOn(doc);
  if (!doc.modemEnabled) {
    // Refused: the button springs back and the modem stays off.
    showModemButton(u.view, false);
    u.notices = d.Notices();
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
  u.notices = DecideModemSwitched(doc).Notices();
  if (doc.modemEnabled)
    showModemOn(u);
  else
    showModemOff(u);
  return u;
}

ModemUpdate ChooseModemList(CKX200Doc& doc, ModemView view, ModemListId list, int position) {
  ModemUpdate u = updateOf(std::move(view));
  ModemList* shown = listOf(u.view, list);
  // Only an entry of the list can be chosen.
  if (!shown || position < 0 || position >= static_cast<int>(shown->items.size())) return u;
  shown->selected = position;
  u.notices = DecideModemList(doc, list, position).Notices();
  if (list == ModemListId::kFlowControl) showChosenFlowControl(doc, u.view);
  if (list == ModemListId::kTxDelay2) u.view.txDelay2.selected = doc.txDelay2Index;
  return u;
}

ModemUpdate SetBaseBlock(CKX200Doc& doc, ModemView view, bool on) {
  ModemUpdate u = updateOf(std::move(view));
  ModemView& v = u.view;
  const ModemDecision d = DecideBaseBlock(doc, on);
  const bool refused = d.refusal.has_value();
  u.notices = d.Notices();
  v.baseBlock.checked = doc.baseBlockEnabled != 0;
  v.baseBlockSize.enabled = baseBlockSizeUsable(doc);
  if (!on && !refused) v.baseBlockSize.selected = 0;
  return u;
}

ModemUpdate ChooseModemMode(CKX200Doc& doc, ModemView view, bool dumb) {
  ModemUpdate u = updateOf(std::move(view));
  DecideModemMode(doc, dumb);
  showMode(doc, u.view);
  return u;
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

}  // namespace kx
