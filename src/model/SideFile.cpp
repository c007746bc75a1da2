#include "model/SideFile.h"

#include <array>

#include "model/ByteOrder.h"
#include "model/FileIo.h"
#include "model/UserFolders.h"

namespace kx {

namespace {
constexpr const char* kCannotSaveSetting = "Cannot save the serial port setting!";
}  // namespace

std::string SideFilePath(const std::string& modelName) {
  return fileio::joinPath(ConfigFolder(), modelName + ".ini");
}

std::optional<std::int32_t> ReadSideFile(const std::string& path) {
  const auto bytes = fileio::readPrefix(path, 4);
  if (!bytes || bytes->size() < 4) return std::nullopt;
  return le::getI32(*bytes, 0);
}

Outcome WriteSideFile(const std::string& path, std::int32_t portNumber) {
  std::array<std::uint8_t, 4> bytes{};
  le::putI32(bytes, 0, portNumber);
  std::string reason;
  if (!fileio::makeFolders(fileio::folderOf(path), &reason) ||
      !fileio::writeAtomically(path, bytes, &reason))
    return Outcome::failure(kCannotSaveSetting, reason, NoticeKind::kWarning);
  return Outcome::success();
}

}  // namespace kx
