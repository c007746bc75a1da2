#pragma once

#include <string>
#include <string_view>

#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// A whole configuration as YAML: model, sub-band, the sixteen channels with the channel
// table's columns as keys (and the synthesizer step), every radio-wide option under readable
// keys grouped as the pages group them, the radio-held bytes of the file, and under "kept" the
// file's values no control shows, so that a configuration as the pages keep it goes out and
// back in byte for byte.
std::string ExportConfigYaml(const CKX200Doc& doc);

// Takes a YAML configuration into the document. Every value goes through the rule of the page
// that edits it; unknown keys are refused. What the file leaves out is as in a fresh
// configuration of its model; the document's fields that no configuration file holds (the
// radio-held bytes of a read, the port) stay. All or nothing: with any value refused the
// document stays exactly as it was. Messages read "file:line: key: message".
Outcome ImportConfigYaml(CKX200Doc& doc, std::string_view text, const std::string& fileName);

}  // namespace kx
