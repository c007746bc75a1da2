#pragma once

#include <array>
#include <cstdint>

#include "model/OptionKind.h"

namespace kx {

// The 49 CTCSS tones in Hz, in picker order (seven per row).
extern const std::array<double, 49> CtcssToneTable;
// The 104 DCS codes, each an int whose decimal digits are the code's three octal digits
// (shown with "%03d"), in picker order (13 per row).
extern const std::array<int, 104> DcsCodeTable;
// The tones the editors highlight as non-standard.
extern const std::array<double, 11> nonStandardCtcssTones;

constexpr int kCtcssPerPickerRow = 7;
constexpr int kDcsPerPickerRow = 13;

// Positions are 1-based, as the radio stores them; 0 means "not in the table". Tones are
// compared for exact equality with the table's values.
int CtcssPosition(double toneHz);
int DcsPosition(int code);
// The entry at a 1-based position; 0 when the position is outside the table.
double CtcssToneAt(int position);
int DcsCodeAt(int position);
bool IsNonStandardCtcss(double toneHz);

// Background colours of a signalling cell or option button, 0x00BBGGRR.
namespace signalling_colour {
constexpr std::uint32_t kStandardCtcss = 0xCCFFFF;
constexpr std::uint32_t kNonStandardCtcss = 0xFFCCFF;
constexpr std::uint32_t kDcs = 0xFFFFCC;
constexpr std::uint32_t kTwoTone = 0xF0F0F5;
}  // namespace signalling_colour

}  // namespace kx
