#pragma once

#include <span>
#include <string>
#include <string_view>

#include "textio/OptionFields.h"

namespace kx {

class CKX200Doc;
struct ChannelRecord;

// Values a configuration file holds that no control shows at the moment: what the option
// dialog remembers of a signalling kind not in use, the TX edit of a channel whose RX edit was
// cleared, a baud position the modem type does not show, the file's reserved fields. They never
// reach the radio. A YAML configuration keeps them under "kept" where they differ from a fresh
// configuration, so that a .dat goes through YAML and back byte for byte; a kept value that is in
// use is refused (it has a key of its own).
struct KeptField {
  std::string_view key;
  std::string_view shownAs;  // the key that holds the value while it is in use
  bool (*hidden)(const CKX200Doc& doc);
  std::string (*show)(const CKX200Doc& doc);
  FieldTake (*take)(CKX200Doc& doc, std::string_view text);
};
struct KeptChannelField {
  std::string_view key;
  std::string_view shownAs;
  bool (*hidden)(const ChannelRecord& channel);
  std::string (*show)(const ChannelRecord& channel);
  // The document gives the model and sub-band a frequency must fit.
  FieldTake (*take)(const CKX200Doc& doc, ChannelRecord& channel, std::string_view text);
};

std::span<const KeptField> KeptFields();
std::span<const KeptChannelField> KeptChannelFields();

}  // namespace kx
