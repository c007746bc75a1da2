#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/KX200Doc.h"
#include "model/Outcome.h"

namespace kxtool {

// "-o -" names standard output, for every command that writes one file.
constexpr std::string_view kStandardOutput = "-";
bool isStandardOutput(const std::string& path);

// The text forms may go to a terminal; a .dat file, a memory image or a PDF only to a file or a
// pipe, where their bytes cannot garble the screen.
enum class OutputKind { kText, kBinary };

// A command's one output: written as every file is (see fileio::writeAtomically), or to
// standard output for "-". False, with the reason in error, when it cannot be.
bool writeOutput(const std::string& path, std::span<const std::uint8_t> bytes, OutputKind kind,
                 std::string* error);

// A configuration file (.dat), refused as the app's save is ("Cannot Save File!").
kx::Outcome saveConfiguration(const kx::CKX200Doc& doc, const std::string& path);

}  // namespace kxtool
