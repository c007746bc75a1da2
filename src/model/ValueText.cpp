#include "model/ValueText.h"

#include "model/BandTable.h"
#include "model/ChannelRecord.h"
#include "model/FormatText.h"
#include "model/KX200Doc.h"

namespace kx::value_text {

std::string FrequencyMHz(double mhz) {
  return FormatText("%.5f", mhz);
}
std::string CtcssTone(double hz) {
  return FormatText("%5.1f", hz);
}
std::string CtcssCell(double hz) {
  return FormatText("%4.1f", hz);
}
std::string DcsCode(int code) {
  return FormatText("%03d", code);
}

std::string TwoToneGroup(std::int32_t twoToneSelect) {
  switch (twoToneSelect) {
    case kToneA:
      return "Tone A";
    case kToneB:
      return "Tone B";
    default:
      return "Both";
  }
}

std::string ModemTypeLine(const CKX200Doc& doc) {
  if (doc.gmsk) return "** GMSK **";
  if (doc.ffsk) return "** FFSK **";
  if (doc.afsk) return doc.afskBell202 ? "** AFSK  BELL202 Mode **" : "** AFSK  V23 Mode **";
  return "Modem is not selected";
}

namespace {
// The power-save delay has three bits in the radio's memory.
constexpr int kPowerSaveDelayEntries = 8;

std::optional<int> entryNumber(std::int32_t index, int entries) {
  if (index < 0 || index >= entries) return std::nullopt;
  return index + 1;
}
}  // namespace

std::optional<int> ScanDelaySeconds(std::int32_t index) {
  return entryNumber(index, kScanDelayEntries);
}
std::optional<int> PowerSaveDelaySeconds(std::int32_t index) {
  return entryNumber(index, kPowerSaveDelayEntries);
}
std::optional<int> StoredGpsCycleHours(std::int32_t index) {
  return entryNumber(index, kGpsCycleEntries);
}

std::string SubBandLine(ModelType type, int subBandIndex) {
  const BandEntry& band = GetBand(type);
  if (subBandIndex < 0 || subBandIndex >= band.subBandCount) return {};
  const auto i = static_cast<std::size_t>(subBandIndex);
  return FormatText(" %s : %d - %d MHz", std::string(band.subBandName[i]).c_str(),
                    static_cast<int>(band.lowMHz[i]), static_cast<int>(band.highMHz[i]));
}

}  // namespace kx::value_text
