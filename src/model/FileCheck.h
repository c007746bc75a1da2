#pragma once

#include <cstddef>
#include <string>

#include "model/Outcome.h"

namespace kx {

// A file the desktop app opens by name (a recent file, one given on its command line or dropped
// on it, its settings) is looked at before it is opened: only a regular file of at most largest
// bytes is read, so a FIFO, a device or a folder never holds the program, and a huge file is
// never read nor taken for a configuration. Refused with "Cannot Open File!" and the reason (the
// system's, "Not a regular file", or "larger than N bytes"), as the loaders refuse a file.
Outcome CheckFileToOpen(const std::string& path, std::size_t largest);

}  // namespace kx
