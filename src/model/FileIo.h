#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kx::fileio {

// Reads at most maxBytes from the start of a file, opened read-only. Empty optional when the
// file cannot be opened or read; error (if given) then holds the system's reason. Opening never
// waits: a FIFO without a writer reads as empty.
std::optional<std::vector<std::uint8_t>> readPrefix(const std::string& path, std::size_t maxBytes,
                                                    std::string* error = nullptr);

// Where a write to path really goes, and whether it may: symbolic links are followed to their
// final target (which need not exist yet). Refused, with the reason in error, when the target
// exists and is not a regular file (a device, a FIFO, a folder), or is read-only or not
// writable by this user, as an editor would refuse it. Every file the programs write is checked
// this way first.
std::optional<std::string> writableTarget(const std::string& path, std::string* error = nullptr);

// Writes the bytes to a temporary file beside the target (see writableTarget), flushes it to
// the disk and only then renames it over the target and flushes the folder, so a failure at any
// point leaves an existing file as it was and a finished save survives a power cut. A replaced
// file keeps its mode, and its owner and group where the process may set them.
bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::string* error = nullptr);

// For tests of a save that fails half-way: called with the temporary file's path once it is on
// the disk, just before it is renamed over the target (a test removes the folder there). Empty
// by default; not for use while saves run on other threads.
void SetBeforeRenameHook(std::function<void(const std::string& temporary)> hook);

// The folder part of a path ("." for a bare file name).
std::string folderOf(const std::string& path);

// Creates a folder and its missing parents (mode 0700 for the ones it makes).
bool makeFolders(const std::string& path, std::string* error = nullptr);

}  // namespace kx::fileio
