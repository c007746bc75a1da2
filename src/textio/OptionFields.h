#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/RadioOptions.h"

namespace kx {

class CKX200Doc;

// What taking a written value did: refused with a message, or stored, perhaps as another value
// than the one written (a scan speed of 125 ms is stored as 120).
struct FieldTake {
  std::optional<std::string> refusal;
  bool adjusted = false;
};

// A radio-wide option of the configuration as text: where it lives in a YAML configuration
// (group and key, with its unit in the key), how a comparison names it, how it is written and
// how a written value goes through the page's rule into the document. All but the rules come
// from the option's row of the options' table.
struct OptionField {
  const RadioOption* option;
  std::string_view group;  // "system"
  std::string_view key;    // "scan_speed_ms"
  std::string_view label;  // "scan speed"
  std::string_view unit;   // "ms", written after a number in a comparison
  // The rule of an option whose value is not written or taken as its form says; nullptr for
  // the form's own.
  std::string (*ownShow)(const CKX200Doc& doc) = nullptr;
  FieldTake (*ownTake)(CKX200Doc& doc, std::string_view text) = nullptr;

  // The value as a technician writes it: list entries, not list positions. "" where the option
  // has no value to write (no baud rate without a modem type).
  std::string show(const CKX200Doc& doc) const;
  // Depends on the fields before it in the table (the baud rates on the modem type).
  FieldTake take(CKX200Doc& doc, std::string_view text) const;
};

// Every radio-wide option, grouped as the pages group them: the channel page's timers, the
// system page, its GPS part, the modem page, and the bytes the radio holds for itself.
std::span<const OptionField> OptionFields();
const OptionField* FindOptionField(std::string_view group, std::string_view key);

}  // namespace kx
