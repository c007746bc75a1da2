#include "model/ModelTraits.h"

namespace kx {

namespace {

using enum ModelLine;

constexpr BandEntry kVhf(std::string_view caption) {
  return {{146, 0, 0}, {174, 0, 0}, 1, {"V2", "", ""}, "VHF", caption};
}
constexpr BandEntry kUhf(std::string_view caption) {
  return {{400, 440, 0}, {440, 480, 0}, 2, {"U1", "U2", ""}, "UHF", caption};
}

constexpr std::array<int, 3> kVhfSteps{6250, 5000, 2500};
constexpr std::array<int, 3> kUhfSteps{6250, 5000, 0};

// A row from the family rules; its name, band caption, byte 0x00B's default and the refusal of a
// short Tx Delay Time 2 (which names the model) are the values that follow no rule.
constexpr ModelTraits row(ModelType type, std::string_view name, std::string_view caption,
                          ModelLine line, std::uint8_t reg0B,
                          const char* shortTxDelay2Refusal = nullptr) {
  const bool uhf = (type & 1) != 0;
  const bool kx600 = line == kKx600;
  const bool firstGeneration = line == kFirstGeneration;
  return {
      .type = type,
      .line = line,
      .uhf = uhf,
      .selectable = !firstGeneration,
      .name = name,
      .band = firstGeneration ? BandEntry{}
              : uhf           ? kUhf(caption)
                              : kVhf(caption),
      .stepsHz = uhf ? kUhfSteps : kVhfSteps,
      .stepCount = uhf ? 2 : 3,
      .twoToneChoice = kx600,
      .storedKindsShown = kx600,
      .twoToneInImage = line != kKx400,
      .highPowerBit = !firstGeneration,
      .narrowMarkerAlways = firstGeneration,
      .uhfKx400FamilyBit = uhf && !kx600,
      .olderModelBit = !kx600,
      .regB8FromModel = !firstGeneration,
      .defaultRegB8 = static_cast<std::uint8_t>(kx600             ? 4
                                                : firstGeneration ? 0
                                                                  : 2),
      .defaultReg0B = reg0B,
      .defaultTxDelay2Index = !uhf && !kx600 ? 4 : 1,
      .defaultAfskDumbForcing = !kx600,
      .fullSystemPage = kx600,
      .modemAfskDumbOnly = !kx600,
      .afskFlavourPicksMode = kx600,
      .defaultButtonTxDelay2Index = uhf ? 1 : 4,
      .shortTxDelay2Refusal = shortTxDelay2Refusal,
      .sheetLayout = firstGeneration ? SheetLayout::kB : SheetLayout::kA,
      .sheetModelCaption = !firstGeneration,
      .sheetKx400ModemTimings = line == kKx400,
  };
}

constexpr std::array<ModelTraits, model::kLast + 1> kModelTraits{{
    row(model::kFirstGenVhf, "", "", kFirstGeneration, 9, "KX210 dosen't have under 400 value"),
    row(model::kFirstGenUhf, "", "", kFirstGeneration, 9),
    row(model::kKx400Vhf, "kx400-vhf", "KX400 VHF", kKx400, 12,
        "KX220 dosen't have under 400 value"),
    row(model::kKx400Uhf, "kx400-uhf", "KX400 UHF", kKx400, 12),
    row(model::kKx600Vhf, "kx600-vhf", "KX600 VHF", kKx600, 12),
    row(model::kKx600Uhf, "kx600-uhf", "KX600 UHF", kKx600, 9),
}};
// Row i is the row of model type i.
static_assert([] {
  for (std::size_t i = 0; i < kModelTraits.size(); ++i) {
    if (kModelTraits[i].type != static_cast<ModelType>(i)) return false;
  }
  return true;
}());

}  // namespace

const ModelTraits& Traits(ModelType type) {
  if (!model::isValid(type)) return kModelTraits[model::kKx400Vhf];
  return kModelTraits[static_cast<std::size_t>(type)];
}

}  // namespace kx
