#pragma once

#include <array>
#include <cstdint>

#include "model/KX200Doc.h"
#include "model/MemoryMap.h"

namespace kx {

struct RadioMemory;

// Everything an edit can change and undo must put back: the whole configuration and the bytes
// patched by hand in the EEPROM map, which no file holds.
struct EditState {
  CKX200Doc doc;
  std::array<std::uint8_t, image::kSize> pendingFlags{};
  image::Image pendingValues{};
};

EditState CaptureEditState(const CKX200Doc& doc, const RadioMemory& memory);
// Puts a captured state back. The serial port and the start-up model dialog count belong to
// the session, not to the configuration, and stay as they are.
void RestoreEditState(const EditState& state, CKX200Doc& doc, RadioMemory& memory);

// Whether the two states hold the same configuration: the same configuration file bytes and
// the same hand patches. The editors' working fields (the channel an option dialog was opened
// for, the warnings already given) are no part of it.
bool SameConfiguration(const EditState& a, const EditState& b);

}  // namespace kx
