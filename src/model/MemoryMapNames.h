#pragma once

#include <cstddef>
#include <string>

namespace kx::image {

// What the byte at an address of the 416-byte image holds, for the EEPROM map's tool tips and
// the verification after a write: "0x013: modem type, Tx forcing, Dumb mode, modem enabled, baud
// code", "0x029: channel 2: step, narrow, high power, receive count bits 16..14". "" outside the
// image.
std::string DescribeAddress(std::size_t address);

}  // namespace kx::image
