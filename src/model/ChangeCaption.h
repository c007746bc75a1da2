#pragma once

#include <string>

namespace kx {

struct EditState;

// The name of the step that led from one state to the next, for the Edit menu ("Channel 3 Rx
// frequency", "Power save", "EEPROM map byte 0x01A"). When an edit changed several fields (a
// frequency copied to transmit, a check box that clears another) the step is named after the
// field that leads, in the order of the pages.
std::string DescribeChange(const EditState& before, const EditState& after);

}  // namespace kx
