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

// The band of a model type, from its row of the traits table (ModelTraits.cpp); the first
// generation's is empty. A type no model has (a corrupt one) gives an empty band too.
const BandEntry& GetBand(ModelType type);

// The name of the sub-band a configuration uses, or "" when the index is not one of the
// model's sub-bands.
std::string_view SubBandName(ModelType type, int subBandIndex);

}  // namespace kx
