#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kx::fileio {

// Reads at most maxBytes from the start of a file, opened read-only. Empty optional when the
// file cannot be opened or read; error (if given) then holds the system's reason.
std::optional<std::vector<std::uint8_t>> readPrefix(const std::string& path, std::size_t maxBytes,
                                                    std::string* error = nullptr);

// Writes the bytes to a temporary file in the target's folder, flushes it to the disk and only
// then renames it over the target, so a failure at any point leaves an existing file as it was.
bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::string* error = nullptr);

// The folder part of a path ("." for a bare file name).
std::string folderOf(const std::string& path);

// Creates a folder and its missing parents (mode 0700 for the ones it makes).
bool makeFolders(const std::string& path, std::string* error = nullptr);

}  // namespace kx::fileio
