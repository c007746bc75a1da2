#include "textio/AnyConfiguration.h"

#include <algorithm>
#include <cctype>

#include "model/ConfigFile.h"
#include "model/FileIo.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "textio/TextFiles.h"
#include "textio/YamlConfig.h"

namespace kx {

namespace {

bool isYamlPath(const std::string& path) {
  const std::string name = FileNameOf(path);
  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos) return false;
  std::string ext = name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == "yaml" || ext == "yml";
}

}  // namespace

Outcome LoadAnyConfiguration(CKX200Doc& doc, const std::string& path) {
  if (isYamlPath(path)) {
    std::string text;
    const Outcome read = ReadTextFile(path, text);
    if (!read.ok) return read;
    return ImportConfigYaml(doc, text, path);
  }
  std::string reason;
  // One byte past a .dat file is enough to tell the kinds apart by their size.
  const auto bytes = fileio::readPrefix(path, config_file::kSize + 1, &reason);
  if (!bytes) return Outcome::failure(file_message::kCannotOpen, reason);
  return bytes->size() == image::kSize ? DecodeImage(doc, *bytes) : DecodeConfigFile(doc, *bytes);
}

}  // namespace kx
