#include "textio/TextFiles.h"

#include <cstdint>
#include <span>

#include "model/ConfigFile.h"
#include "model/FileIo.h"

namespace kx {

Outcome ReadTextFile(const std::string& path, std::string& text) {
  std::string reason;
  // One byte more than allowed tells a file that is too large.
  const auto bytes = fileio::readPrefix(path, kLargestTextFile + 1, &reason);
  if (!bytes) return Outcome::failure(file_message::kCannotOpen, reason);
  if (bytes->size() > kLargestTextFile)
    return Outcome::failure(file_message::kCannotOpen,
                            "larger than " + std::to_string(kLargestTextFile) + " bytes");
  text.assign(bytes->begin(), bytes->end());
  return Outcome::success();
}

Outcome WriteTextFile(const std::string& path, std::string_view text) {
  std::string reason;
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!fileio::writeAtomically(path, std::span(data, text.size()), &reason))
    return Outcome::failure(file_message::kCannotSave, reason);
  return Outcome::success();
}

std::string FileNameOf(const std::string& path) {
  return fileio::nameOf(path);
}

}  // namespace kx
