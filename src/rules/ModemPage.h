#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Outcome.h"
#include "rules/ChannelPage.h"

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

// The lists of the page.
enum class ModemListId {
  kSBand,
  kNBand,
  kBaseBlockSize,
  kPreamble,
  kWaitForBusy,
  kFlowControl,
  kTxDelay1,
  kTxDelay2,
  kStartBitErrors,
};

// ---- Decisions: the document in, the changed document and the messages out. The page's rules
// below make them and then show the document; the text forms make them alone.

// What a decision told the technician, in order (a refusal, a warning).
struct ModemDecision {
  std::vector<Notice> notices;
  // The modem is being switched on while channels scan: the scan warning question comes next
  // (modemRequestPending is set).
  bool askScanWarning = false;
};

enum class ModemType { kGmsk, kFfsk, kAfsk };
// The baud rates a modem type starts with when its box is ticked: S - BAND and N - BAND
// positions.
struct BaudStart {
  int sBand = 0;
  int nBand = 0;
};
BaudStart StartingBaudRates(ModemType type);

// A modem type's box ticked or cleared. Ticked, its baud lists start at its rates; AFSK clears
// the other two and, where the flavour picks the mode, sets the flavour's mode. Cleared, the
// modem goes off.
void DecideModemType(CKX200Doc& doc, ModemType type, bool on);
// An AFSK flavour chosen. On the models where it picks the mode, BELL 202 with AFSK runs in
// Dumb mode (no flow control, no base block); V23 leaves the mode as it is.
void DecideAfskFlavour(CKX200Doc& doc, bool bell202);
// The modem switched on: refused without a modem type or with External Modulation (the modem
// stays off), else on, and with channels in the scan list the scan warning follows.
ModemDecision DecideModemOn(CKX200Doc& doc);
// The base block ticked or cleared: refused in Dumb mode; cleared, its size is "NONE" too.
ModemDecision DecideBaseBlock(CKX200Doc& doc, bool on);
// A Tx Delay Time 2 position chosen: the models that have no time under 400 ms refuse those
// and take 400 ms.
ModemDecision DecideTxDelay2(CKX200Doc& doc, int position);
// An entry of a list chosen, by its position: the flow control resets the base block size with
// NONE (and in Dumb mode changes nothing), Tx Delay Time 2 as above, every other list stores it.
ModemDecision DecideModemList(CKX200Doc& doc, ModemListId list, int position);
// SYSTEM OPTION 1: Dumb mode has no flow control and no base block; Auto mode starts with
// Xon/Xoff.
void DecideModemMode(CKX200Doc& doc, bool dumb);
// DEFAULT: the link parameters of SYSTEM OPTION 2 back to the model's defaults.
void DecideModemDefaults(CKX200Doc& doc);

// ---- The page's rules.

// The page as it is built, before its first load: every control usable, nothing chosen.
ModemView InitialModemView();

// Loads the page from the document (the page's initialisation and every refresh). Loading also
// applies the model's modem rules to the document: the KX400 runs AFSK in Dumb mode, the KX600
// runs AFSK BELL 202 in Dumb mode and V23 in Auto mode, a modem with no type is off, and empty
// Tx On / Rx On delays read as their defaults.
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
// The scan warning was answered: YES takes every channel out of the scan list, NO (also Escape
// and the close box) switches the modem off. Only a pending request is answered, and it is
// answered once.
void AnswerScanWarning(CKX200Doc& doc, bool yes);

ModemUpdate ChooseModemList(CKX200Doc& doc, ModemView view, ModemListId list, int position);

ModemUpdate SetBaseBlock(CKX200Doc& doc, ModemView view, bool on);
// SYSTEM OPTION 1: Dumb Mode (dumb) or Auto Mode.
ModemUpdate ChooseModemMode(CKX200Doc& doc, ModemView view, bool dumb);
void SetTxForcing(CKX200Doc& doc, bool on);
void SetInitDataForHt(CKX200Doc& doc, bool on);
// DEFAULT: the link parameters of SYSTEM OPTION 2 back to the model's defaults.
ModemUpdate RestoreModemDefaults(CKX200Doc& doc, ModemView view);

// SYSTEM OPTION 3: a delay edit lost the focus. The value is floored to its 2 ms step; one out of
// range is refused and becomes 0 (the page then gives the edit the focus back).
enum class ModemDelay { kTxOff, kTxOn, kRxOn };
TimeEdit ValidateModemDelay(CKX200Doc& doc, ModemDelay delay, std::string_view text);

}  // namespace kx
