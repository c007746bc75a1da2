#include "model/UserFolders.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdlib>

#include "model/FileIo.h"
#include "model/WideText.h"

namespace kx {

namespace {
constexpr const char* kProgramFolder = "kxprog";

// The variable a technician (or a test) may point elsewhere, else the folder the shell knows.
std::string knownFolder(const wchar_t* variable, const KNOWNFOLDERID& id) {
  if (const wchar_t* value = ::_wgetenv(variable); value && *value) return win32::Utf8(value);
  wchar_t* path = nullptr;
  std::string folder = ".";
  if (::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path) == S_OK) folder = win32::Utf8(path);
  ::CoTaskMemFree(path);
  return folder;
}
}  // namespace

// Settings roam with the user (%APPDATA%); the backups of radio memories stay on this machine
// (%LOCALAPPDATA%).
std::string ConfigFolder() {
  return fileio::joinPath(knownFolder(L"APPDATA", FOLDERID_RoamingAppData), kProgramFolder);
}
std::string DataFolder() {
  return fileio::joinPath(knownFolder(L"LOCALAPPDATA", FOLDERID_LocalAppData), kProgramFolder);
}

}  // namespace kx
