#include "model/FileIo.h"

#include <algorithm>

namespace kx::fileio {

namespace {
#ifdef _WIN32
constexpr char kSeparator = '\\';
constexpr const char* kSeparators = "\\/";
#else
constexpr char kSeparator = '/';
constexpr const char* kSeparators = "/";
#endif

// How much of a path names its root: "/" on POSIX; on Windows "C:\", "C:", "\\server\share\"
// or "\".
std::size_t rootLength(const std::string& path) {
#ifdef _WIN32
  const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && isSeparator(path[2]) ? 3 : 2;
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
    // \\server\share\ (also \\.\ and \\?\ device and long-path forms)
    const auto server = path.find_first_of(kSeparators, 2);
    if (server == std::string::npos) return path.size();
    const auto share = path.find_first_of(kSeparators, server + 1);
    return share == std::string::npos ? path.size() : share + 1;
  }
#endif
  return !path.empty() && (path[0] == '/' || path[0] == kSeparator) ? 1 : 0;
}
}  // namespace

std::string folderOf(const std::string& path) {
  const std::size_t root = rootLength(path);
  const auto slash = path.find_last_of(kSeparators);
  if (slash == std::string::npos || slash + 1 < root) return root > 0 ? path.substr(0, root) : ".";
  if (slash < root) return path.substr(0, root);
  return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const std::size_t root = rootLength(path);
  const auto slash = path.find_last_of(kSeparators);
  return path.substr(slash == std::string::npos ? root : std::max(slash + 1, root));
}

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  if (std::string(kSeparators).find(last) != std::string::npos) return folder + name;
  return folder + kSeparator + name;
}

std::function<void(const std::string&)>& detail::beforeRenameHook() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

void SetBeforeRenameHook(std::function<void(const std::string& temporary)> hook) {
  detail::beforeRenameHook() = std::move(hook);
}

}  // namespace kx::fileio
