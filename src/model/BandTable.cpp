#include "model/BandTable.h"

namespace kx {

namespace {
constexpr BandEntry kVhf(std::string_view caption) {
  return {{146, 0, 0}, {174, 0, 0}, 1, {"V2", "", ""}, "VHF", caption};
}
constexpr BandEntry kUhf(std::string_view caption) {
  return {{400, 440, 0}, {440, 480, 0}, 2, {"U1", "U2", ""}, "UHF", caption};
}
}  // namespace

const std::array<BandEntry, kBandTableRows> kBandTable{{
    {},
    {},
    kVhf("KX400 VHF"),
    kUhf("KX400 UHF"),
    kVhf("KX600 VHF"),
    kUhf("KX600 UHF"),
    {{146, 0, 0}, {174, 0, 0}, 1, {"", "", ""}, "VHF2", "VHF2"},
    {{440, 0, 0}, {480, 0, 0}, 1, {"", "", ""}, "UHF2", "UHF2"},
}};

const BandEntry& GetBand(ModelType type) {
  static const BandEntry kEmpty{};
  if (type < 0 || static_cast<std::size_t>(type) >= kBandTable.size()) return kEmpty;
  return kBandTable[static_cast<std::size_t>(type)];
}

std::string_view SubBandName(ModelType type, int subBandIndex) {
  const BandEntry& band = GetBand(type);
  if (subBandIndex < 0 || subBandIndex >= band.subBandCount) return {};
  return band.subBandName[static_cast<std::size_t>(subBandIndex)];
}

}  // namespace kx
