#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/KX200Doc.h"
#include "model/Outcome.h"
#include "model/RadioOptions.h"
#include "rules/ChannelPage.h"

namespace kx {

// What the modem page's controls do to the document: the document in, the changed document and
// the messages out. The page makes a decision and then shows what it changed; the text forms
// make the decisions alone.

// What a decision told the technician: why it refused what was asked (the document then keeps
// what the radio can run), or the warnings of what it did.
struct ModemDecision {
  std::optional<Notice> refusal;
  std::vector<Notice> warnings;
  // The modem is being switched on while channels scan: the scan warning question comes next
  // (modemRequestPending is set).
  bool askScanWarning = false;

  // Everything to show, in order.
  std::vector<Notice> Notices() const;
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
constexpr std::size_t kModemListCount = static_cast<std::size_t>(ModemListId::kStartBitErrors) + 1;
// The option a list chooses: its row holds the list's position and names the list (one of the
// ids above).
OptionId ModemListOption(ModemListId list);

enum class ModemType { kGmsk, kFfsk, kAfsk };
// The baud rates a modem type starts with when its box is ticked: S - BAND and N - BAND
// positions.
struct BaudStart {
  int sBand = 0;
  int nBand = 0;
};
BaudStart StartingBaudRates(ModemType type);

// What the page's loading does to the document, the model's modem rules: the KX400 runs AFSK in
// Dumb mode, the KX600 runs AFSK BELL 202 in Dumb mode and V23 in Auto mode, a modem with no
// type is off, and empty Tx On / Rx On delays read as their defaults. True when the AFSK flavour
// changed the mode (the page then shows the new mode).
bool DecideModemOnLoad(CKX200Doc& doc);

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
// The scan warning was answered: YES takes every channel out of the scan list, NO (also Escape
// and the close box) switches the modem off. Only a pending request is answered, and it is
// answered once.
void AnswerScanWarning(CKX200Doc& doc, bool yes);
// Switching the modem on is over (after the scan warning, if any). On, the channels' tones the
// modem does not carry are warned about; off, the modem warnings of the channel option dialog
// are armed again.
ModemDecision DecideModemSwitched(CKX200Doc& doc);
// The modem switched off: the channel option dialog's modem warnings are armed again.
void DecideModemOff(CKX200Doc& doc);
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

// SYSTEM OPTION 3: a delay edit lost the focus. The value is floored to its 2 ms step; one out of
// range is refused and becomes 0 (the page then gives the edit the focus back).
enum class ModemDelay { kTxOff, kTxOn, kRxOn };
TimeEdit ValidateModemDelay(CKX200Doc& doc, ModemDelay delay, std::string_view text);

void SetTxForcing(CKX200Doc& doc, bool on);
void SetInitDataForHt(CKX200Doc& doc, bool on);

}  // namespace kx
