#include "model/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace kx::fileio {

namespace {
void setError(std::string* error, int code) {
  if (error) *error = std::strerror(code);
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}
}  // namespace

std::optional<std::vector<std::uint8_t>> readPrefix(const std::string& path, std::size_t maxBytes,
                                                    std::string* error) {
  // Opening a FIFO nobody writes to would wait for a writer for ever; opened without waiting,
  // it reads as empty. Reads wait as usual, so a pipe that is being written still works.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    setError(error, errno);
    return std::nullopt;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::vector<std::uint8_t> bytes(maxBytes);
  std::size_t done = 0;
  while (done < maxBytes) {
    const ssize_t n = ::read(fd, bytes.data() + done, maxBytes - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      setError(error, errno);
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

namespace {
constexpr int kMaxLinks = 40;  // as the kernel's own limit on a chain of links

void fail(std::string* error, const char* reason) {
  if (error) *error = reason;
}

// The path a write to path lands on: symbolic links followed, the last one possibly dangling
// (its target is then created). A path whose folder is missing comes back as it is; creating
// the file there fails with the system's reason.
std::optional<std::string> finalTarget(std::string path, std::string* error) {
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) return path;
      setError(error, errno);
      return std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) return path;
    std::string target(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
      setError(error, length < 0 ? errno : ENAMETOOLONG);
      return std::nullopt;
    }
    target.resize(static_cast<std::size_t>(length));
    path = target.front() == '/' ? target : folderOf(path) + "/" + target;
  }
  setError(error, ELOOP);
  return std::nullopt;
}

// A new file beside the target, named so no one else's file is touched, with the mode the
// user's umask gives a new document.
int createTemporary(const std::string& folder, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = joinPath(folder, ".kxtmp-") + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" + std::to_string(::random() % 100000);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A replacement wears the replaced file's mode and, where the process may, its owner and
// group; the owner first, since changing it clears the set-id bits.
void keepAttributes(int fd, const struct stat& old) {
  if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
      ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    // Not ours to give away: the file becomes the saving user's, as a new file would.
  }
  ::fchmod(fd, old.st_mode & 07777);
}

// After a rename the folder holds the new name only once its own blocks are on the disk.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  // Some file systems cannot sync a folder; the file itself is already on the disk.
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> writableTarget(const std::string& path, std::string* error) {
  auto target = finalTarget(path, error);
  if (!target) return std::nullopt;
  struct stat info {};
  if (::stat(target->c_str(), &info) != 0) return target;  // a new file
  if (!S_ISREG(info.st_mode)) {
    fail(error, "Not a regular file");
    return std::nullopt;
  }
  // Root may write anything; a file nobody may write is still meant to stay as it is.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    fail(error, "The file is read-only");
    return std::nullopt;
  }
  if (::access(target->c_str(), W_OK) != 0) {
    setError(error, errno);
    return std::nullopt;
  }
  return target;
}

bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::string* error) {
  const auto target = writableTarget(path, error);
  if (!target) return false;
  struct stat old {};
  const bool replacing = ::stat(target->c_str(), &old) == 0;

  std::string temp;
  const int fd = createTemporary(folderOf(*target), temp);
  if (fd < 0) {
    setError(error, errno);
    return false;
  }
  if (replacing) keepAttributes(fd, old);

  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && detail::beforeRenameHook()) detail::beforeRenameHook()(temp);
  if (ok && ::rename(temp.c_str(), target->c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    setError(error, saved);
    return false;
  }
  syncFolder(folderOf(*target));
  return true;
}

std::optional<FileFacts> lookAt(const std::string& path, std::string* error) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    setError(error, errno);
    return std::nullopt;
  }
  return FileFacts{S_ISREG(info.st_mode), static_cast<std::uintmax_t>(info.st_size)};
}

bool createNew(const std::string& path, bool* taken, std::string* error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (taken) *taken = fd < 0 && errno == EEXIST;
  if (fd < 0) {
    setError(error, errno);
    return false;
  }
  ::close(fd);
  return true;
}

std::FILE* openStream(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool makeFolders(const std::string& path, std::string* error) {
  if (path.empty()) return true;
  std::size_t at = 0;
  while (at != std::string::npos) {
    at = path.find('/', at + 1);
    const std::string prefix = path.substr(0, at);
    if (prefix.empty()) continue;
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
      setError(error, errno);
      return false;
    }
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    setError(error, ENOTDIR);
    return false;
  }
  return true;
}

}  // namespace kx::fileio
