#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/MemoryMap.h"

namespace kx {

class CKX200Doc;

// A value of a configuration as the technician sees it on the pages, named as a comparison
// names it ("channel 3 Rx Freq(MHz)", "scan speed").
struct ShownValue {
  std::string label;
  std::string text;  // "" where the pages show nothing (no option on an empty channel)
  std::string_view unit;
};

// Every value the pages show and the radio gets, in page order; the same labels for every
// configuration. Values no control shows are not among them.
std::vector<ShownValue> ShownValues(const CKX200Doc& doc);

// One line per value that differs, both configurations taken as the pages show them once
// opened (see ShowOnPages): "channel 3 Rx Freq(MHz): 150.12500 -> 150.25000",
// "scan speed: 100 ms -> 120 ms"; nothing when the two are the same to a technician.
std::vector<std::string> DiffConfigurations(const CKX200Doc& a, const CKX200Doc& b);

// The same comparison of what two configurations put into a radio: each is encoded into the
// memory image a write sends and read back into a copy of the same configuration (a), so values
// no image carries (a power-save delay while power save is off, a modem type of none) and those
// a write replaces never differ.
std::vector<std::string> DiffRadioContents(const CKX200Doc& a, const CKX200Doc& b);
// Two memory images read back into copies of base (a radio's memory against the image sent to
// it): a byte that differs shows as the value it changed. Nothing when either does not decode.
std::optional<std::vector<std::string>> DiffImages(const CKX200Doc& base, const image::Image& a,
                                                   const image::Image& b);

}  // namespace kx
