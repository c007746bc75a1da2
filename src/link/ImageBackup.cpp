#include "link/ImageBackup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <tuple>
#include <vector>

#include "link/TimeStamp.h"
#include "model/FileIo.h"
#include "model/UserFolders.h"

namespace kx {

namespace {
namespace fs = std::filesystem;

// Our own backups only: a name that starts with a time stamp and ends in .bin.
bool isBackup(const fs::directory_entry& entry) {
  const std::string name = fileio::utf8Path(entry.path().filename());
  return entry.is_regular_file() && name.size() > 20 && name.ends_with(".bin") &&
         std::isdigit(static_cast<unsigned char>(name[0]));
}

constexpr std::size_t kStampLength = 19;  // YYYYMMDD-HHMMSS-mmm

void removeOldest(const std::string& folder) {
  std::error_code ec;
  // Oldest first: by the time stamp in the name, then (within one millisecond) by file time.
  using Backup = std::tuple<std::string, fs::file_time_type, fs::path>;
  std::vector<Backup> backups;
  for (const auto& entry : fs::directory_iterator(fileio::nativePath(folder), ec)) {
    if (!isBackup(entry)) continue;
    backups.emplace_back(fileio::utf8Path(entry.path().filename()).substr(0, kStampLength),
                         entry.last_write_time(ec), entry.path());
  }
  if (backups.size() <= kBackupsKept) return;
  std::sort(backups.begin(), backups.end());
  for (std::size_t i = 0; i + kBackupsKept < backups.size(); ++i)
    fs::remove(std::get<2>(backups[i]), ec);
}
// Backups of radios programmed side by side are saved in the same millisecond, by this program
// or another one: a name is taken only by making the file, which fails if it exists.
constexpr int kMostNamesTried = 1000;
}  // namespace

std::string BackupFolder() {
  return fileio::joinPath(DataFolder(), "backups");
}

std::optional<std::string> SaveBackup(const std::string& folder, const image::Image& img,
                                      std::string_view kind, std::string* error) {
  if (!fileio::makeFolders(folder, error)) return std::nullopt;
  const std::string stem =
      fileio::joinPath(folder, TimeStamp("%Y%m%d-%H%M%S", '-') + "-" + std::string(kind));
  std::string path = stem + ".bin";
  bool taken = false;
  bool claimed = fileio::createNew(path, &taken, error);
  for (int n = 2; !claimed && taken && n <= kMostNamesTried; ++n) {
    path = stem + "-" + std::to_string(n) + ".bin";
    claimed = fileio::createNew(path, &taken, error);
  }
  if (!claimed) return std::nullopt;
  if (!fileio::writeAtomically(path, img, error)) {
    std::error_code ignored;
    fs::remove(fileio::nativePath(path), ignored);
    return std::nullopt;
  }
  removeOldest(folder);
  return path;
}

}  // namespace kx
