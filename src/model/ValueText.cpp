#include "model/ValueText.h"

#include <cstdarg>
#include <cstdio>

#include "model/BandTable.h"
#include "model/ChannelRecord.h"
#include "model/KX200Doc.h"

namespace kx::value_text {

namespace {
std::string format(const char* pattern, ...) {
  char text[64];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(text, sizeof text, pattern, args);
  va_end(args);
  return text;
}
}  // namespace

std::string FrequencyMHz(double mhz) {
  return format("%.5f", mhz);
}
std::string CtcssTone(double hz) {
  return format("%5.1f", hz);
}
std::string CtcssCell(double hz) {
  return format("%4.1f", hz);
}
std::string DcsCode(int code) {
  return format("%03d", code);
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

std::string SubBandLine(ModelType type, int subBandIndex) {
  const BandEntry& band = GetBand(type);
  if (subBandIndex < 0 || subBandIndex >= band.subBandCount) return {};
  const auto i = static_cast<std::size_t>(subBandIndex);
  return format(" %s : %d - %d MHz", std::string(band.subBandName[i]).c_str(),
                static_cast<int>(band.lowMHz[i]), static_cast<int>(band.highMHz[i]));
}

}  // namespace kx::value_text
