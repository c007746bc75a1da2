#include "model/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::optional<std::vector<std::uint8_t>> readPrefix(const std::string& path, std::size_t maxBytes,
                                                    std::string* error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    setError(error, errno);
    return std::nullopt;
  }
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

bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::string* error) {
  std::string temp = folderOf(path) + "/.kxtmp-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    setError(error, errno);
    return false;
  }
  // mkstemp makes the file 0600; a configuration file is an ordinary document.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);

  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    setError(error, saved);
  }
  return ok;
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
