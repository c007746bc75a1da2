#pragma once

#include <string>

#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// A configuration from a file of any kind the programs know: a YAML configuration (.yaml,
// .yml), a 416-byte radio memory image, or a .dat configuration file, told apart by extension
// and size. All or nothing, as each kind's own load is.
Outcome LoadAnyConfiguration(CKX200Doc& doc, const std::string& path);

}  // namespace kx
