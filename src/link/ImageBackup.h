#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/MemoryMap.h"

namespace kx {

// Every image read from a radio and every image about to be written is kept with a time stamp,
// so a technician who overwrote a radio can always get its memory back.
constexpr std::size_t kBackupsKept = 100;

// $XDG_DATA_HOME (else ~/.local/share) + "/kxprog/backups".
std::string BackupFolder();

// Saves an image as "<folder>/YYYYMMDD-HHMMSS-mmm-<kind>.bin" (kind "read" or "write") and
// removes the oldest backups beyond the newest kBackupsKept. The path written, or nothing when
// the folder cannot be written (error then holds the reason).
std::optional<std::string> SaveBackup(const std::string& folder, const image::Image& img,
                                      std::string_view kind, std::string* error = nullptr);

}  // namespace kx
