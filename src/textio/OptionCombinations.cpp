#include "textio/OptionCombinations.h"

#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "rules/ModemDecisions.h"

namespace kx {

namespace {

using modem::kAutoMode;
constexpr const char* kBell202DumbOnly = "BELL 202 runs in Dumb Mode only";

// Why a rule refused, "" when it did not.
std::string refusalOf(const ModemDecision& d) {
  return d.refusal ? d.refusal->text : std::string();
}

}  // namespace

std::vector<CombinationRefusal> CombinationRefusals(const CKX200Doc& doc) {
  std::vector<CombinationRefusal> refusals;
  if (doc.modemEnabled) {
    // Pressing the enable button on this configuration: refused, or on (perhaps after the scan
    // question, which either answer settles).
    CKX200Doc pressed = doc;
    pressed.modemEnabled = 0;
    const ModemDecision decided = DecideModemOn(pressed);
    if (!pressed.modemEnabled) refusals.push_back({"modem_enabled", refusalOf(decided)});
  }
  if (doc.baseBlockEnabled) {
    CKX200Doc ticked = doc;
    ticked.baseBlockEnabled = 0;
    const ModemDecision decided = DecideBaseBlock(ticked, true);
    if (!ticked.baseBlockEnabled) refusals.push_back({"base_block", refusalOf(decided)});
  }
  if (doc.afsk && doc.afskBell202 && doc.modemMode == kAutoMode &&
      Traits(doc.modelType).afskFlavourPicksMode)
    refusals.push_back({"modem_mode", kBell202DumbOnly});
  return refusals;
}

}  // namespace kx
