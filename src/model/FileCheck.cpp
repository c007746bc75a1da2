#include "model/FileCheck.h"

#include "model/ConfigFile.h"
#include "model/FileIo.h"

namespace kx {

Outcome CheckFileToOpen(const std::string& path, std::size_t largest) {
  // Looked at without opening it, so a FIFO's writer is never waited for; links are followed.
  std::string reason;
  const auto facts = fileio::lookAt(path, &reason);
  if (!facts) return Outcome::failure(file_message::kCannotOpen, reason);
  if (!facts->regular) return Outcome::failure(file_message::kCannotOpen, "Not a regular file");
  if (facts->size > largest)
    return Outcome::failure(file_message::kCannotOpen,
                            "larger than " + std::to_string(largest) + " bytes");
  return Outcome::success();
}

}  // namespace kx
