#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/BandTable.h"
#include "model/ModelType.h"

namespace kx {

// The radio family a model type belongs to.
enum class ModelLine : std::uint8_t { kFirstGeneration, kKx400, kKx600 };

// How the data sheet lays out the channel table: A for the four models of the model dialog,
// the older B for the first generation.
enum class SheetLayout : std::uint8_t { kA, kB };

// Everything that differs from one model type to another, in one row per type: its band, its
// names and its rules. Code asks a row, never the type number.
struct ModelTraits {
  ModelType type;
  ModelLine line;
  bool uhf;
  bool selectable;        // offered by the model dialog and kxtool's --model
  std::string_view name;  // as kxtool, kxsim and the YAML form name it; "" if none
  BandEntry band;         // its sub-bands and its caption ("KX600 UHF"); empty for the first
                          // generation

  // Channel page: the synthesizer steps a channel may use; stepCode is the 1-based position.
  std::array<int, 3> stepsHz;
  int stepCount;

  // Channel option dialog: "Two Tone" can be chosen, and the kinds show as stored (otherwise
  // a stored kind other than none and CTCSS shows as DCS).
  bool twoToneChoice;
  bool storedKindsShown;

  // Memory image.
  bool twoToneInImage;      // two-tone codes and tone records are written and read
  bool highPowerBit;        // the record's high power bit exists
  bool narrowMarkerAlways;  // every channel carries the transmit narrow marker
  bool uhfKx400FamilyBit;
  bool olderModelBit;
  bool regB8FromModel;  // byte 0x0B8 always follows the model (defaultRegB8), even over a file
  std::uint8_t defaultRegB8;
  std::uint8_t defaultReg0B;

  // Defaults of a fresh configuration.
  std::int32_t defaultTxDelay2Index;
  bool defaultAfskDumbForcing;  // AFSK modem, Dumb mode and Tx forcing on

  // System option / GPS page: every control usable (otherwise only External Modulation).
  bool fullSystemPage;

  // Modem page. Only the KX600 offers GMSK and FFSK, a choice of Dumb or Auto mode and Tx Delay
  // Time 2; the others run AFSK in Dumb mode.
  bool modemAfskDumbOnly;
  bool afskFlavourPicksMode;  // with AFSK, BELL 202 runs in Dumb mode and V23 in Auto mode
  // Tx Delay Time 2 as the page's DEFAULT button sets it (VHF 400 ms, UHF 250 ms).
  std::int32_t defaultButtonTxDelay2Index;
  // Refusal of a Tx Delay Time 2 under 400 ms on the models that have none; null where allowed.
  const char* shortTxDelay2Refusal;

  // Data sheet.
  SheetLayout sheetLayout;
  bool sheetModelCaption;       // ": <caption>" after "* MODEL"
  bool sheetKx400ModemTimings;  // wait for busy and the Tx delay times print as "-"
};

// The row of a model type. A type outside 0..5 (which no file or radio image gets past) reads
// the KX400 VHF row, so no caller can index past the table; its band (GetBand) is empty.
const ModelTraits& Traits(ModelType type);

}  // namespace kx
