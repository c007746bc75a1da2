#pragma once

#include <string>

namespace kx {

struct EditState;

// The name of the step that led from one state to the next, for the Edit menu, in the words of
// the page's label of the field's control ("Channel 3 Rx Freq(MHz)", "Power Save", "EEPROM map
// byte 0x01A"). When an edit changed several fields (a frequency copied to transmit, a check
// box that clears another) the step is named after the field that leads. The pages name their
// steps after the control touched; this names the rest (a map cell) and is their fallback.
std::string DescribeChange(const EditState& before, const EditState& after);

}  // namespace kx
