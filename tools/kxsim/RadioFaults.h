#pragma once

#include <string>
#include <string_view>

namespace kx::sim {

// How the virtual radio misbehaves, to see the programmer cope. Blocks are numbered 0..25; a
// block of -1 means every block.
struct Faults {
  bool refuse = false;    // answers 0x55 to the read, write and identification requests
  bool silent = false;    // hears nothing, says nothing
  bool garbage = false;   // answers every command with bytes that mean nothing, and does nothing
  bool doubleAa = false;  // answers a read or write request AA AA version
  bool denyTransmit = false;  // answers the transmit-mode command 0x65 (not allowed)
  int zeroBytes = 0;          // zero bytes put before every reply
  int nakWrite = 0;           // a written block is answered 0x58 this many times before 0xA1
  int nakWriteBlock = -1;
  int badCheck = 0;  // a read block goes out with a wrong check byte this many times
  int badCheckBlock = -1;
  int stopAfterBlock = -1;    // after this block, silence until the next wake-up
  int vanishAfterBlock = -1;  // after this block, the radio closes its line and is gone
  // After every completed write the byte at this address (0..415) is stored with its lowest
  // bit flipped, as a worn EEPROM cell would hold it; the write itself is acknowledged as usual.
  int corruptAddress = -1;

  bool operator==(const Faults&) const = default;
};

// Adds one fault written as on kxsim's command line:
//   refuse | silent | garbage | double-aa | deny-tx | zeros[=N] | nak-write=N[@K]
//   | bad-check=N[@K] | stop-after=K | vanish=K | corrupt=ADDRESS (decimal or 0x hex)
// False, with the reason in error, for anything else.
bool AddFault(std::string_view text, Faults& faults, std::string* error = nullptr);

// The fault names and their forms, for a help text.
extern const char* const kFaultHelp;

}  // namespace kx::sim
