#include "OutputFile.h"

#include <cstdio>

#include "Console.h"
#include "model/ConfigFile.h"
#include "model/FileIo.h"

namespace kxtool {

bool isStandardOutput(const std::string& path) {
  return path == kStandardOutput;
}

bool writeOutput(const std::string& path, std::span<const std::uint8_t> bytes, OutputKind kind,
                 std::string* error) {
  if (!isStandardOutput(path)) return kx::fileio::writeAtomically(path, bytes, error);
  if (kind == OutputKind::kBinary && console::IsTerminal(console::Stream::kOutput)) {
    if (error) *error = "standard output is a terminal; send the file to a pipe or a file";
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                       std::fflush(stdout) == 0;
  if (!written && error) *error = "standard output cannot be written";
  return written;
}

kx::Outcome saveConfiguration(const kx::CKX200Doc& doc, const std::string& path) {
  if (!isStandardOutput(path)) return doc.OnSaveDocument(path);
  std::string reason;
  if (!writeOutput(path, kx::EncodeConfigFile(doc), OutputKind::kBinary, &reason))
    return kx::Outcome::failure(kx::file_message::kCannotSave, reason);
  return kx::Outcome::success();
}

}  // namespace kxtool
