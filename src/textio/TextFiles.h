#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/Outcome.h"

namespace kx {

// Text files the programs read are small; anything larger is no channel table or
// configuration and is not read into memory.
constexpr std::size_t kLargestTextFile = 1 << 20;

// The whole text of a file, refused with "Cannot Open File!" and the reason when it cannot be
// read or is larger than kLargestTextFile.
Outcome ReadTextFile(const std::string& path, std::string& text);
// Written as every file is (see fileio::writeAtomically); "Cannot Save File!" and the reason.
Outcome WriteTextFile(const std::string& path, std::string_view text);

// The last part of a path, as messages about the file name it ("channels.csv").
std::string FileNameOf(const std::string& path);

}  // namespace kx
