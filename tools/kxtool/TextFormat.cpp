#include "TextFormat.h"

#include <algorithm>
#include <cctype>

namespace kxtool {

CLI::Option* addFormatOption(CLI::App& command, std::string& format) {
  return command.add_option("--format", format, "csv (the channel table) or yaml (everything)")
      ->check(CLI::IsMember({"csv", "yaml"}, CLI::ignore_case));
}

std::optional<TextFormat> formatOf(const std::string& path, const std::string& format) {
  std::string word = format;
  if (word.empty()) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    word = path.substr(dot + 1);
  }
  std::transform(word.begin(), word.end(), word.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (word == "csv") return TextFormat::kCsv;
  if (word == "yaml" || word == "yml") return TextFormat::kYaml;
  return {};
}

}  // namespace kxtool
