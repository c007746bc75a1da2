#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/ModelType.h"

namespace kx {

// What a model can tune: up to three sub-bands (two in use at most) with their edges in MHz.
struct BandEntry {
  std::array<double, 3> lowMHz{};
  std::array<double, 3> highMHz{};
  std::uint8_t subBandCount = 0;
  std::array<std::string_view, 3> subBandName{};
  std::string_view bandWord;
  std::string_view caption;
};

// Eight rows indexed by model type; rows 6 and 7 exist but no model type reaches them, rows 0
// and 1 (the first generation) are empty.
constexpr std::size_t kBandTableRows = 8;
extern const std::array<BandEntry, kBandTableRows> kBandTable;

// The row of a model type. Any value outside the table gives an empty row, so a corrupt type
// can never index past it.
const BandEntry& GetBand(ModelType type);

// The name of the sub-band a configuration uses, or "" when the index is not one of the
// model's sub-bands.
std::string_view SubBandName(ModelType type, int subBandIndex);

}  // namespace kx
