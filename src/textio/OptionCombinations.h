#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx {

class CKX200Doc;

// A combination of radio-wide options the pages never let a technician make, with the key of
// the option the page refuses and its message.
struct CombinationRefusal {
  std::string_view key;
  std::string text;
};

// The modem switched on without a modem type or beside External Modulation, a base block in
// Dumb mode, BELL 202 outside Dumb mode: each found by asking the page's own rule.
std::vector<CombinationRefusal> CombinationRefusals(const CKX200Doc& doc);

}  // namespace kx
