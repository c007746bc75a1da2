#include "model/FileCheck.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "model/ConfigFile.h"

namespace kx {

Outcome CheckFileToOpen(const std::string& path, std::size_t largest) {
  // stat never opens the file, so it cannot wait for a FIFO's writer; links are followed.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return Outcome::failure(file_message::kCannotOpen, std::strerror(errno));
  if (!S_ISREG(info.st_mode))
    return Outcome::failure(file_message::kCannotOpen, "Not a regular file");
  if (static_cast<unsigned long long>(info.st_size) > largest)
    return Outcome::failure(file_message::kCannotOpen,
                            "larger than " + std::to_string(largest) + " bytes");
  return Outcome::success();
}

}  // namespace kx
