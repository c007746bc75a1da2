#include "model/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace kx {

namespace {
constexpr const char* kProgramFolder = "/kxprog";

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}

// The XDG rules ignore a relative path.
std::string baseFolder(const char* variable, const char* fallbackUnderHome) {
  if (const char* value = std::getenv(variable); value && *value == '/') return value;
  return homeFolder() + fallbackUnderHome;
}
}  // namespace

std::string ConfigFolder() {
  return baseFolder("XDG_CONFIG_HOME", "/.config") + kProgramFolder;
}
std::string DataFolder() {
  return baseFolder("XDG_DATA_HOME", "/.local/share") + kProgramFolder;
}

}  // namespace kx
