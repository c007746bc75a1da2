#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/Outcome.h"
#include "rules/ModemDecisions.h"

namespace kx {

class CKX200Doc;

// The modem page's controls as the page shows them. The page keeps one of these; every rule
// below takes the one shown and returns the next, so a control a rule does not mention keeps its
// state.
struct ModemToggle {
  bool checked = false;
  bool enabled = true;
  bool operator==(const ModemToggle&) const = default;
};
// A drop-down list: its entries as shown, the selected position (-1 for none) and whether it
// can be used.
struct ModemList {
  std::vector<std::string> items;
  int selected = -1;
  bool enabled = true;
  // The selected entry, "" for none.
  std::string Shown() const;
  bool operator==(const ModemList&) const = default;
};
struct ModemEdit {
  std::string text;
  bool enabled = true;
  bool operator==(const ModemEdit&) const = default;
};

struct ModemView {
  // MODEM SELECT and the push-like enable button.
  ModemToggle gmsk, ffsk, afsk;
  ModemToggle modem;
  std::string modemCaption;
  // "# MODEM BAUD RATE": sorted lists, the stored index is the position in them.
  ModemList sBand, nBand;
  // The AFSK flavour radios: -1 neither set, 0 "V23", 1 "BELL 202".
  int flavour = -1;
  bool flavourEnabled = true;
  // SYSTEM OPTION 2.
  ModemToggle baseBlock;
  ModemList baseBlockSize, preamble, waitForBusy, flowControl, txDelay1, txDelay2, startBitErrors;
  bool defaultEnabled = true;
  // SYSTEM OPTION 1: the mode radio set (0 neither, 1 "Dumb Mode", 2 "Auto Mode").
  int mode = 0;
  bool modeEnabled = true;
  ModemToggle txForcing, initDataForHt;
  // SYSTEM OPTION 3.
  ModemEdit txOffDelay, txOnDelay, rxOnDelay;

  // A list of the page by its id (one of ModemListId's).
  ModemList& List(ModemListId id);
  const ModemList& List(ModemListId id) const;

  bool operator==(const ModemView&) const = default;
};

// What a control of the page did: the page as it now shows, the messages to show in order, and
// whether the modem went on (true) or off (false), which the system page has to follow (no
// External Modulation while the modem is on).
struct ModemUpdate {
  ModemView view;
  std::vector<Notice> notices;
  std::optional<bool> modemSwitched;
  // The modem is being switched on while channels scan: the page asks the scan warning question
  // (modemRequestPending is set), applies AnswerScanWarning and then FinishModemSwitch.
  bool askScanWarning = false;
};

// The page's rules. Each makes its decision (rules/ModemDecisions.h) and then shows what the
// decision changed; loading shows the whole document. The page holds what the document does not
// (the button pressed while the scan question waits, the baud lists of a type just cleared, the
// controls the condition locked), so a rule does not show the whole document again.

// The page as it is built, before its first load: every control usable, nothing chosen.
ModemView InitialModemView();

// Loads the page from the document (the page's initialisation and every refresh), after the
// model's modem rules (DecideModemOnLoad).
ModemView LoadModemPage(CKX200Doc& doc, ModemView shown = InitialModemView());

// modem::kConditionLocked: every control disabled. modem::kConditionEditable: the controls the
// technician may change are enabled.
void LockModemControls(ModemView& view);
void UnlockModemControls(const CKX200Doc& doc, ModemView& view);

// MODEM SELECT: one modem type at a time; clearing the type switches the modem off.
ModemUpdate ChooseGmsk(CKX200Doc& doc, ModemView view, bool on);
ModemUpdate ChooseFfsk(CKX200Doc& doc, ModemView view, bool on);
ModemUpdate ChooseAfsk(CKX200Doc& doc, ModemView view, bool on);
ModemUpdate ChooseAfskFlavour(CKX200Doc& doc, ModemView view, bool bell202);

// The enable button was pressed (on) or released. Switching on needs a modem type and no
// External Modulation, else the button springs back and the modem stays off; with channels in
// the scan list it stops at the scan warning (askScanWarning).
ModemUpdate SwitchModem(CKX200Doc& doc, ModemView view, bool on);
// The rest of switching the modem on, or off after the scan warning turned it down: the tone
// warnings of the channels, the button's caption and the baud lists.
ModemUpdate FinishModemSwitch(CKX200Doc& doc, ModemView view);

ModemUpdate ChooseModemList(CKX200Doc& doc, ModemView view, ModemListId list, int position);

ModemUpdate SetBaseBlock(CKX200Doc& doc, ModemView view, bool on);
// SYSTEM OPTION 1: Dumb Mode (dumb) or Auto Mode.
ModemUpdate ChooseModemMode(CKX200Doc& doc, ModemView view, bool dumb);
// DEFAULT: the link parameters of SYSTEM OPTION 2 back to the model's defaults.
ModemUpdate RestoreModemDefaults(CKX200Doc& doc, ModemView view);

}  // namespace kx
