#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/Outcome.h"
#include "model/UserFolders.h"

namespace kx {

// The one setting kept between runs: the serial port number, as four little-endian bytes in a
// file named after the model line ("KX400.ini", although it is not text).
constexpr int kDefaultPortNumber = 1;

// ConfigFolder() + "/" + modelName + ".ini".
std::string SideFilePath(const std::string& modelName);

// The port number held in a side file; nothing when the file is missing or shorter than four
// bytes.
std::optional<std::int32_t> ReadSideFile(const std::string& path);
// Writes the four bytes, creating the folder when needed.
Outcome WriteSideFile(const std::string& path, std::int32_t portNumber);

}  // namespace kx
