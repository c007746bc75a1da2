#include "model/BandTable.h"

#include "model/ModelTraits.h"

namespace kx {

const BandEntry& GetBand(ModelType type) {
  static const BandEntry kEmpty{};
  return model::isValid(type) ? Traits(type).band : kEmpty;
}

std::string_view SubBandName(ModelType type, int subBandIndex) {
  const BandEntry& band = GetBand(type);
  if (subBandIndex < 0 || subBandIndex >= band.subBandCount) return {};
  return band.subBandName[static_cast<std::size_t>(subBandIndex)];
}

}  // namespace kx
