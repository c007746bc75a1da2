#include "link/ImageBackup.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
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
  const std::string name = entry.path().filename().string();
  return entry.is_regular_file() && name.size() > 20 && name.ends_with(".bin") &&
         std::isdigit(static_cast<unsigned char>(name[0]));
}

constexpr std::size_t kStampLength = 19;  // YYYYMMDD-HHMMSS-mmm

void removeOldest(const std::string& folder) {
  std::error_code ec;
  // Oldest first: by the time stamp in the name, then (within one millisecond) by file time.
  using Backup = std::tuple<std::string, fs::file_time_type, fs::path>;
  std::vector<Backup> backups;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (!isBackup(entry)) continue;
    backups.emplace_back(entry.path().filename().string().substr(0, kStampLength),
                         entry.last_write_time(ec), entry.path());
  }
  if (backups.size() <= kBackupsKept) return;
  std::sort(backups.begin(), backups.end());
  for (std::size_t i = 0; i + kBackupsKept < backups.size(); ++i)
    fs::remove(std::get<2>(backups[i]), ec);
}
// Takes a file name for a backup that no other save can take, in this program or another one
// (radios programmed side by side save in the same millisecond): the file is made, empty, only
// if it does not exist yet. 0 when the name is ours, else the system's reason (EEXIST: taken).
int claimName(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

constexpr int kMostNamesTried = 1000;
}  // namespace

std::string BackupFolder() {
  return DataFolder() + "/backups";
}

std::optional<std::string> SaveBackup(const std::string& folder, const image::Image& img,
                                      std::string_view kind, std::string* error) {
  if (!fileio::makeFolders(folder, error)) return std::nullopt;
  const std::string stem = folder + "/" + TimeStamp("%Y%m%d-%H%M%S", '-') + "-" + std::string(kind);
  std::string path = stem + ".bin";
  int taken = claimName(path);
  for (int n = 2; taken == EEXIST && n <= kMostNamesTried; ++n) {
    path = stem + "-" + std::to_string(n) + ".bin";
    taken = claimName(path);
  }
  if (taken != 0) {
    if (error) *error = std::strerror(taken);
    return std::nullopt;
  }
  if (!fileio::writeAtomically(path, img, error)) {
    std::error_code ignored;
    fs::remove(path, ignored);
    return std::nullopt;
  }
  removeOldest(folder);
  return path;
}

}  // namespace kx
