#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "model/FileIo.h"
#include "model/WideText.h"

namespace kx::fileio {

namespace {
void setError(std::string* error, DWORD code) {
  if (error) *error = win32::ErrorText(code);
}

void fail(std::string* error, const char* reason) {
  if (error) *error = reason;
}

// A handle closed when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }
  // Closes now; false (with the reason in GetLastError) when the system could not finish.
  bool close() {
    const bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// Opened for nothing but questions: neither the file's contents nor a device's line are
// touched, and nothing waits. Links are followed to what they name.
Handle openToAsk(const std::wstring& path) {
  return Handle(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool isDevicePath(const std::string& path) {
  return path.rfind("\\\\.\\", 0) == 0 || path.rfind("//./", 0) == 0;
}

// The path the system has for an open file: links resolved, in its usual drive form.
std::string finalPathOf(HANDLE file, const std::string& fallback) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= path.size()) {
    path.resize(length + 1);
    length = ::GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  if (length == 0 || length >= path.size()) return fallback;
  path.resize(length);
  // "\\?\C:\..." names the same file as "C:\..."; the short form is what a technician reads.
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return "\\" + win32::Utf8(path.substr(7));
  if (path.rfind(L"\\\\?\\", 0) == 0 && path.size() > 6 && path[5] == L':')
    return win32::Utf8(path.substr(4));
  return win32::Utf8(path);
}

bool writeAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

// A new file beside the target, named so no one else's file is touched.
HANDLE createTemporary(const std::string& folder, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = joinPath(folder, ".kxtmp-") + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" + std::to_string(std::rand() % 100000);
    const HANDLE file = ::CreateFileW(win32::Wide(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// Puts the finished temporary file in the target's place. ReplaceFile keeps what Windows keeps
// of a document (its attributes, security and creation time); a new file is moved in place.
bool putInPlace(const std::string& temporary, const std::string& target, bool replacing) {
  const std::wstring from = win32::Wide(temporary);
  const std::wstring to = win32::Wide(target);
  if (replacing && ::ReplaceFileW(to.c_str(), from.c_str(), nullptr,
                                  REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
    return true;
  return ::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
}  // namespace

std::optional<std::vector<std::uint8_t>> readPrefix(const std::string& path, std::size_t maxBytes,
                                                    std::string* error) {
  if (isDevicePath(path)) {
    fail(error, "Not a regular file");
    return std::nullopt;
  }
  Handle file(::CreateFileW(win32::Wide(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    setError(error, ::GetLastError());
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(maxBytes);
  std::size_t done = 0;
  while (done < maxBytes) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(maxBytes - done, 1 << 20));
    DWORD n = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &n, nullptr)) {
      const DWORD code = ::GetLastError();
      if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF) break;  // a pipe's end
      setError(error, code);
      return std::nullopt;
    }
    if (n == 0) break;
    done += n;
  }
  bytes.resize(done);
  return bytes;
}

std::optional<FileFacts> lookAt(const std::string& path, std::string* error) {
  if (isDevicePath(path)) return FileFacts{false, 0};
  const Handle file = openToAsk(win32::Wide(path));
  if (!file.valid()) {
    setError(error, ::GetLastError());
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool disk = ::GetFileType(file.get()) == FILE_TYPE_DISK;
  if (!disk || !::GetFileInformationByHandle(file.get(), &info)) return FileFacts{false, 0};
  const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::uintmax_t size = (std::uintmax_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  return FileFacts{!folder, size};
}

std::optional<std::string> writableTarget(const std::string& path, std::string* error) {
  if (isDevicePath(path)) {
    fail(error, "Not a regular file");
    return std::nullopt;
  }
  const Handle file = openToAsk(win32::Wide(path));
  if (!file.valid()) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return path;  // a new file; a missing folder fails later
    if (code == ERROR_PATH_NOT_FOUND) return path;
    setError(error, code);
    return std::nullopt;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file.get()) != FILE_TYPE_DISK ||
      !::GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    fail(error, "Not a regular file");
    return std::nullopt;
  }
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
    fail(error, "The file is read-only");
    return std::nullopt;
  }
  return finalPathOf(file.get(), path);
}

bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::string* error) {
  const auto target = writableTarget(path, error);
  if (!target) return false;
  const bool replacing = ::GetFileAttributesW(win32::Wide(*target).c_str()) != INVALID_FILE_ATTRIBUTES;

  std::string temp;
  Handle file(createTemporary(folderOf(*target), temp));
  if (!file.valid()) {
    setError(error, ::GetLastError());
    return false;
  }
  bool ok = writeAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
  DWORD saved = ::GetLastError();
  if (!file.close() && ok) {
    ok = false;
    saved = ::GetLastError();
  }
  if (ok && detail::beforeRenameHook()) detail::beforeRenameHook()(temp);
  if (ok && !putInPlace(temp, *target, replacing)) {
    ok = false;
    saved = ::GetLastError();
  }
  if (!ok) {
    ::DeleteFileW(win32::Wide(temp).c_str());
    setError(error, saved);
    return false;
  }
  return true;
}

bool createNew(const std::string& path, bool* taken, std::string* error) {
  const HANDLE file = ::CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD code = ::GetLastError();
  if (taken) *taken = file == INVALID_HANDLE_VALUE && code == ERROR_FILE_EXISTS;
  if (file == INVALID_HANDLE_VALUE) {
    setError(error, code);
    return false;
  }
  ::CloseHandle(file);
  return true;
}

std::FILE* openStream(const std::string& path, const char* mode) {
  std::string binary = mode;
  if (binary.find('b') == std::string::npos) binary += 'b';
  return ::_wfopen(win32::Wide(path).c_str(), win32::Wide(binary).c_str());
}

bool makeFolders(const std::string& path, std::string* error) {
  if (path.empty()) return true;
  // Every folder of the path from the first below its root ("C:\", "\\server\share\") on. A
  // folder above that may refuse to be made even though it exists: only the last one counts.
  const bool share = path.rfind("\\\\", 0) == 0 || path.rfind("//", 0) == 0;
  int separators = 0;
  for (std::size_t at = 0; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != '\\' && path[at] != '/') continue;
    ++separators;
    if (at == 0 || path[at - 1] == ':' || (share && separators <= 4)) continue;
    const std::wstring folder = win32::Wide(path.substr(0, at));
    if (::CreateDirectoryW(folder.c_str(), nullptr) || at < path.size()) continue;
    const DWORD code = ::GetLastError();
    if (code != ERROR_ALREADY_EXISTS) {
      setError(error, code);
      return false;
    }
  }
  const DWORD attributes = ::GetFileAttributesW(win32::Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    setError(error, attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_DIRECTORY);
    return false;
  }
  return true;
}

}  // namespace kx::fileio
