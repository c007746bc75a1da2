#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
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
namespace detail {
std::function<void(const std::string&)>& beforeRenameHook();
}

// The folder part of a path ("." for a bare file name). On Windows both '\' and '/' part a
// path, and a drive ("C:") or a share ("\\server\share") is its own folder.
std::string folderOf(const std::string& path);
// The last part of a path, its file name (the whole path when it has no folder part).
std::string nameOf(const std::string& path);
// A name in a folder, with the separator the system shows ('/', or '\' on Windows).
std::string joinPath(const std::string& folder, const std::string& name);

// Creates a folder and its missing parents (mode 0700 for the ones it makes).
bool makeFolders(const std::string& path, std::string* error = nullptr);

// What the system says of a path, links followed, without opening it (so a FIFO never holds
// the caller). Nothing, with the system's reason, when there is no such file.
struct FileFacts {
  bool regular = false;  // a plain file: not a folder, a device, a FIFO or a socket
  std::uintmax_t size = 0;
};
std::optional<FileFacts> lookAt(const std::string& path, std::string* error = nullptr);

// Makes an empty file that no one else can have made: false when the name is taken (taken is
// then true) or the file cannot be made (with the system's reason).
bool createNew(const std::string& path, bool* taken, std::string* error = nullptr);

// std::fopen for a UTF-8 path (Windows' fopen would read it in the ANSI code page). Files are
// opened in binary: lines end as the programs write them, on every system.
std::FILE* openStream(const std::string& path, const char* mode);

// Paths are UTF-8 everywhere in the programs; std::filesystem takes them through these, which
// on Windows give the wide form its API wants.
inline std::filesystem::path nativePath(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace kx::fileio
