#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/ModelType.h"

namespace kx {

class CKX200Doc;

// How the program writes a value, wherever it shows it: the pages, their dialogs, the data
// sheet and kxtool. One function per kind of value.
namespace value_text {

// A frequency in an edit of the channel page: "%.5f".
std::string FrequencyMHz(double mhz);
// A CTCSS tone on a button or the data sheet: "%5.1f" (" 67.0"); in a picker cell "%4.1f".
std::string CtcssTone(double hz);
std::string CtcssCell(double hz);
// A DCS code: its three octal digits, "%03d".
std::string DcsCode(int code);
// The two-tone group: "Tone A", "Tone B" or "Both" (any other value reads as "Both").
std::string TwoToneGroup(std::int32_t twoToneSelect);
// A line of the main form's band list: " %s : %d - %d MHz" with the sub-band's name and its
// edges cut to whole MHz; "" for an index the model does not have.
std::string SubBandLine(ModelType type, int subBandIndex);
// The modem a configuration uses, as the data sheet heads its modem options: "** GMSK **",
// "** FFSK **", "** AFSK  V23 Mode **" or "** AFSK  BELL202 Mode **", else
// "Modem is not selected".
std::string ModemTypeLine(const CKX200Doc& doc);
// Entries of the option lists: the scan delay "1" .. "15" seconds, the GPS cycle "1" .. "24"
// hours.
constexpr int kScanDelayEntries = 15;
constexpr int kGpsCycleEntries = 24;
// Index-to-unit conversions of the option lists: seconds of the scan delay and power-save
// delay lists, hours of the GPS cycle list.
constexpr int DelaySeconds(std::int32_t index) {
  return index + 1;
}
constexpr int GpsCycleHours(std::int32_t index) {
  return index + 1;
}
// The same for an index a configuration holds, which a damaged file can make any 32-bit value:
// nothing outside the values the radio knows (scan delay 1..15 s, power-save delay 1..8 s,
// GPS cycle 1..24 hours), checked before any sum is taken.
std::optional<int> ScanDelaySeconds(std::int32_t index);
std::optional<int> PowerSaveDelaySeconds(std::int32_t index);
std::optional<int> StoredGpsCycleHours(std::int32_t index);

}  // namespace value_text
}  // namespace kx
